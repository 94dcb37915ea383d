// The desk: the tree of nodes under the root that start-up builds.
#pragma once
#include "scene/scene_node.h"

// The desk's parts the rest of the program finds by name. Every one is owned
// by the root it was built under and lives as long as the desk.
struct DeskParts {
    SceneNode* hud = nullptr;      // the page arrows and the back and clear buttons
    SceneNode* corners = nullptr;  // inside hud: the corner buttons, each opening a screen
    SceneNode* jars = nullptr;     // the paint jars
    SceneNode* palette = nullptr;  // the palette and the glass of water
    SceneNode* book = nullptr;     // the shown page's holder goes under it
    SceneNode* screens = nullptr;  // the screens' layer
};

// Builds the desk under root in the order it is drawn and names its parts.
DeskParts buildDesk(SceneNode* root);
