// The desk: the tree under the root that start-up builds.
#pragma once
#include "scene/scene_node.h"

extern SceneNode* bookNode;

// Builds the desk's eight children under the root, in their fixed order.
void buildDesk();
