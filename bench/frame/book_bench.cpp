// The book's moving parts in the real program: frames with three overlapping
// jar bursts (60 stars, 120 extra nodes) against the same frames without, the
// program's own per-frame work with the bursts flying, and a page turn from the
// key press to the new page's first frame. Prints one report.
//
// Usage: bench_book DATA_DIR [FRAMES]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/settings_file.h"
#include "app/shell.h"
#include "book/book_state.h"
#include "book/page_store.h"
#include "book/star_burst.h"
#include "engine/camera.h"
#include "engine/frame_presenter.h"
#include "engine/input.h"
#include "engine/pick.h"
#include "scene/render.h"
#include "support/desk_driver.h"
#include "support/scene_probe.h"

using Clock = std::chrono::steady_clock;

static double msSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

// Carriers of the jar's bursts still flying (the lid is the jar's other child).
static size_t liveCarriers(SceneNode* jar) {
    size_t n = 0;
    for (SceneNode* c : jar->children) n += !c->removing && c->meshes.empty();
    return n;
}

// What the traversal does apart from OpenGL: the walk, every animator with its
// tracks, the pickable registration and the sweep of dead nodes. It mirrors
// render() without a single GL call; the meshes are not drawn.
static void programWork(SceneNode* node) {
    sceneState().currentNode = node;
    if (!node->removing) {
        updateAnimator(node->animator);
        if (node->hasModel)
            for (const NodeCallbackEntry& c : node->callbacks)
                if (c.fn == pickableCallback) registerPickable();
    }
    for (size_t i = 0; i < node->children.size(); ++i) programWork(node->children[i]);
}

struct Figures {
    int frames = 0;
    double frameMs = 0, traversalMs = 0, pickMs = 0, ownMs = 0, ownWorst = 0;
};

// One real pass, timed in its parts (the pass of runOnePass without the save keeper).
static void timedPass(Figures& f, Clock::time_point start) {
    pollInput();
    sceneState().frameTime = SDL_GetTicks();
    Clock::time_point t0 = Clock::now();
    presentFrame(shellState().rootNode);
    f.traversalMs += msSince(t0);
    Clock::time_point t1 = Clock::now();
    runPickPass();
    f.pickMs += msSince(t1);
    f.frameMs += msSince(start);
    ++f.frames;
}

// Frames with bursts (three at a time, measured only while all 60 stars fly)
// or without; the program's own work measured on alternate frames.
static Figures measure(int frames, bool bursts) {
    Figures f;
    int ownFrames = 0;
    SceneNode* jar = jarBody(6);
    while (f.frames < frames) {
        if (bursts && liveCarriers(jar) == 0)
            for (int i = 0; i < 3; ++i) starBurst(jar, jar->color, jarBurst);
        if (bursts && liveCarriers(jar) != 60) {
            runOnePass();  // the next bursts wait for the last stars to go
            continue;
        }
        timedPass(f, Clock::now());
        sceneState().frameTime = SDL_GetTicks();
        Clock::time_point t = Clock::now();
        programWork(shellState().rootNode);
        pickState().pickables.clear();
        double own = msSince(t);
        f.ownMs += own;
        f.ownWorst = std::max(f.ownWorst, own);
        ++ownFrames;
    }
    f.frameMs /= f.frames;
    f.traversalMs /= f.frames;
    f.pickMs /= f.frames;
    f.ownMs /= ownFrames;
    return f;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_book DATA_DIR [FRAMES]\n");
        return 2;
    }
    int frames = argc > 2 ? std::atoi(argv[2]) : 200;

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
        std::fprintf(stderr, "bench_book: no folder %s\n", argv[1]);
        return 1;
    }
    if (!startUp()) return 1;
    for (int i = 0; i < 20; ++i) runOnePass();
    pointAt(4, camera()->height / 2);  // the bare desk at the left edge
    for (int i = 0; i < 2; ++i) runOnePass();

    Figures calm = measure(frames, false);
    Figures flying = measure(frames, true);
    while (liveCarriers(jarBody(6)) > 0 || jarBody(6)->children.size() > 1) runOnePass();

    // Page turns round the whole book: the key drained, the page built and drawn.
    double turnSum = 0, turnWorst = 0, page18 = 0;
    for (int i = 0; i < 21; ++i) {
        pushKey(SDLK_RIGHT);
        Clock::time_point pressed = Clock::now();
        runOnePass();
        glFinish();
        double ms = msSince(pressed);
        turnSum += ms;
        turnWorst = std::max(turnWorst, ms);
        if (currentPageNumber() == 18) page18 = ms;
        for (int k = 0; k < 3; ++k) runOnePass();
    }

    GLint samples = 0;
    glGetIntegerv(GL_SAMPLES, &samples);
    std::printf("book benchmark %dx%d, %d samples, %d frames per figure\n", camera()->width, camera()->height,
                int(samples), frames);
    std::printf("  no bursts:         frame %6.2f ms  traversal %6.2f ms  picking %6.2f ms  own work %6.3f ms\n",
                calm.frameMs, calm.traversalMs, calm.pickMs, calm.ownMs);
    std::printf("  three jar bursts:  frame %6.2f ms  traversal %6.2f ms  picking %6.2f ms  own work %6.3f ms"
                " (worst %.3f)\n",
                flying.frameMs, flying.traversalMs, flying.pickMs, flying.ownMs, flying.ownWorst);
    std::printf("  page turn, key to first frame: mean %.1f ms, worst %.1f ms, to page 18 %.1f ms\n",
                turnSum / 21, turnWorst, page18);

    saveSettingsAndQuit();
    while (running()) runOnePass();
    shutDown();
    return 0;
}
