// Loading a model entry of an archive into a scene node.
#pragma once
#include "scene/scene_node.h"

// Ends the program like pakAcquireOrExit when the archive cannot be opened.
// Appends the meshes of one model entry to the node and takes one reference on
// the archive (released by destroyNode). A missing or truncated entry never makes
// the loader read past it: the node keeps the meshes that were whole. hasModel is
// set and the archive reference taken all the same, so the node behaves as one
// with an empty model and destroyNode's releases stay balanced. Each picture
// that gives no texture is told to sceneHooks().unusableModelPicture.
void loadModel(SceneNode* node, const char* archive, const char* entry);
// A texture name whose second character is '#' is a procedural texture recipe,
// not a picture of the archive.
bool isProceduralName(const char* name);
