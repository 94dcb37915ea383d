// Turning and clearing pages, the back and clear buttons, and what survives a
// restart, through the real main loop.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/settings_file.h"
#include "app/shell.h"
#include "book/book_hooks.h"
#include "book/book_state.h"
#include "book/page_store.h"
#include "book/page_turn.h"
#include "book/palette.h"
#include "engine/pick.h"
#include "screens/screen_state.h"
#include "support/desk_driver.h"
#include "support/gl_fixture.h"
#include "support/scene_probe.h"
#include "support/test_support.h"

namespace {

SceneNode* hud() { return shellState().rootNode->children[2]; }
bool pageIsWhite() {
    for (SceneNode* n : book().pageHolder->children)
        if (elementOf(n) > 0 && !sameRyb(n->color, white)) return false;
    return isPageClean();
}

struct PageTurn : ::testing::Test {
    void start(const std::string& settings = "") {
        ASSERT_TRUE(startUpForTest(settings));
        passes(2);
    }
    void TearDown() override { shutDownForTest(); }
};

TEST_F(PageTurn, ArrowsAndKeysWrapRoundAndMoveOnePagePerSwap) {
    start();
    pushKey(SDLK_LEFT);
    passes(2);
    EXPECT_EQ(currentPageNumber(), 21);
    ASSERT_TRUE(clickOn(pageArrow(true)));
    passes(1);
    EXPECT_EQ(currentPageNumber(), 1);
    nextPage();
    nextPage();
    passes(2);
    EXPECT_EQ(currentPageNumber(), 2);
    openScreen(ModalLevel::screen, nullptr);  // keys belong to the open screen
    pushKey(SDLK_RIGHT);
    passes(2);
    EXPECT_EQ(currentPageNumber(), 2);
}

int clearScreensOpened = 0;
void countClearScreen() { ++clearScreensOpened; }

TEST_F(PageTurn, BackAndClearButtonsComeWithAPaintedRegionAndGoWithItsUndo) {
    start();
    bookHooks().openClearPageScreen = countClearScreen;
    clearScreensOpened = 0;
    ASSERT_TRUE(clickOn(jarBody(1)));
    SceneNode* region = regionNode(4);
    ASSERT_TRUE(clickOn(region));
    pointAt(2, 2);
    passes(1);
    SceneNode* back = stateButton(StateButtonKind::back);
    SceneNode* clear = stateButton(StateButtonKind::clear);
    ASSERT_TRUE(back && clear);
    uint32_t shown = sceneState().frameTime;
    passesUntil(shown, 420);
    EXPECT_DOUBLE_EQ(back->transform.scale.x, 1.0);  // grown in from 0.3

    silenceChannels();
    ASSERT_TRUE(clickOn(clear));
    EXPECT_EQ(clearScreensOpened, 1);
    EXPECT_EQ(channelsPlaying("button.wav"), 1);
    ASSERT_TRUE(clickOn(back));
    EXPECT_TRUE(sameRyb(region->color, white));
    EXPECT_TRUE(isPageClean());
    passes(1);
    uint32_t hiding = sceneState().frameTime;
    EXPECT_FALSE(book().backButtonShown || book().clearButtonShown);
    EXPECT_TRUE(book().undoNodes.empty());
    passesUntil(hiding, 450);
    passes(1);  // removed 450 ms after hiding began, deleted in the next pass
    EXPECT_FALSE(holds(hud(), back) || holds(hud(), clear));
}

// A paint and a page change in the same pass (the change coming after the
// page's handlers): the history must not keep the old page's step.
enum class Change { turn, clear, clearAll };
Change pending;
bool armed = false;
void changeAfterThePage(void*) {
    if (!armed) return;
    armed = false;
    if (pending == Change::turn) turnPage(true);
    if (pending == Change::clear) confirmClearPage();
    if (pending == Change::clearAll) confirmClearAll();
}

TEST_F(PageTurn, APaintAndAPageChangeInOnePassLeaveNoStepOfTheOldPage) {
    for (Change change : {Change::turn, Change::clear, Change::clearAll}) {
        SCOPED_TRACE(int(change));
        start();
        SceneNode* probe = createNode();
        playOneTrack(probe, changeAfterThePage, 0.0);
        addChild(shellState().rootNode, probe);
        ASSERT_TRUE(clickOn(jarBody(1)));
        ASSERT_TRUE(hover(regionNode(4)));
        pending = change;
        armed = true;
        pushClick();
        passes(1);
        EXPECT_FALSE(armed);
        EXPECT_TRUE(book().undoNodes.empty() && book().undoRecords.empty());
        passes(2);  // the new page is built and picked
        EXPECT_EQ(currentPageNumber(), change == Change::turn ? 2 : 1);

        SceneNode* fresh = regionNode(6);
        ASSERT_TRUE(clickOn(fresh));
        ASSERT_EQ(book().undoNodes.size(), 1u);
        passes(1);
        ASSERT_TRUE(clickOn(stateButton(StateButtonKind::back)));
        EXPECT_TRUE(sameRyb(fresh->color, white));
        EXPECT_FALSE(book().undoAvailable);
        EXPECT_TRUE(book().undoNodes.empty());
        shutDownForTest();
    }
}

// The wells as the settings file lays them out: 56 bytes each from byte 11,
// the empty flag first and the colour's six doubles from byte 8 of the well.
void expectWellBytes(const std::vector<uint8_t>& file, int i, bool empty, const PaintColor& c) {
    size_t at = 11 + 56 * size_t(i);
    ASSERT_GE(file.size(), at + 56);
    EXPECT_EQ(file[at], empty ? 1 : 0);
    if (empty) return;
    double stored[6];
    std::memcpy(stored, &file[at + 8], sizeof stored);
    double expected[6] = {c.r, c.g, c.b, c.red, c.yellow, c.blue};
    for (int k = 0; k < 6; ++k) EXPECT_EQ(stored[k], expected[k]) << "well " << i << " value " << k;
}

TEST_F(PageTurn, ClearAllKeepsEveryListAndTheWellsAndShownPageSurviveAQuit) {
    std::string path = makeTempDir() + "/velvadine_quillmead_cfg";
    start(path);
    ASSERT_TRUE(clickOn(jarBody(1)));
    ASSERT_TRUE(clickOn(regionNode(3)));
    ASSERT_TRUE(clickOn(wellNode(0)));
    ASSERT_TRUE(clickOn(jarBody(4)));
    ASSERT_TRUE(clickOn(wellNode(2)));
    pushKey(SDLK_LEFT);
    passes(2);
    ASSERT_TRUE(clickOn(regionNode(5)));
    confirmClearAll();
    passes(2);
    EXPECT_EQ(currentPageNumber(), 21);
    ASSERT_EQ(book().pages.pageLists.size(), 2u);
    EXPECT_EQ(book().pages.pageLists[0].size(), 23u);
    EXPECT_EQ(book().pages.pageLists[1].size(), 45u);
    for (const auto& list : book().pages.pageLists)
        for (const ElementColorRecord& r : list) EXPECT_TRUE(!r.painted && sameRyb(r.color, white));
    EXPECT_TRUE(pageIsWhite());
    saveSettingsAndQuit();
    shutDownForTest();

    std::vector<uint8_t> file = readFileBytes(path);
    expectWellBytes(file, 0, false, makePaint(1, 0, 0));
    expectWellBytes(file, 1, true, white);
    expectWellBytes(file, 2, false, makePaint(0, 0, 1));
    expectWellBytes(file, 3, true, white);

    start(path);
    EXPECT_EQ(currentPageNumber(), 21);
    SceneNode* red = wellNode(0);
    ASSERT_TRUE(showsModel(red, "kaplia1_white"));
    EXPECT_TRUE(showsModel(wellNode(1), "kaplia2"));
    uint8_t rgb[3];
    pixelOf(red, rgb);
    EXPECT_GT(rgb[0], 120) << int(rgb[0]) << "," << int(rgb[1]) << "," << int(rgb[2]);
    EXPECT_LT(rgb[1], rgb[0] / 3);
    EXPECT_LT(rgb[2], rgb[0] / 3);
}

}  // namespace
