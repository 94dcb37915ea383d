// Start-up, the main loop and shutdown.
#pragma once
#include <cstdint>
#include <string>

#include "app/options.h"
#include "scene/scene_node.h"

extern SceneNode* rootNode;

// Whether the screens' archives and the pages beside the shown one are made
// ready in the background after the first frame (true). Tests that count what
// each part of the program holds turn it off.
extern bool preparingInBackground;

// The longest rest of the main loop once nothing has changed for a few passes
// and nothing driven by the clock is due sooner (500 ms, the settings
// keeper's period); input ends it at once.
extern uint32_t longestRestMs;

// Start-up in its fixed order, with the command line's options. Returns false
// only when the program cannot run.
bool startUp(const Options& options = Options());
// The same with the settings file at path instead of the platform's folder; ""
// runs with the defaults and never saves. startUp passes defaultSettingsPath().
bool startUpWithSettingsPath(const std::string& path, const Options& options = Options());
// One pass of the main loop: input, one rendered frame, the picking pass; when
// the frame changed nothing on screen, a rest until input or one frame's time.
void runOnePass();
// Renders one frame: frameTime, the procedural textures, then the frame presented
// (what changed drawn and swapped in). false when nothing on screen changed.
bool renderFrame();
// Shutdown in its fixed order.
void shutDown();
// true while the root is not dead.
bool running();

// Saves the settings, then removes the root: the tree comes down over the next
// frames and the main loop ends. The one way the program ends.
void saveSettingsAndQuit();
