// Start-up, the main loop and shutdown.
#pragma once
#include <cstdint>
#include <string>

#include "app/options.h"
#include "scene/scene_node.h"

// The running program's state (main thread only).
struct ShellState {
    SceneNode* rootNode = nullptr;  // the whole tree; null before the start and after shutdown
    // Whether the screens' archives and the pages beside the shown one are made
    // ready in the background after the first frame (true). Tests that count
    // what each part of the program holds turn it off.
    bool preparingInBackground = true;
    // The longest rest of the main loop once nothing has changed for a few
    // passes and nothing driven by the clock is due sooner (500 ms, the
    // settings keeper's period); input ends it at once.
    uint32_t longestRestMs = 500;
    // Passes in a row with nothing drawn, no input and nothing due by the clock.
    int quietPasses = 0;
    bool firstFrameShown = false;  // set again by each start
    // The music of this start, read and made ready once the first frame is up
    // rather than before it: the child hears it a moment later, from its start.
    bool musicWaiting = false;
};

ShellState& shellState();

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
