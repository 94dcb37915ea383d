// The frame benchmark: the real program, started on the generated archives with
// page 18 open, stepped pass by pass under software OpenGL. Prints one report.
//
// Usage: bench_frame DATA_DIR [FRAMES]
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/camera.h"
#include "book/book_state.h"
#include "engine/input.h"
#include "engine/pick.h"
#include "app/settings_file.h"
#include "app/shell.h"
#include "book/page_catalog.h"
#include "book/painting.h"
#include "scene/mesh.h"
#include "scene/render.h"
#include "support/scene_probe.h"

using Clock = std::chrono::steady_clock;

static double msSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

static long trianglesDrawn(const SceneNode* node) {
    if (node->removing) return 0;
    long n = 0;
    for (const Mesh* m : node->meshes) n += m->triangleCount;
    for (const SceneNode* c : node->children) n += trianglesDrawn(c);
    return n;
}

struct FrameFigures {
    double fps = 0;
    double traversalMs = 0;  // render(root) and the flush: tracks, callbacks, GL submission
    double pickMs = 0;       // the whole picking pass, its drawing and read-back included
};

static FrameFigures measureFrames(int frames) {
    FrameFigures f;
    Clock::time_point start = Clock::now();
    for (int i = 0; i < frames; ++i) {
        pollInput();
        frameTime = SDL_GetTicks();
        Clock::time_point t0 = Clock::now();
        drawFrame(rootNode);
        f.traversalMs += msSince(t0);
        SDL_GL_SwapBuffers();
        Clock::time_point t1 = Clock::now();
        runPickPass();
        f.pickMs += msSince(t1);
    }
    double total = msSince(start);
    f.fps = frames * 1000.0 / total;
    f.traversalMs /= frames;
    f.pickMs /= frames;
    return f;
}

static double bareLoopFps(int frames) {
    Clock::time_point start = Clock::now();
    for (int i = 0; i < frames; ++i) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SDL_GL_SwapBuffers();
    }
    return frames * 1000.0 / msSince(start);
}

int main(int argc, char** argv) {
    Clock::time_point processStart = Clock::now();
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_frame DATA_DIR [FRAMES]\n");
        return 2;
    }
    int frames = argc > 2 ? std::atoi(argv[2]) : 200;

    // A settings file that opens page 18 without the help screen.
    char folder[] = "/tmp/qm_bench_XXXXXX";
    if (!mkdtemp(folder)) return 1;
    Settings opening;
    opening.showHelpAtStart = false;
    opening.musicOn = false;
    opening.soundOn = false;
    opening.pages.pageKeys = {18};
    opening.pages.pageLists.resize(1);
    opening.pages.currentList = 0;
    std::string path = std::string(folder) + "/velvadine_quillmead_cfg";
    if (!saveSettingsFile(opening, path)) return 1;
    setenv("XDG_DATA_HOME", folder, 1);
    if (chdir(argv[1]) != 0) {
        std::fprintf(stderr, "bench_frame: no folder %s\n", argv[1]);
        return 1;
    }

    if (!startUp()) return 1;
    runOnePass();
    double firstFrameMs = msSince(processStart);

    for (int i = 0; i < 20; ++i) runOnePass();

    // The pointer over the bare desk at the left edge.
    pointAt(4, camera->height / 2);
    FrameFigures bare = measureFrames(frames);
    bool bareHover = pickState.hovered != nullptr;

    // The pointer over a region of page 18.
    std::vector<SceneNode*> nodes = pickableNodes(rootNode);
    IdBuffer ids = renderIdBuffer(nodes);
    SceneNode* region = nullptr;
    for (SceneNode* n : book.pageHolder->children)
        if (elementOf(n) == 1) region = n;
    PixelSpot spot = deepestPixel(ids, int32_t(std::find(nodes.begin(), nodes.end(), region) - nodes.begin()));
    pointAt(spot.x, spot.glY);
    runOnePass();
    runOnePass();
    bool regionHovered = pickState.hovered == region;
    FrameFigures over = measureFrames(frames);

    // Page 18 built again: away to page 1, then back, from the request to the drawn frame.
    book.pendingPage = &pageTable[0];
    book.pageChangePending = true;
    for (int i = 0; i < 5; ++i) runOnePass();
    book.pendingPage = &pageTable[17];
    book.pageChangePending = true;
    // The pass that builds the page, split where the program's work ends: the
    // traversal that loads and builds it (with its GL commands queued), then the
    // swap and the wait until the frame is really drawn.
    Clock::time_point requested = Clock::now();
    pollInput();
    frameTime = SDL_GetTicks();
    drawFrame(rootNode);
    double builtMs = msSince(requested);
    SDL_GL_SwapBuffers();
    glFinish();
    double buildMs = msSince(requested);
    runPickPass();

    long triangles = trianglesDrawn(rootNode);
    double floorFps = bareLoopFps(frames);
    GLint samples = 0;
    glGetIntegerv(GL_SAMPLES, &samples);

    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);

    std::printf("frame benchmark %dx%d, %d samples, %d frames per figure\n", camera->width, camera->height,
                int(samples), frames);
    std::printf("  triangles drawn (desk with page 18)   %ld\n", triangles);
    std::printf("  pointer over bare desk: %7.1f fps  traversal %6.3f ms  picking %6.3f ms%s\n", bare.fps,
                bare.traversalMs, bare.pickMs, bareHover ? "" : " (nothing hovered)");
    std::printf("  pointer over a region:  %7.1f fps  traversal %6.3f ms  picking %6.3f ms%s\n", over.fps,
                over.traversalMs, over.pickMs, regionHovered ? "" : " (REGION NOT HOVERED)");
    std::printf("  floor (clear + swap):   %7.1f fps\n", floorFps);
    std::printf("  frame rate / floor:     %7.3f (bare desk)  %7.3f (over a region)\n", bare.fps / floorFps,
                over.fps / floorFps);
    std::printf("  page 18 built (traversal)             %.2f ms\n", builtMs);
    std::printf("  page 18 built and drawn in            %.2f ms\n", buildMs);
    std::printf("  start to first frame                  %.1f ms\n", firstFrameMs);
    std::printf("  peak resident memory                  %.1f MiB\n", usage.ru_maxrss / 1024.0);

    saveSettingsAndQuit();
    while (running()) runOnePass();
    shutDown();
    return 0;
}
