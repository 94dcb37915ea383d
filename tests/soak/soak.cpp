// The soak: the real program (start-up, the main loop's passes, shutdown) in a
// small window for FRAMES frames of seeded random moves over the whole desk.
// What it holds is sampled in the resting state after the warm-up and every
// 10,000 frames, each time after a round through the book and back with the
// help opened on the way and the background preparation settled: the scene
// tree's nodes, the open archives and their references, the live textures, the
// procedural textures and their references must come back to the values of the
// first sample in the same language exactly (the same state holds the same
// things; the screens prepared are the language's), and the heap in use and the resident memory must stay
// within a few MiB of it. Prints the samples as a table and exits 1 naming
// whatever grew (or a step of the tour the program did not answer, or a
// screen on show while its level's modality flag is clear).
//
// Usage: soak FRAMES [SEED] [WIDTHxHEIGHT]   (under an X display: scripts/run-gl.sh)
//
// Home, settings and pictures live in a fresh folder under /tmp, removed at the
// end. The parents' link (which ends the program) runs a stand-in xdg-open from
// that folder that only notes the address. Whenever the program ends (that
// link, the exit screen's OK or Return, let through one time in twelve so that
// runs are long) it is shut down and started again in the next language, so
// start-up and shutdown are soaked too.
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/data_folder.h"
#include "app/keep_page.h"
#include "app/options.h"
#include "app/shell.h"
#include "book/book_state.h"
#include "engine/camera.h"
#include "engine/engine_state.h"
#include "engine/switches.h"
#include "proctex/procedural_texture.h"
#include "resources/pak.h"
#include "scene/mesh_buffer.h"
#include "scene/picture_preparer.h"
#include "scene/render.h"
#include "scene/texture.h"
#include "screens/screen_state.h"
#include "soak/soak.h"
#include "support/desk_driver.h"
#include "support/scene_probe.h"
#include "screens/screen_entries.h"

namespace fs = std::filesystem;

SoakCounts soak;

namespace {

const long kSampleEvery = 10000;
// Memory may move this much from the first sample. The heap in use (malloc's
// count of live bytes) is the sharp measure: a leak of a kilobyte a frame
// exceeds it within 5,000 frames, of a hundred bytes within 50,000. The
// resident size also holds what the allocator and the driver keep for reuse,
// which moves by some MiB with every new window (100,000 frames measured
// 150 to 173 MiB with the heap flat), even with free memory given back first.
const long kResidentToleranceKiB = 16 * 1024;
const long kHeapToleranceKiB = 4 * 1024;

int windowWidth = 400, windowHeight = 225;

struct Sample {
    long frame = 0;
    int start = 0;
    int language = 0;
    long counts[7] = {};  // as named by countNames
    long residentKiB = 0, heapKiB = 0;
    std::string archives;  // name:references of every open archive
};
const int kCounts = 7;
const char* const countNames[kCounts] = {"scene tree nodes",      "open archives",
                                         "archive references",    "live textures",
                                         "procedural textures",   "procedural references",
                                         "bytes in mesh buffers"};
const char* const countHeads[kCounts] = {"nodes",   "archives",  "arch.refs", "textures",
                                         "proctex", "proc.refs", "mesh KiB"};

long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, 6, "VmRSS:") == 0) return std::atol(line.c_str() + 6);
    return -1;
}

Sample takeSample() {
    // Free memory the allocator still holds goes back first, so that the
    // resident size counts what is in use.
    malloc_trim(0);
    Sample s;
    s.frame = soak.frames;
    s.start = soak.starts;
    s.language = switches().language;
    s.counts[0] = countNodes(shellState().rootNode);
    s.counts[1] = long(pakCache().archives.size());
    for (int32_t r : pakCache().references) s.counts[2] += r;
    s.counts[3] = liveTextureCount();
    s.counts[4] = long(proceduralTextures().textures.size());
    for (int32_t r : proceduralTextures().references) s.counts[5] += r;
    s.counts[6] = long(meshBufferBytes() / 1024);
    s.residentKiB = residentKiB();
    struct mallinfo2 heap = mallinfo2();
    s.heapKiB = long((heap.uordblks + heap.hblkhd) / 1024);
    for (size_t i = 0; i < pakCache().names.size(); ++i)
        s.archives += " " + pakCache().names[i] + ":" + std::to_string(pakCache().references[i]);
    return s;
}

bool sameCounts(const Sample& a, const Sample& b) {
    for (int i = 0; i < kCounts; ++i)
        if (a.counts[i] != b.counts[i]) return false;
    return true;
}

void printTable(const std::vector<Sample>& samples) {
    std::printf("%8s %5s", "frame", "start");
    for (const char* h : countHeads) std::printf(" %9s", h);
    std::printf(" %9s %9s\n", "heap MiB", "RSS MiB");
    for (const Sample& s : samples) {
        std::printf("%8ld %5d", s.frame, s.start);
        for (long c : s.counts) std::printf(" %9ld", c);
        std::printf(" %9.1f %9.1f\n", s.heapKiB / 1024.0, s.residentKiB / 1024.0);
    }
}

// The first sample taken in the same language as s.
const Sample& firstInLanguage(const std::vector<Sample>& samples, const Sample& s) {
    for (const Sample& earlier : samples)
        if (earlier.language == s.language) return earlier;
    return s;
}

// Every later sample against the first (its counts against the first in its
// language); one line per fault.
std::vector<std::string> growth(const std::vector<Sample>& samples) {
    std::vector<std::string> found;
    char line[200];
    for (size_t k = 1; k < samples.size(); ++k) {
        const Sample& s = samples[k];
        const Sample& first = firstInLanguage(samples, s);
        for (int i = 0; i < kCounts; ++i)
            if (s.counts[i] != first.counts[i]) {
                std::snprintf(line, sizeof line, "%s %s from %ld to %ld between frame %ld and frame %ld",
                              countNames[i], s.counts[i] > first.counts[i] ? "grew" : "shrank", first.counts[i],
                              s.counts[i], first.frame, s.frame);
                found.push_back(line);
                if (i == 1 || i == 2) found.push_back("  archives then:" + first.archives + "; now:" + s.archives);
            }
        const Sample& start = samples.front();
        if (s.heapKiB - start.heapKiB > kHeapToleranceKiB) {
            std::snprintf(line, sizeof line,
                          "heap in use grew by %.1f MiB (more than %ld MiB) between frame %ld and frame %ld",
                          (s.heapKiB - start.heapKiB) / 1024.0, kHeapToleranceKiB / 1024, start.frame, s.frame);
            found.push_back(line);
        }
        if (s.residentKiB - start.residentKiB > kResidentToleranceKiB) {
            std::snprintf(line, sizeof line,
                          "resident memory grew by %.1f MiB (more than %ld MiB) between frame %ld and frame %ld",
                          (s.residentKiB - start.residentKiB) / 1024.0, kResidentToleranceKiB / 1024, start.frame,
                          s.frame);
            found.push_back(line);
        }
    }
    return found;
}

// The stand-in browser launcher and the folders the program writes to.
std::string prepareHome() {
    char pattern[] = "/tmp/qm_soak_XXXXXX";
    if (!mkdtemp(pattern)) return "";
    std::string home = pattern;
    for (const char* sub : {"/home", "/data", "/config", "/bin"}) fs::create_directories(home + sub);
    setenv("HOME", (home + "/home").c_str(), 1);
    setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
    unsetenv("XDG_PICTURES_DIR");
    std::string opener = home + "/bin/xdg-open";
    std::ofstream(opener) << "#!/bin/sh\necho \"$1\" >> \"" << home << "/links\"\n";
    fs::permissions(opener, fs::perms::owner_all);
    const char* path = std::getenv("PATH");
    setenv("PATH", (home + "/bin:" + (path ? path : "/usr/bin:/bin")).c_str(), 1);
    return home;
}

// Pictures saved with Ctrl+S or Print since the last call; removed.
int takePictures(const std::string& home) {
    std::error_code ec;
    fs::path folder = fs::path(home) / "home/Pictures/Quillmead";
    int n = 0;
    for (const fs::directory_entry& e : fs::directory_iterator(folder, ec)) {
        fs::remove(e.path(), ec);
        ++n;
    }
    return n;
}

int linesIn(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    int n = 0;
    while (std::getline(in, line)) ++n;
    return n;
}

}  // namespace

void startProgram() {
    // What the last run left in the process-wide objects, as a fresh process has it.
    resetSceneState();
    resetEngineState();
    resetBook();
    resetScreens();
    Options options;
    options.windowWidth = windowWidth;
    options.windowHeight = windowHeight;
    if (soak.starts > 0) options.language = soak.starts % screenLanguageCount;
    if (!startUp(options)) {
        std::fprintf(stderr, "soak: the program did not start\n");
        std::exit(1);
    }
    ++soak.starts;
}

void soakPass() {
    runOnePass();
    ++soak.frames;
    noteScreens();
    if (running()) return;
    shutDown();
    // The parents' link's launchers, which the ended program would have left to init.
    while (waitpid(-1, nullptr, WNOHANG) > 0) {
    }
    startProgram();
}

void soakPasses(int n) {
    for (int i = 0; i < n; ++i) soakPass();
}

void soakPassesFor(double ms) {
    uint32_t since = sceneState().frameTime;
    while (double(sceneState().frameTime - since) <= ms) soakPass();
}

void soakUntilPrepared() {
    for (int pass = 0; pass < 3000; ++pass) {
        if (preparationSettled()) return;
        soakPass();
    }
    soak.faults.push_back("the background preparation did not settle within 3000 passes");
}

void pushPointer(int x, int y, bool click) {
    pointAt(x, camera()->height - y);
    if (click) pushClick();
}

int main(int argc, char** argv) {
    long frames = argc > 1 ? std::atol(argv[1]) : 0;
    unsigned seed = argc > 2 ? unsigned(std::strtoul(argv[2], nullptr, 10)) : 12u;
    if (argc > 3 && std::sscanf(argv[3], "%dx%d", &windowWidth, &windowHeight) != 2) frames = 0;
    if (frames <= 0) {
        std::fprintf(stderr, "usage: soak FRAMES [SEED] [WIDTHxHEIGHT]\n");
        return 2;
    }
    std::string home = prepareHome();
    if (home.empty() || !enterDataFolder(QM_DATA_DIR)) return 1;
    // Small pictures: Ctrl+S and Print are soaked, not the encoder.
    setKeptPageSize(200, 142);
    std::mt19937 rng(seed);
    auto began = std::chrono::steady_clock::now();

    // Warm-up: every page once, random moves, one end and start again, the tour.
    startProgram();
    turnThroughBook();
    turnBothWaysWithScreens();
    while (soak.frames < 1500) randomMove(rng);
    quitAndStartAgain();
    tourAndRest(rng);
    soakUntilPrepared();
    long warmUp = soak.frames;
    soak.frames = 0;
    std::vector<Sample> samples{takeSample()};
    int pictures = takePictures(home);

    for (long target = kSampleEvery;; target += kSampleEvery) {
        if (target > frames) target = frames;
        while (soak.frames < target) randomMove(rng);
        turnBothWaysWithScreens();
        tourAndRest(rng);
        soakUntilPrepared();
        Sample s = takeSample();
        if (!sameCounts(s, samples.front())) {
            // Something still on its way out gets a second look before it counts.
            soakPassesFor(2000);
            s = takeSample();
        }
        samples.push_back(s);
        pictures += takePictures(home);
        if (target >= frames) break;
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    long total = warmUp + soak.frames;

    saveSettingsAndQuit();
    while (running()) runOnePass();
    shutDown();

    printTable(samples);
    std::printf("soak: %ld frames after %ld of warm-up at %dx%d, seed %u, in %.0f s (%.2f ms a frame)\n", soak.frames,
                warmUp, windowWidth, windowHeight, seed, seconds, 1000.0 * seconds / double(total));
    std::printf("soak: %d starts, %d clicks, %d keys, %d pictures saved, %d parents' links opened\n", soak.starts,
                soak.clicks, soak.keys, pictures, linesIn(home + "/links"));
    std::printf("soak: screens opened: help %d, setup %d, about %d, clear all %d, exit %d, clear page %d\n",
                soak.openings[helpScreen], soak.openings[setupScreen], soak.openings[aboutScreen],
                soak.openings[clearAllScreen], soak.openings[exitScreen], soak.openings[clearPageScreen]);
    std::error_code ec;
    fs::remove_all(home, ec);

    std::vector<std::string> faults = growth(samples);
    faults.insert(faults.end(), soak.faults.begin(), soak.faults.end());
    for (const std::string& f : faults) std::fprintf(stderr, "soak: FAILED: %s\n", f.c_str());
    if (!faults.empty()) return 1;
    std::printf("soak: nothing grew\n");
    return 0;
}
