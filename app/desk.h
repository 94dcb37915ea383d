// The desk: the tree under the root that start-up builds.
#pragma once
#include "scene/scene_node.h"

extern SceneNode* bookNode;

// Builds the desk's eight children under the root, in their fixed order.
void buildDesk();

// Endless track of the brush handle: keeps it under the pointer.
void followPointerTrack(void* arg);
// Endless track of HUD buttons: grows the button towards 1.1 while hovered.
void hudHoverGrow(void* arg);
