// What the access methods show: the glowing frames round the focus (every part
// of a target, or of a whole group's members) and the ring that fills round the pointer while a dwell
// waits. They are nodes of the scene like any other, so every frame records,
// compares and draws them; nothing is drawn beside the frame.
#pragma once
#include "scene/scene_node.h"

// The node that shows both; the caller hangs it under the root after
// everything it may cover, before the brush. Built from "interface.pak".
SceneNode* buildAccessOverlay();

// Forgets the overlay's pieces (a fresh start; the tree they were in is gone).
void resetAccessOverlay();
