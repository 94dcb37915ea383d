// The per-frame walk of the tree, and the flush of translucent meshes after it.
#pragma once
#include "scene/frame_record.h"
#include "scene/scene_node.h"

void render(SceneNode* node);
// Walks the tree under root as drawFrame does (tracks, callbacks, sweeping of
// dead nodes) with the scene frame's matrix loaded, recording instead of
// drawing; then works out every item's screen rectangle.
void recordFrame(SceneNode* root, FrameRecord& record);
// The same walk over the tree under root as it stands, under the current
// modelview, for a picture of part of the scene (a page to keep, a preview):
// only transforms and meshes count; no track, callback or dismantling runs and
// removed nodes are left out, so neither the tree nor the program's state
// changes.
void recordStill(SceneNode* root, FrameRecord& record);
// A still walk of the whole tree under root as recordFrame places it, with
// the detached node instead walked where shown stands: the frame the tree would
// show once shown gave way to instead. Neither changes. Callbacks that only set
// drawing state (keepInStillWalks) run as in the frame's walk, so that items
// are recorded under the same lighting.
void recordStillFrameWith(SceneNode* root, const SceneNode* shown, SceneNode* instead, FrameRecord& record);
// fn only sets drawing state (lighting, say) and undoes it in the matching
// phase: still walks run it too. Registering twice is harmless.
void keepInStillWalks(NodeCallback fn);
// Draws and empties translucentQueue with depth writes off.
void flushTranslucent();
// The drawing of one frame of the tree under root, without the clock and the
// swap: clear, the scene frame 100 units in front of the eye, the walk recording
// the meshes, then their drawing (translucent ones last, blended).
void drawFrame(SceneNode* root);
// Back to the state before any frame: no current node or track, an empty
// translucent queue (one process may start the program again).
void resetSceneState();
