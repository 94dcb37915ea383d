// Cost of the picking pass after a frame, on the real full-screen window with its
// multisampling: clickable nodes of 400 triangles each stacked under the pointer,
// and the pointer over bare background. The frame itself is drawn and finished
// outside the timed region, so only the pass is measured. For comparison, the
// floor of a colour stage that clears the whole window: the clear plus the read.
// The iterations are fixed: every one draws a whole frame outside the timing.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/camera.h"
#include "engine/frame_presenter.h"
#include "engine/input.h"
#include "engine/pick.h"
#include "resources/model.h"
#include "scene/load_model.h"
#include "resources/pak.h"
#include "scene/animation.h"
#include "base/gl.h"
#include "scene/render.h"
#include "scene/scene_node.h"

namespace {

const int kTrianglesPerNode = 400;

void openCameraOnce() {
    if (!camera()) createCamera(0, 0, 0);
}

double sampleCount() {
    GLint samples = 0;
    glGetIntegerv(GL_SAMPLES, &samples);
    return double(samples);
}

// A square of 20 x 20 scene units cut into a 10 x 20 grid of triangle pairs.
std::vector<uint8_t> gridModel() {
    ModelMeshData mesh;
    const int columns = 10, rows = kTrianglesPerNode / 2 / columns;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            double x0 = -10 + 2.0 * c, x1 = x0 + 2.0;
            double y0 = -10 + 20.0 * r / rows, y1 = -10 + 20.0 * (r + 1) / rows;
            mesh.vertices.insert(mesh.vertices.end(), {x0, y0, 0, x1, y0, 0, x1, y1, 0, x0, y0, 0, x1, y1, 0, x0, y1, 0});
        }
    }
    mesh.normals.resize(mesh.vertices.size(), 0.0);
    for (size_t i = 2; i < mesh.normals.size(); i += 3) mesh.normals[i] = 1.0;
    mesh.texCoords.resize(mesh.vertices.size() / 3 * 2, 0.0);
    return writeModel({mesh});
}

const char* benchArchive() {
    static std::string name;
    if (name.empty()) {
        char folder[] = "/tmp/qm_pick_bench_XXXXXX";
        if (!mkdtemp(folder)) std::abort();
        pakCache().baseDirectory = std::string(folder) + "/";
        PakArchive pak;
        std::vector<uint8_t> model = gridModel();
        pakAddBuffer(pak, "grid", model.data(), model.size());
        if (!pakSave(pak, (pakCache().baseDirectory + "pickbench.pak").c_str())) std::abort();
        name = "pickbench.pak";
    }
    return name.c_str();
}

// count clickable squares stacked at the centre of the window, each a little nearer.
SceneNode* buildStack(int count) {
    SceneNode* root = createNode();
    for (int i = 0; i < count; ++i) {
        SceneNode* node = createNode();
        loadModel(node, benchArchive(), "grid");
        setPosition(node, 0.1 * i, 0.1 * i, 0.5 * i);
        addCallback(node, pickableCallback, nullptr);
        addChild(root, node);
    }
    return root;
}

void destroyStack(SceneNode* root) {
    for (SceneNode* child : root->children) destroyNode(child);
    root->children.clear();
    destroyNode(root);
}

void drawAndSwap(SceneNode* root) {
    sceneState().frameTime = SDL_GetTicks();
    presentFrame(root);
    glFinish();
}

void runPass(benchmark::State& state, int nodes, bool overNodes) {
    openCameraOnce();
    SceneNode* root = buildStack(nodes);
    input().mouseX = uint16_t(camera()->width / 2);
    input().mouseY = uint16_t(overNodes ? camera()->height / 2 : 5);
    size_t found = 0;
    for (auto _ : state) {
        state.PauseTiming();
        drawAndSwap(root);
        state.ResumeTiming();
        runPickPass();
        found += pickState().hovered ? 1 : 0;
    }
    if (overNodes && found != size_t(state.iterations())) state.SkipWithError("the stack was not hovered");
    if (!overNodes && found != 0) state.SkipWithError("the background was hovered");
    state.counters["candidates"] = double(pickState().candidates.size());
    state.counters["triangles"] = double(nodes * kTrianglesPerNode);
    state.counters["samples"] = sampleCount();
    state.counters["width"] = camera()->width;
    state.counters["height"] = camera()->height;
    destroyStack(root);
}

void BM_PickPassOverStack(benchmark::State& state) { runPass(state, int(state.range(0)), true); }
BENCHMARK(BM_PickPassOverStack)->Arg(1)->Arg(8)->Arg(30)->Iterations(300)->Unit(benchmark::kMillisecond);

void BM_PickPassOverBackground(benchmark::State& state) { runPass(state, int(state.range(0)), false); }
BENCHMARK(BM_PickPassOverBackground)->Arg(30)->Iterations(300)->Unit(benchmark::kMillisecond);

// What an unscissored colour stage cannot go below: after the same frame, the
// full-window clear and the one-pixel read that waits for it.
void BM_FullWindowClearAndOnePixelRead(benchmark::State& state) {
    openCameraOnce();
    SceneNode* root = buildStack(30);
    GLubyte pixel[4] = {};
    for (auto _ : state) {
        state.PauseTiming();
        drawAndSwap(root);
        pickState().pickables.clear();
        state.ResumeTiming();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        readPixels(camera()->width / 2, camera()->height / 2, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, pixel);
        benchmark::DoNotOptimize(pixel[0]);
    }
    state.counters["samples"] = sampleCount();
    state.counters["width"] = camera()->width;
    state.counters["height"] = camera()->height;
    destroyStack(root);
}
BENCHMARK(BM_FullWindowClearAndOnePixelRead)->Iterations(300)->Unit(benchmark::kMillisecond);

}  // namespace
