// Cost of the per-frame walk of the scene tree: 2,000 nodes, each animated by
// two stock tracks, walked once per iteration. The walk issues OpenGL calls, so
// the benchmark opens a small window of its own.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <deque>

#include "base/gl.h"
#include "scene/mesh.h"
#include "scene/render.h"
#include "scene/scene_node.h"

namespace {

const int kNodes = 2000;
const size_t kFanOut = 12;

void openWindowOnce() {
    static bool open = false;
    if (open) return;
    if (SDL_Init(SDL_INIT_VIDEO) != 0 || !SDL_SetVideoMode(64, 64, 0, SDL_OPENGL)) {
        std::fprintf(stderr, "traversal_bench: no OpenGL window: %s\n", SDL_GetError());
        std::exit(1);
    }
    std::atexit(SDL_Quit);
    open = true;
}

uint8_t opaqueMaterial[60] = {};

void countPhase(CallbackPhase, void* arg) { ++*static_cast<long*>(arg); }

// Breadth first, so the tree is a few levels deep like the desk's.
SceneNode* buildTree(bool withModels, long* callbackCalls) {
    SceneNode* root = createNode();
    std::deque<SceneNode*> open{root};
    int count = 1;
    while (count < kNodes) {
        SceneNode* parent = open.front();
        open.pop_front();
        for (size_t i = 0; i < kFanOut && count < kNodes; ++i, ++count) {
            SceneNode* node = createNode();
            setPosition(node, double(i), 0.5, 0.0);
            playOneTrack(node, oscillatePosition, 0.0, 1, 0, 0, 2.0, 3.14159, 0.0);
            playOneTrack(node, rotateLinear, 0.0, 2, 0, 0, 45.0, 0.0);
            if (withModels) {
                Mesh* mesh = new Mesh();
                mesh->material = opaqueMaterial;
                node->meshes.push_back(mesh);
                node->meshCount = 1;
                node->hasModel = true;
                addCallback(node, countPhase, callbackCalls);
            }
            addChild(parent, node);
            open.push_back(node);
        }
    }
    return root;
}

void frame(SceneNode* root) {
    sceneState().frameTime += 16;
    static FrameRecord record;  // kept to reuse its memory
    recordFrame(root, record);
    drawRecorded(record, nullptr);
}

void dismantle(SceneNode* root) {
    remove(root);
    while (!root->dead) frame(root);
    destroyNode(root);
}

void walk(benchmark::State& state, bool withModels) {
    openWindowOnce();
    glMatrixMode(GL_MODELVIEW);
    long callbackCalls = 0;
    SceneNode* root = buildTree(withModels, &callbackCalls);
    frame(root);  // the first frame's large dt is not what is measured
    for (auto _ : state) {
        frame(root);
        benchmark::DoNotOptimize(root->children[0]->animator.animated.position.y);
    }
    glFinish();
    // Wall-clock seconds per node per walk, shown as "node": the GL driver does
    // part of its work on its own threads.
    state.counters["node"] =
        benchmark::Counter(double(kNodes), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    dismantle(root);
    if (withModels && callbackCalls == 0) state.SkipWithError("the callbacks never ran");
}

void BM_WalkAnimatedGroups(benchmark::State& state) { walk(state, false); }
void BM_WalkAnimatedModels(benchmark::State& state) { walk(state, true); }

BENCHMARK(BM_WalkAnimatedGroups)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_WalkAnimatedModels)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
