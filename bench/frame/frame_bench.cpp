// The frame benchmark: the real program, started on the generated archives with
// page 18 open, stepped pass by pass through the real main loop under software
// OpenGL, with the pointer moved by synthetic events. Prints one report: the
// floor (the cheapest way to show a multisampled frame), the frame rate while
// the pointer moves over the page and over the jars, the program's own work per
// frame with three star bursts flying, the CPU time while nothing moves, key
// (or click) to first frame for a page turn, the help screen, the menu, the
// about screen over it, the exit question and "Who is painting?" (the chooser
// of a child's book, all twelve animals), each opened and closed, and peak
// memory.
//
// Usage: bench_frame DATA_DIR [FRAMES]
#ifdef _WIN32
#include <windows.h>
// After windows.h.
#include <psapi.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/hud_actions.h"
#include "app/settings_file.h"
#include "app/shell.h"
#include "base/platform.h"
#include "book/book_state.h"
#include "book/painting.h"
#include "book/star_burst.h"
#include "engine/audio.h"
#include "engine/camera.h"
#include "engine/frame_presenter.h"
#include "engine/input.h"
#include "engine/offscreen.h"
#include "engine/pick.h"
#include "engine/switches.h"
#include "scene/picture_preparer.h"
#include "screens/chooser_entries.h"
#include "screens/chooser_screen.h"
#include "screens/screen_state.h"
#include "screens/screens.h"
#include "support/desk_driver.h"
#include "support/scene_probe.h"

using Clock = std::chrono::steady_clock;

static double msSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

#ifdef _WIN32
static double cpuSeconds() {
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user)) return 0;
    auto seconds = [](FILETIME t) { return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7; };
    return seconds(kernel) + seconds(user);
}

static double peakResidentMiB() {
    PROCESS_MEMORY_COUNTERS counters{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return double(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}
#else
static double cpuSeconds() {
    struct rusage u;
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

static double peakResidentMiB() {
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}
#endif

static size_t liveCarriers(SceneNode* jar) {
    size_t n = 0;
    for (SceneNode* c : jar->children) n += !c->removing && c->meshes.empty();
    return n;
}

static void pushMotion(int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = Uint16(std::max(0, x));
    e.motion.y = Uint16(std::max(0, y));
    SDL_PushEvent(&e);
}

// The window box (top-down rows) that the nodes show in.
struct Box {
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
};

static Box boxOf(const std::vector<SceneNode*>& wanted) {
    std::vector<SceneNode*> nodes = pickableNodes(shellState().rootNode);
    IdBuffer ids = renderIdBuffer(nodes);
    std::vector<bool> isWanted(nodes.size(), false);
    for (size_t i = 0; i < nodes.size(); ++i)
        isWanted[i] = std::find(wanted.begin(), wanted.end(), nodes[i]) != wanted.end();
    Box b;
    for (int y = 0; y < ids.height; ++y)
        for (int x = 0; x < ids.width; ++x) {
            int32_t id = ids.ids[size_t(y) * size_t(ids.width) + size_t(x)];
            if (id < 0 || size_t(id) >= nodes.size() || !isWanted[size_t(id)]) continue;
            const int top = ids.height - 1 - y;
            b.x0 = std::min(b.x0, x);
            b.x1 = std::max(b.x1, x);
            b.y0 = std::min(b.y0, top);
            b.y1 = std::max(b.y1, top);
        }
    return b;
}

struct Moving {
    double fps = 0;
    double damagedShare = 0;  // of the window, per frame drawn
    double itemsShare = 0;    // meshes drawn of meshes recorded
};

// The pointer moving continuously, 6 pixels a frame, back and forth across the
// box along a slow wave: a child's hand moving the brush.
static Moving moveAcross(const Box& b, int frames) {
    const PresenterCounts before = presenter.counts;
    const int width = std::max(1, b.x1 - b.x0), height = std::max(1, b.y1 - b.y0);
    Clock::time_point start = Clock::now();
    for (int i = 0; i < frames; ++i) {
        const int travel = (i * 6) % (2 * width);
        const int x = b.x0 + (travel < width ? travel : 2 * width - travel);
        const int y = b.y0 + int((0.5 + 0.4 * std::sin(i * 0.05)) * height);
        pushMotion(x, y);
        runOnePass();
    }
    Moving m;
    m.fps = frames * 1000.0 / msSince(start);
    const PresenterCounts& after = presenter.counts;
    const double drawn = double(after.partialFrames + after.wholeFrames - before.partialFrames - before.wholeFrames);
    if (drawn > 0)
        m.damagedShare = double(after.pixelsDrawn - before.pixelsDrawn) / drawn / (camera()->width * camera()->height);
    if (after.itemsRecorded > before.itemsRecorded)
        m.itemsShare = double(after.itemsDrawn - before.itemsDrawn) / double(after.itemsRecorded - before.itemsRecorded);
    return m;
}

// The floor: the cheapest way to show a multisampled frame. Clear the
// multisampled picture, copy it to the window, swap; where frames go straight
// into a multisampled window, clear and swap.
static double floorFps(int frames) {
    OffscreenTarget target;
    const bool picture = camera()->pictureSamples > 0 &&
                         openMultisampledOffscreen(target, camera()->width, camera()->height, camera()->pictureSamples, true);
    Clock::time_point start = Clock::now();
    for (int i = 0; i < frames; ++i) {
        if (picture) bindOffscreen(&target);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        if (picture) copyOffscreen(target, nullptr);
        SDL_GL_SwapBuffers();
    }
    glFinish();
    const double fps = frames * 1000.0 / msSince(start);
    if (picture) closeOffscreen(target);
    redrawWholeNextFrame();
    return fps;
}

// The program's own work per frame while three jar bursts fly: the traversal
// with every track, the recording and the comparison with the frame before.
static double ownWorkWithBursts(int frames, double* worst) {
    SceneNode* jar = jarBody(6);
    double sum = 0;
    int measured = 0;
    *worst = 0;
    while (measured < frames) {
        if (liveCarriers(jar) == 0)
            for (int i = 0; i < 3; ++i) starBurst(jar, jar->color, jarBurst);
        const PresenterCounts before = presenter.counts;
        runOnePass();
        if (liveCarriers(jar) != 60) continue;
        const double own = presenter.counts.recordMs + presenter.counts.damageMs - before.recordMs - before.damageMs;
        sum += own;
        *worst = std::max(*worst, own);
        ++measured;
    }
    while (jar->children.size() > 1) runOnePass();
    return sum / frames;
}

// CPU time of the whole process (every thread, llvmpipe's included) over
// seconds of the real loop with nothing moving, as a share of one core.
static double restingCpuShare(double seconds) {
    for (int i = 0; i < 30; ++i) runOnePass();
    const double cpu0 = cpuSeconds();
    Clock::time_point start = Clock::now();
    while (msSince(start) < seconds * 1000.0) runOnePass();
    return (cpuSeconds() - cpu0) / (msSince(start) / 1000.0);
}

// From the key press (or the click) to the first frame drawn with it: the
// whole pass, and of it the traversal (where a screen's or page's nodes are
// built) apart from the drawing and showing; how the frame was drawn.
struct FirstFrame {
    double ms = 0;
    double buildMs = 0;  // traversal with its tracks and recording
    const char* how = "";
};

static FirstFrame firstFrameAfter(void (*act)()) {
    const PresenterCounts before = presenter.counts;
    act();
    Clock::time_point pressed = Clock::now();
    runOnePass();
    glFinish();
    FirstFrame f;
    f.ms = msSince(pressed);
    const PresenterCounts& after = presenter.counts;
    f.buildMs = after.recordMs - before.recordMs;
    f.how = after.wholeFrames > before.wholeFrames           ? "whole"
            : after.framesFromAhead > before.framesFromAhead ? "copied from the frame drawn ahead"
            : after.insertedFrames > before.insertedFrames ? "added over the picture kept"
            : after.partialFrames > before.partialFrames   ? "damage only"
                                                           : "nothing drawn";
    return f;
}

static void printFirstFrame(const char* what, const FirstFrame& f, const char* more = "") {
    std::printf("  %-36s %7.1f ms (build %.1f ms, draw and show %.1f ms; %s)%s\n", what, f.ms, f.buildMs,
                f.ms - f.buildMs, f.how, more);
}

// Until the scene is still: two passes in a row draw nothing (at rest a pass
// sleeps until the next change is due, so counting passes would wait long).
static void settle() {
    for (int i = 0, still = 0; i < 200 && still < 2; ++i) {
        const int64_t unchanged = presenter.counts.unchangedFrames;
        runOnePass();
        still = presenter.counts.unchangedFrames != unchanged ? still + 1 : 0;
    }
}

// A child's pause before a turn: long enough for both turns to be drawn ahead
// (the neighbour pages prepared first), when the presenter draws them.
static void restBeforeTurning() {
    settle();
    for (int i = 0; i < 900 && presenter.ahead.on && (!preparationSettled() || presenter.ahead.unchecked[0] ||
                                                      presenter.ahead.unchecked[1]);
         ++i)
        runOnePass();
}

// The mean time of the passes that drew over n passes (at rest the loop sleeps
// between frames, which is no frame's cost).
static double drawnFrameMs(int n) {
    double sum = 0;
    int drawn = 0;
    for (int i = 0; i < n; ++i) {
        const int64_t unchanged = presenter.counts.unchangedFrames;
        Clock::time_point start = Clock::now();
        runOnePass();
        glFinish();
        if (presenter.counts.unchangedFrames != unchanged) continue;
        sum += msSince(start);
        ++drawn;
    }
    return drawn > 0 ? sum / drawn : 0;
}

int main(int argc, char** argv) {
    Clock::time_point processStart = Clock::now();
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_frame DATA_DIR [FRAMES]\n");
        return 2;
    }
    const int frames = argc > 2 ? std::atoi(argv[2]) : 200;

    // A settings file that opens page 18 without the help screen (on Windows in
    // the AppData of the wine prefix the benchmark runs in).
#ifndef _WIN32
    char folder[] = "/tmp/qm_bench_XXXXXX";
    if (!mkdtemp(folder)) return 1;
#endif
    Settings opening;
    opening.showHelpAtStart = false;
    opening.musicOn = false;
    opening.soundOn = false;
    opening.pages.pageKeys = {18};
    opening.pages.pageLists.resize(1);
    opening.pages.currentList = 0;
#ifdef _WIN32
    std::string path = defaultSettingsPath();
#else
    std::string path = std::string(folder) + "/velvadine_quillmead_cfg";
    setenv("XDG_DATA_HOME", folder, 1);
#endif
    if (!saveSettingsFile(opening, path)) return 1;
    if (!changeWorkingFolder(argv[1])) {
        std::fprintf(stderr, "bench_frame: no folder %s\n", argv[1]);
        return 1;
    }

    if (!startUp()) return 1;
    runOnePass();
    glFinish();
    const double firstFrameMs = msSince(processStart);
    for (int i = 0; i < 20; ++i) runOnePass();

    std::vector<SceneNode*> regions(book().pageHolder->children.begin(), book().pageHolder->children.end());
    const Box page = boxOf(regions);
    std::vector<SceneNode*> jars;
    for (size_t j = 0; j < shellState().rootNode->children[3]->children.size(); ++j) jars.push_back(jarBody(int(j)));
    const Box jarRow = boxOf(jars);

    const double floor = floorFps(frames);
    const Moving overPage = moveAcross(page, frames);
    const Moving overJars = moveAcross(jarRow, frames);
    pushMotion(4, camera()->height / 2);  // away to the bare desk
    for (int i = 0; i < 40; ++i) runOnePass();
    double ownWorst = 0;
    const double own = ownWorkWithBursts(frames / 2, &ownWorst);
    const double restingQuiet = restingCpuShare(5.0);
    setSwitch(switches().musicOn, true);
    playSound("music.wav", true);
    const double restingMusic = restingCpuShare(5.0);

    // Key to first frame: a page turn there and back, the help screen, the
    // menu (a click on its button) and the exit question, each opened twice:
    // llvmpipe compiles its code for each new combination of state the first
    // time, so the second opening shows what a child waits for after that.
    restBeforeTurning();
    const FirstFrame turn = firstFrameAfter([] { pushKey(SDLK_RIGHT); });
    restBeforeTurning();
    const FirstFrame turnBack = firstFrameAfter([] { pushKey(SDLK_LEFT); });
    settle();
    const FirstFrame help = firstFrameAfter([] { pushKey(SDLK_F1); });
    const double helpFramesMs = drawnFrameMs(30);
    const FirstFrame helpClosing = firstFrameAfter([] { pushKey(SDLK_ESCAPE); });
    settle();
    const FirstFrame helpAgain = firstFrameAfter([] { pushKey(SDLK_F1); });
    settle();
    const FirstFrame helpClosingAgain = firstFrameAfter([] { pushKey(SDLK_ESCAPE); });
    settle();
    SceneNode* menuButton = findTrack(shellState().rootNode->children[2], openSetupAction);
    FirstFrame menu, menuAgain, menuClosing, about, aboutClosing;
    if (menuButton && hover(menuButton)) {
        settle();  // the button has grown under the pointer
        menu = firstFrameAfter(pushClick);
        settle();
        about = firstFrameAfter([] { openScreen(ModalLevel::subScreen, buildAboutScreen); });
        settle();
        aboutClosing = firstFrameAfter([] { pushKey(SDLK_ESCAPE); });
        settle();
        menuClosing = firstFrameAfter([] { pushKey(SDLK_ESCAPE); });
        settle();
        menuAgain = firstFrameAfter(pushClick);
        settle();
        pushKey(SDLK_ESCAPE);
        settle();
    }
    pushMotion(4, camera()->height / 2);
    settle();
    const FirstFrame exitQuestion = firstFrameAfter([] { pushKey(SDLK_ESCAPE); });
    settle();
    pushKey(SDLK_ESCAPE);
    settle();
    const FirstFrame exitAgain = firstFrameAfter([] { pushKey(SDLK_ESCAPE); });
    settle();
    const FirstFrame exitClosing = firstFrameAfter([] { pushKey(SDLK_ESCAPE); });
    settle();

    // "Who is painting?" over a child's book, with all twelve animals offered:
    // prepared in the background first, as after a start with books for each child.
    for (int32_t animal = 0; animal < animalCount; ++animal) chooserState().animals.push_back(animal);
    chooserState().current = 0;
    for (int i = 0; i < 3000 && !(checkedArchive(chooserArchive) && preparationSettled()); ++i) runOnePass();
    const bool chooserReady = checkedArchive(chooserArchive) && checkedArchive(chooserArchive)->ready;
    const FirstFrame chooser = firstFrameAfter(openChooserScreen);
    settle();
    const FirstFrame chooserClosing = firstFrameAfter([] { pushKey(SDLK_ESCAPE); });
    settle();
    const FirstFrame chooserAgain = firstFrameAfter(openChooserScreen);
    settle();
    pushKey(SDLK_ESCAPE);
    settle();

    const char* runtime = std::getenv("QM_SDL_RUNTIME");
    GLint windowSamples = 0;
    glGetIntegerv(GL_SAMPLES, &windowSamples);
    std::printf("frame benchmark %dx%d on %s, %s, %d frames per figure\n", camera()->width, camera()->height,
                runtime ? runtime : "SDL 1.2",
                camera()->pictureSamples > 0
                    ? "4 samples off-screen, what changed drawn again"
                    : (windowSamples > 0 ? "whole frames into a 4-sample window" : "whole frames, no multisampling"),
                frames);
    std::printf("  floor (clear, copy, swap)            %7.1f fps\n", floor);
    std::printf("  pointer moving over the page         %7.1f fps  %.2f of the floor  (%.1f%% of the window and"
                " %.0f%% of the meshes drawn a frame)\n",
                overPage.fps, overPage.fps / floor, 100 * overPage.damagedShare, 100 * overPage.itemsShare);
    std::printf("  pointer moving over the jars         %7.1f fps  %.2f of the floor  (%.1f%% of the window and"
                " %.0f%% of the meshes drawn a frame)\n",
                overJars.fps, overJars.fps / floor, 100 * overJars.damagedShare, 100 * overJars.itemsShare);
    std::printf("  own work a frame, three bursts       %7.3f ms (worst %.3f): traversal, tracks, recording,"
                " damage\n",
                own, ownWorst);
    std::printf("  nothing moving: CPU                  %7.1f%% of one core (music off), %.1f%% (music on)\n",
                100 * restingQuiet, 100 * restingMusic);
    printFirstFrame("page turn, key to first frame", turn);
    printFirstFrame("  and back", turnBack);
    char grows[96] = "; then nothing drawn while it stays open";
    if (helpFramesMs > 0) std::snprintf(grows, sizeof grows, "; then %.1f ms a frame while it settles", helpFramesMs);
    printFirstFrame("help screen, key to first frame", help, grows);
    printFirstFrame("  opened again", helpAgain);
    printFirstFrame("  closed", helpClosing);
    printFirstFrame("  closed again", helpClosingAgain);
    if (menuButton) {
        printFirstFrame("menu, click to first frame", menu);
        printFirstFrame("  opened again", menuAgain);
        printFirstFrame("  closed", menuClosing);
        printFirstFrame("about over the menu, first frame", about);
        printFirstFrame("  closed", aboutClosing);
    } else {
        std::printf("  menu: no menu button found\n");
    }
    printFirstFrame("exit question, key to first frame", exitQuestion);
    printFirstFrame("  opened again", exitAgain);
    printFirstFrame("  closed", exitClosing);
    printFirstFrame("chooser, twelve animals, first frame", chooser, chooserReady ? "" : " (not prepared)");
    printFirstFrame("  opened again", chooserAgain);
    printFirstFrame("  closed", chooserClosing);
    std::printf("  start to first frame                 %7.1f ms\n", firstFrameMs);
    std::printf("  peak resident memory                 %7.1f MiB\n", peakResidentMiB());
    std::printf("  frames: %lld whole, %lld partial, %lld added over the picture kept, %lld copied from a frame"
                " drawn ahead, %lld unchanged; %lld drawn ahead\n",
                static_cast<long long>(presenter.counts.wholeFrames),
                static_cast<long long>(presenter.counts.partialFrames),
                static_cast<long long>(presenter.counts.insertedFrames),
                static_cast<long long>(presenter.counts.framesFromAhead),
                static_cast<long long>(presenter.counts.unchangedFrames),
                static_cast<long long>(presenter.counts.framesDrawnAhead));

    saveSettingsAndQuit();
    while (running()) runOnePass();
    shutDown();
    return 0;
}
