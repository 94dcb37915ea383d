// The access benchmark: the real program on the generated archives, page 1
// open, stepped pass by pass through the real main loop under software OpenGL
// with synthetic keys and motion and a clock of its own for scanning and
// dwell. Prints two reports:
//  - the presses (or rests) each method needs to paint one region of page 1
//    in a mixed colour (red into a well, yellow mixed into it, the mixture on
//    the region), beside the arrow-key presses a pointer moved pixel by pixel
//    would need for the same five clicks;
//  - the program's own work a frame while one switch scans at its fastest
//    (traversal with tracks, recording, comparing, and the access methods'
//    part), and how often and how long the targets' spots were found.
//
// Usage: bench_access DATA_DIR [FRAMES]
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/access_wiring.h"
#include "app/settings_file.h"
#include "app/shell.h"
#include "base/platform.h"
#include "book/book_state.h"
#include "book/page_store.h"
#include "engine/access.h"
#include "engine/camera.h"
#include "engine/engine_state.h"
#include "engine/frame_presenter.h"
#include "engine/targets.h"
#include "scene/render.h"
#include "screens/screen_state.h"
#include "support/desk_driver.h"
#include "support/scene_probe.h"

namespace {

uint32_t benchNow = 100000;
uint32_t benchClock() { return benchNow; }

const int kRedJar = 1, kYellowJar = 3;
const int32_t kRegion = 7;
int presses = 0;

void press(SDLKey key) {
    pushKey(key);
    ++presses;
    passes(3);
}

int32_t groupOf(SceneNode* node) {
    int32_t index = targetIndexOf(targetList, node), group = -1, item = 0;
    if (index >= 0) groupAndItemOf(targetList, index, group, item);
    return group;
}

bool tabTo(SceneNode* node) {
    for (int i = 0; i < 300 && !(accessState.cursor.inGroup && accessState.focusNode == node); ++i) press(SDLK_TAB);
    return accessState.focusNode == node;
}

bool scanTo(SceneNode* node) {
    const int32_t group = groupOf(node);
    if (group < 0) return false;
    if (!accessState.cursor.inGroup) {
        for (int i = 0; i < 50 && accessState.cursor.group != group; ++i) press(SDLK_SPACE);
        press(SDLK_RETURN);
    }
    for (int i = 0; i < 300 && accessState.focusNode != node; ++i) press(SDLK_SPACE);
    if (accessState.focusNode != node) return false;
    press(SDLK_RETURN);
    return true;
}

// One switch: the clock moves the focus; returns the periods waited.
int waitAndSelect(SceneNode* node) {
    const int32_t group = groupOf(node);
    int waited = 0;
    for (int step = 0; step < 400; ++step) {
        const ScanCursor& c = accessState.cursor;
        bool onGroup = c.shown && !c.inGroup && c.group == group;
        bool onNode = c.inGroup && accessState.focusNode == node;
        if ((onGroup || onNode) && int32_t(benchNow - accessState.restUntil) >= 0) {
            press(SDLK_SPACE);
            if (onNode) return waited;
            continue;
        }
        benchNow += accessState.settings.scanMs;
        ++waited;
        passes(2);
    }
    return -1;
}

void dwellOn(SceneNode* node) {
    pointAt(2, 2);
    passes(2);
    hover(node);
    benchNow += accessState.settings.dwellMs + 1;
    passes(3);
}

std::string freshBook() {
    char folder[] = "/tmp/qm_access_bench_XXXXXX";
    if (!mkdtemp(folder)) std::abort();
    Settings opening;
    opening.showHelpAtStart = false;
    opening.musicOn = false;
    opening.soundOn = false;
    std::string path = std::string(folder) + "/velvadine_quillmead_cfg";
    if (!saveSettingsFile(opening, path)) std::abort();
    return path;
}

void start(AccessMethod method) {
    resetSceneState();
    resetEngineState();
    resetBook();
    resetScreens();
    Options options;
    options.accessMethod = int32_t(method);
    startUpWithSettingsPath(freshBook(), options);
    accessState.clock = benchClock;
    passes(3);
}

void stop() {
    remove(shellState().rootNode);
    for (int pass = 0; pass < 1000 && running(); ++pass) runOnePass();
    shutDown();
}

// Arrow-key presses of a pointer moved one pixel a press from the window's
// centre through the five targets' spots.
int pixelPresses(const std::vector<SceneNode*>& path) {
    int x = camera()->width / 2, y = camera()->height / 2, total = 0;
    for (SceneNode* node : path) {
        int32_t index = targetIndexOf(targetList, node);
        if (index < 0) return -1;
        const TargetSpot& spot = targetList.targets[size_t(index)].spot;
        total += std::abs(spot.x - x) + std::abs(spot.y - y) + 1;  // and the click
        x = spot.x;
        y = spot.y;
    }
    return total;
}

bool painted() { return isElementPainted(kRegion) && getElementColor(kRegion).yellow > 0.1; }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_access DATA_DIR [FRAMES]\n");
        return 2;
    }
    const int frames = argc > 2 ? std::atoi(argv[2]) : 600;
    if (!changeWorkingFolder(argv[1])) {
        std::fprintf(stderr, "bench_access: no folder %s\n", argv[1]);
        return 1;
    }
    const char* names[] = {"keys (Tab, Space)", "two switches", "one switch", "dwell"};
    int pixels = 0;
    std::printf("access, painting region %d of page 1 in a mixed colour (five clicks):\n", int(kRegion));
    for (int m = 0; m < 4; ++m) {
        start(AccessMethod(m));
        presses = 0;
        int periods = 0;
        auto steps = [&]() {
            return std::vector<SceneNode*>{jarBody(kRedJar), wellNode(0), jarBody(kYellowJar), wellNode(0),
                                           regionNode(kRegion)};
        };
        if (AccessMethod(m) == AccessMethod::switch2) pixels = pixelPresses(steps());
        for (int k = 0; k < 5; ++k) {
            SceneNode* node = steps()[size_t(k)];
            switch (AccessMethod(m)) {
                case AccessMethod::keys:
                    tabTo(node);
                    press(SDLK_SPACE);
                    break;
                case AccessMethod::switch2:
                    scanTo(node);
                    break;
                case AccessMethod::switch1:
                    periods += waitAndSelect(node);
                    break;
                case AccessMethod::dwell:
                    dwellOn(node);
                    break;
            }
        }
        passes(2);
        if (AccessMethod(m) == AccessMethod::switch1)
            std::printf("  %-18s %3d presses, %d scan periods waited (%.1f s at 1.5 s)%s\n", names[m], presses, periods,
                        periods * 1.5, painted() ? "" : "  NOT PAINTED");
        else if (AccessMethod(m) == AccessMethod::dwell)
            std::printf("  %-18s   0 presses, 5 rests of 1 s%s\n", names[m], painted() ? "" : "  NOT PAINTED");
        else
            std::printf("  %-18s %3d presses%s\n", names[m], presses, painted() ? "" : "  NOT PAINTED");
        stop();
    }
    std::printf("  %-18s %3d presses (a pointer moved pixel by pixel with arrow keys, and the clicks)\n",
                "for comparison", pixels);

    // One switch scanning at its fastest, the focus moving every 500 ms of the
    // benchmark's clock (30 passes at 60 Hz).
    start(AccessMethod::switch1);
    accessState.settings.scanMs = kLeastScanMs;
    presenter.counts = PresenterCounts();
    accessState.counts = AccessState::Counts();
    const int64_t movesBefore = accessState.focusMoves;
    for (int i = 0; i < frames; ++i) {
        benchNow += 1000 / 60;
        runOnePass();
    }
    const PresenterCounts& p = presenter.counts;
    const AccessState::Counts& a = accessState.counts;
    const double perFrame = (p.recordMs + p.damageMs + a.ms) / double(p.frames ? p.frames : 1);
    std::printf("one switch scanning every 0.5 s, %d passes at %dx%d (%s):\n", frames, camera()->width, camera()->height,
                getenv("QM_SDL_RUNTIME") ? getenv("QM_SDL_RUNTIME") : "classic");
    std::printf("  program's own work a frame: %.3f ms (traversal and recording %.3f, comparing %.3f, access %.3f)\n",
                perFrame, p.recordMs / double(p.frames ? p.frames : 1), p.damageMs / double(p.frames ? p.frames : 1),
                a.ms / double(a.passes ? a.passes : 1));
    std::printf("  focus moves %lld; spot passes %lld, %.2f ms each; slowest access pass %.2f ms\n",
                (long long)(accessState.focusMoves - movesBefore), (long long)a.spotPasses,
                a.spotPasses ? a.spotMs / double(a.spotPasses) : 0.0, a.slowestMs);
    std::printf("  access without the spot passes: %.4f ms a pass\n",
                (a.ms - a.spotMs) / double(a.passes ? a.passes : 1));
    // What finding the spots costs, once per act and per change of the
    // targets (a page turned, a screen opened, a drop come or gone).
    accessState.counts = AccessState::Counts();
    const int kSpotRuns = 20;
    for (int i = 0; i < kSpotRuns; ++i) {
        accessState.spotsWanted = true;
        runOnePass();
    }
    std::printf("  finding the spots (an act, or the targets changed): %.2f ms\n",
                accessState.counts.spotMs / double(accessState.counts.spotPasses ? accessState.counts.spotPasses : 1));
    stop();
    return 0;
}
