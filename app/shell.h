// Start-up, the main loop and shutdown.
#pragma once
#include <string>

#include "scene/animation.h"
#include "scene/scene_node.h"

extern SceneNode* rootNode;
extern SceneNode* screenLayer;

// Start-up in its fixed order. Returns false only when the program cannot run.
bool startUp();
// The same with the settings file at path instead of the platform's folder; ""
// runs with the defaults and never saves. startUp passes defaultSettingsPath().
bool startUpWithSettingsPath(const std::string& path);
// One pass of the main loop: input, one rendered frame, the picking pass.
void runOnePass();
// Renders one frame: frameTime, the procedural textures, drawFrame(rootNode), swap.
void renderFrame();
// Shutdown in its fixed order.
void shutDown();
// true while the root is not dead.
bool running();

void saveSettingsAndQuit();
void openScreen(TrackFn builder);
