// The desk: the tree under the root that start-up builds.
#pragma once
#include "scene/scene_node.h"

// Builds the desk's eight children under root, in their fixed order, and
// returns the screen layer among them.
SceneNode* buildDesk(SceneNode* root);
