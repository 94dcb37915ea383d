// Looking at what the program drew: which pickable node is front-most at each
// pixel, and where to put the pointer so that a given node is the one picked.
#pragma once
#include <cstdint>
#include <vector>

#include "scene/scene_node.h"

struct IdBuffer {
    int width = 0, height = 0;
    std::vector<int32_t> ids;  // rows from the bottom (GL order); -1 where nothing is
    int32_t at(int x, int glY) const { return ids[size_t(glY) * width + x]; }
};

// Draws the given nodes' meshes as bare geometry in flat colours naming their
// index, depth-tested, under the modelviews of the last rendered frame, and reads
// the whole window back. Call after a frame was rendered (runOnePass).
IdBuffer renderIdBuffer(const std::vector<SceneNode*>& nodes);

// Every node under root that makes itself clickable, in traversal order.
std::vector<SceneNode*> pickableNodes(SceneNode* root);

struct PixelSpot {
    bool found = false;
    int x = 0, glY = 0;  // GL window coordinates (from the bottom)
    int count = 0;       // visible pixels of the node
    int depth = 0;       // distance to the nearest pixel of another id
};
// The pixel of id farthest from anything else, so that the pick lands on it.
PixelSpot deepestPixel(const IdBuffer& buffer, int32_t id);

// Moves the pointer there through the SDL event queue (the pick reads
// the row height - mouseY).
void pointAt(int x, int glY);
void pushClick();
// The state a node's handler fn keeps (its track's argument), or null.
template <typename T>
T* handlerOf(const SceneNode* node, TrackFn fn) {
    for (const AnimTrack& t : node->animator.tracks)
        if (t.fn == fn) return static_cast<T*>(t.arg);
    return nullptr;
}
// The first live node under root (itself included) running fn; with arg, the
// one whose track has that argument. Null when there is none.
SceneNode* findTrack(SceneNode* root, TrackFn fn, const void* arg = nullptr);
// The element number a region node paints, or -1.
int32_t elementOf(const SceneNode* node);
