// What the engine asks of the layers above it. Declared here and filled in one
// place by the program's start (app/layer_wiring.cpp); a hook left null is not
// asked.
#pragma once
#include <cstdint>

#include "scene/scene_node.h"

// What may come next: the layer that knows wires it in (the book's page turns),
// for the frames drawn ahead.
struct FramesAheadSource {
    // The node a swap would replace; null while none is shown or a swap is
    // already on its way. Frames drawn for another node are let go.
    SceneNode* (*shown)() = nullptr;
    // Builds, detached, the node that would stand in shown's place after the
    // swap `which` (0 or 1, say the next and the previous page); the presenter
    // frees it. Null when none would come, with *later set when one may once
    // it can be built without reading or decoding anything.
    SceneNode* (*buildComing)(int32_t which, bool* later) = nullptr;
};

struct EngineHooks {
    FramesAheadSource comingFrames;
};

// Main thread only.
EngineHooks& engineHooks();
