// Nothing painted is lost: the settings file follows every change while the
// program runs, damaged files are set aside instead of overwritten, whatever sits
// at the settings path neither stops nor loses the program, and a tap lands where
// it was made. All through the real loop with synthetic events.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <string>

#include "app/settings_file.h"
#include "app/settings_saver.h"
#include "app/shell.h"
#include "base/platform.h"
#include "book/book_state.h"
#include "book/page_store.h"
#include "engine/frame_presenter.h"
#include "engine/input.h"
#include "engine/pick.h"
#include "scene/paint_color.h"
#include "screens/screen_state.h"
#include "support/desk_driver.h"
#include "support/gl_fixture.h"
#include "support/scene_probe.h"
#include "support/test_support.h"

namespace {

PixelSpot spotOf(SceneNode* node) {
    std::vector<SceneNode*> nodes = pickableNodes(shellState().rootNode);
    auto it = std::find(nodes.begin(), nodes.end(), node);
    EXPECT_NE(it, nodes.end());
    PixelSpot spot = deepestPixel(renderIdBuffer(nodes), int32_t(it - nodes.begin()));
    EXPECT_TRUE(spot.found);
    return spot;
}

// The way a touchscreen taps: the pointer jumps and the button goes down and up
// in the same pass.
void tap(SceneNode* node) {
    PixelSpot spot = spotOf(node);
    pointAt(spot.x, spot.glY);
    pushClick();
}

// Runs the loop until the keeper has finished `writes` writes (bounded).
bool runUntilWritten(int writes) {
    for (int pass = 0; pass < 5000 && settingsWritesDone() < writes; ++pass) {
        runOnePass();
        usleep(2000);
    }
    return settingsWritesDone() >= writes;
}

// Runs passes until the file holds the book as it is now (a write may come in the
// middle of a change, so counting writes is not enough).
bool runUntilFileHoldsTheBook(const std::string& path) {
    for (int pass = 0; pass < 5000; ++pass) {
        if (readFileBytes(path) == writeSettings(currentSettings())) return true;
        runOnePass();
        usleep(2000);
    }
    return false;
}

// A book with region 3 painted red on each of pages, the first one shown.
Settings regionThreeRedOn(const std::vector<int32_t>& pages) {
    Settings s;
    ElementColorRecord red;
    red.element = 3;
    red.painted = true;
    setPaint(red.color, 1, 0, 0);
    s.pages.pageKeys = pages;
    s.pages.pageLists.assign(pages.size(), {red});
    s.pages.currentList = 0;
    return s;
}

// Runs the loop until paintingsWillBeKept() says kept (bounded): the keeper's
// verdict follows the writes, which its own thread makes.
bool runUntilKeeperSays(bool kept) {
    for (int pass = 0; pass < 5000 && paintingsWillBeKept() != kept; ++pass) {
        runOnePass();
        usleep(2000);
    }
    return paintingsWillBeKept() == kept;
}

struct KeepingPaintings : ::testing::Test {
    std::string folder = makeTempDir("qm_keep");
    std::string path = folder + "/velvadine_quillmead_cfg";
    void start(const std::string& settings) {
        ASSERT_TRUE(startUpForTest(settings));
        passes(2);
        ASSERT_NE(book().pageHolder, nullptr);
    }
    void paint(int jar, int32_t region) {
        tap(jarBody(jar));
        passes(2);
        tap(regionNode(region));
        passes(2);
    }
    void TearDown() override { shutDownForTest(); }
};

// The exit question opened with Escape and left to settle: which panel it
// shows ("menu_exit" or "menu_exit_unkept"), and the window's pixels.
struct ExitQuestion {
    bool promises = false, saysUnkept = false;
    std::vector<uint8_t> pixels;
};
ExitQuestion openExitQuestion() {
    pushKey(SDLK_ESCAPE);
    passesUntil(sceneState().frameTime, 600);
    ExitQuestion q;
    SceneNode* layer = screenState().layer;
    if (!layer || layer->children.empty()) return q;
    const SceneNode* panel = layer->children.back()->children.at(0)->children.at(0);
    q.promises = showsModel(panel, "menu_exit", "langen.pak");
    q.saysUnkept = showsModel(panel, "menu_exit_unkept", "langen.pak");
    q.pixels = drawWholeFrameRgb(shellState().rootNode);
    return q;
}
// How many pixels differ between two pictures of the same window.
size_t pixelsDiffering(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    size_t n = 0;
    for (size_t i = 0; i + 2 < a.size() && i + 2 < b.size(); i += 3)
        n += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2];
    return n;
}

TEST_F(KeepingPaintings, ATapPaintsWhereItLandsNotWhereThePointerWas) {
    start(path);
    SceneNode* region = regionNode(3);
    tap(jarBody(1));  // red
    runOnePass();
    // The press waited for the pick at its own position: nothing was clicked yet.
    EXPECT_FALSE(input().leftClicked);
    EXPECT_TRUE(book().brushClean);
    runOnePass();
    EXPECT_FALSE(book().brushClean);
    EXPECT_EQ(book().brushColor.red, 1.0);

    tap(region);
    passes(2);
    EXPECT_EQ(region->color.red, 1.0);
    EXPECT_TRUE(isElementPainted(3));
    // An ordinary click on a resting pointer keeps its timing: it counts at once.
    passes(1);
    pushClick();
    runOnePass();
    EXPECT_TRUE(input().leftClicked);
}

// Within a couple of seconds of a change the file holds it; a write that fails
// part-way leaves the old file as it was, and the next change is saved again.
TEST_F(KeepingPaintings, ChangesReachTheFileAndAFailedWriteKeepsTheOldOne) {
    start(path);
    paint(1, 3);
    ASSERT_TRUE(runUntilFileHoldsTheBook(path));
    std::vector<uint8_t> first = readFileBytes(path);
    int writes = settingsWritesDone();

    rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit tiny = saved;
    tiny.rlim_cur = 300;  // smaller than the file: the write fails part-way
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    paint(4, 5);
    bool written = runUntilWritten(writes + 1);
    // As on a full disk: once a write has failed, the exit question no longer
    // promises the pictures (asked while writes still fail).
    const bool failed = runUntilKeeperSays(false);
    const ExitQuestion question = openExitQuestion();
    pushKey(SDLK_ESCAPE);
    passes(3);
    setrlimit(RLIMIT_FSIZE, &saved);
    ASSERT_TRUE(written);
    EXPECT_TRUE(failed);
    EXPECT_TRUE(question.saysUnkept);
    EXPECT_EQ(readFileBytes(path), first);
    EXPECT_EQ(folderEntries(folder), std::vector<std::string>{"velvadine_quillmead_cfg"});

    paint(2, 7);
    EXPECT_TRUE(runUntilFileHoldsTheBook(path));
    EXPECT_TRUE(isElementPainted(5));
    // The write that worked brings the usual question back.
    EXPECT_TRUE(runUntilKeeperSays(true));
    EXPECT_TRUE(openExitQuestion().promises);
}

// The exit question promises the pictures for next time only when they can be
// kept. The same first start in two places: a folder that takes the file (the
// usual question), and a folder that is not there, known from the start
// though nothing was painted yet: another panel, in other pixels, whose OK
// writes nothing anywhere.
TEST_F(KeepingPaintings, TheExitQuestionPromisesOnlyWhatCanBeKept) {
    start(path);
    EXPECT_TRUE(paintingsWillBeKept());
    ExitQuestion usual = openExitQuestion();
    EXPECT_TRUE(usual.promises);
    EXPECT_FALSE(usual.saysUnkept);
    shutDownForTest();

    const std::string nowhere = folder + "/gone/velvadine_quillmead_cfg";
    start(nowhere);
    EXPECT_FALSE(paintingsWillBeKept());
    ExitQuestion gone = openExitQuestion();
    EXPECT_TRUE(gone.saysUnkept);
    EXPECT_FALSE(gone.promises);
    ASSERT_EQ(gone.pixels.size(), usual.pixels.size());
    // The panel's picture and words, not a pixel here and there.
    EXPECT_GT(pixelsDiffering(gone.pixels, usual.pixels), usual.pixels.size() / 3 / 100);
    pushKey(SDLK_RETURN);
    for (int pass = 0; pass < 100 && running(); ++pass) runOnePass();
    EXPECT_FALSE(running());
    shutDownForTest();
    EXPECT_FALSE(pathExists(folder + "/gone"));
}

// A file whose second page block is damaged keeps the first page's paintings.
// A start and a quit without a change leave it byte for byte (showing the page
// adds only unpainted records); the first paint sets the damaged original aside
// byte for byte and writes the new file.
TEST_F(KeepingPaintings, ADamagedBlockCostsOnlyWhatLiesBehindIt) {
    std::vector<uint8_t> original = writeSettings(regionThreeRedOn({1, 2}));
    original.resize(original.size() - 20);  // cuts page 2's block
    ASSERT_TRUE(writeFileBytes(path, original));

    start(path);
    EXPECT_TRUE(isElementPainted(3));
    EXPECT_EQ(regionNode(3)->color.red, 1.0);
    passes(30);
    saveSettingsAndQuit();
    passes(50);
    shutDownForTest();
    EXPECT_EQ(readFileBytes(path), original);
    EXPECT_EQ(folderEntries(folder), std::vector<std::string>{"velvadine_quillmead_cfg"});

    start(path);
    paint(2, 5);
    saveSettingsAndQuit();
    EXPECT_EQ(readFileBytes(path + ".damaged"), original);
    Settings back;
    ASSERT_TRUE(readSettings(back, readFileBytes(path).data(), readFileBytes(path).size()));
    EXPECT_EQ(back.pages.pageKeys, std::vector<int32_t>{1});
    ASSERT_FALSE(back.pages.pageLists[0].empty());
    EXPECT_TRUE(std::any_of(back.pages.pageLists[0].begin(), back.pages.pageLists[0].end(),
                            [](const ElementColorRecord& r) { return r.element == 3 && r.painted; }));
    EXPECT_TRUE(std::any_of(back.pages.pageLists[0].begin(), back.pages.pageLists[0].end(),
                            [](const ElementColorRecord& r) { return r.element == 5 && r.painted; }));
}

// A FIFO or a folder at the path is neither read nor replaced; the program still
// shows its first frame. A file far larger than any settings file is damage: it is
// set aside whole, not read into memory.
TEST_F(KeepingPaintings, WhateverSitsAtThePathNeitherStopsNorIsLost) {
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    start(path);
    saveSettingsAndQuit();
    passes(50);
    shutDownForTest();
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    unlink(path.c_str());

    ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
    start(path);
    saveSettingsAndQuit();
    passes(50);
    shutDownForTest();
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    rmdir(path.c_str());

    const off_t huge = off_t(100) << 20;
    ASSERT_EQ(truncate(path.c_str(), 0) == 0 || writeFileBytes(path, {}), true);
    ASSERT_EQ(truncate(path.c_str(), huge), 0);
    SettingsFileState state = SettingsFileState::whole;
    loadSettingsFile(path, &state);
    EXPECT_EQ(state, SettingsFileState::damaged);
    start(path);
    paint(1, 3);
    saveSettingsAndQuit();
    ASSERT_EQ(stat((path + ".damaged").c_str(), &st), 0);
    EXPECT_EQ(st.st_size, huge);
    EXPECT_EQ(readFileBytes(path), writeSettings(currentSettings()));
}

}  // namespace
