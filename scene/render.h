// The per-frame walk of the tree, and the flush of translucent meshes after it.
#pragma once
#include "scene/scene_node.h"

void render(SceneNode* node);
// Draws and empties translucentQueue with depth writes off.
void flushTranslucent();
// The drawing of one frame of the tree under root, without the clock and the
// swap: clear, the scene frame 100 units in front of the eye, the walk recording
// the meshes, then their drawing (translucent ones last, blended).
void drawFrame(SceneNode* root);
// Back to the state before any frame: no current node or track, an empty
// translucent queue (one process may start the program again).
void resetSceneState();
