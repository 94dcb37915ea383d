// The per-frame walk of the tree, and the flush of translucent meshes after it.
#pragma once
#include "scene/scene_node.h"

void render(SceneNode* node);
// Draws and empties translucentQueue with depth writes off.
void flushTranslucent();
