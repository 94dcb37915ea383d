// The per-frame walk of the tree, which records what each mesh would draw
// (scene/frame_record.h); drawing is the renderer's.
#pragma once
#include "scene/frame_record.h"
#include "scene/scene_node.h"

// The walk of the tree under node under the walk's matrix in force: tracks,
// callbacks, sweeping of dead nodes, and each mesh recorded while a recording
// is under way (beginRecording).
void render(SceneNode* node);
// Walks the tree under root (tracks, callbacks, sweeping of dead nodes) with
// the scene frame's matrix loaded, 100 units in front of the eye, recording
// every mesh; then works out every item's screen rectangle.
void recordFrame(SceneNode* root, FrameRecord& record);
// The same walk over the tree under root as it stands, under the walk's
// matrix in force (scene/walk_matrix.h), for a picture of part of the scene (a
// page to keep, a preview): only transforms and meshes count; no track,
// callback or dismantling runs and removed nodes are left out, so neither the
// tree nor the program's state changes.
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
// Back to the state before any frame: no current node or track (one process
// may start the program again).
void resetSceneState();
