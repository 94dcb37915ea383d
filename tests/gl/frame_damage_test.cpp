// Frames drawn only where they changed must be exactly the frames drawn whole.
// Every pass of these scenarios draws the frame both ways and compares the
// pixels; the scenarios cover what moves on the desk: the brush over the page,
// jars and buttons growing under it, painting, star bursts, drops, page turns
// and every screen opening and closing.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/hud_actions.h"
#include "app/shell.h"
#include "book/book_state.h"
#include "book/page_store.h"
#include "book/palette.h"
#include "engine/camera.h"
#include "engine/frame_presenter.h"
#include "engine/input.h"
#include "engine/pick.h"
#include "scene/gl_state.h"
#include "scene/picture_preparer.h"
#include "book/page_turn.h"
#include "screens/screen_state.h"
#include "screens/screens.h"
#include "support/desk_driver.h"
#include "support/gl_fixture.h"
#include "support/scene_probe.h"
#include "support/test_support.h"

namespace {

// Drawing under a polygon offset, as a driver's own state might differ.
void setPolygonOffset(bool on) {
    DrawingState state = currentDrawingState();
    state.polygonOffset = on;
    setDrawingState(state);
}

void moveTo(int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = Uint16(x);
    e.motion.y = Uint16(y);
    SDL_PushEvent(&e);
    runOnePass();
}

struct FramesMatch : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(startComparingWithWholeFrames()) << "no start, or no off-screen picture kept";
        passes(2);
    }
    void TearDown() override { shutDownForTest(); }
    void expectSameAsWhole(const char* scenario) {
        EXPECT_EQ(presenter.counts.framesDiffering, 0) << scenario << ": " << presenter.counts.firstDifference;
    }
};

TEST_F(FramesMatch, TheBrushAndWhatItTouches) {
    const int w = camera()->width, h = camera()->height;
    // The brush crossing the page and the desk, in small steps and big jumps.
    for (int i = 0; i <= 40; ++i) moveTo(w / 8 + i * (w * 3 / 4) / 40, h / 4 + (i % 7) * h / 14);
    for (int i = 0; i < 10; ++i) moveTo((i * 7919) % w, (i * 104729) % h);
    const PresenterCounts moved = presenter.counts;
    EXPECT_GT(moved.partialFrames, 40);
    // Only part of the window is drawn again while the brush moves.
    EXPECT_LT(double(moved.pixelsDrawn) / double(moved.partialFrames + moved.wholeFrames), 0.5 * w * h);
    EXPECT_LT(moved.itemsDrawn, moved.itemsRecorded / 2);
    expectSameAsWhole("brush");

    // Resting: nothing changes, nothing is drawn.
    passes(3);
    const int64_t restingBefore = presenter.counts.unchangedFrames;
    passes(3);
    EXPECT_EQ(presenter.counts.unchangedFrames, restingBefore + 3);

    // Jars growing under the pointer, dips with their bursts, painting, the wash.
    for (size_t jar = 0; jar < shellState().rootNode->children[3]->children.size(); ++jar) ASSERT_TRUE(hover(jarBody(int(jar))));
    ASSERT_TRUE(clickOn(jarBody(1)));
    ASSERT_TRUE(clickOn(regionNode(3)));
    ASSERT_TRUE(clickOn(jarBody(4)));
    ASSERT_TRUE(clickOn(regionNode(5)));
    passes(3);  // the back button grows in
    SceneNode* back = stateButton(StateButtonKind::back);
    ASSERT_NE(back, nullptr);
    ASSERT_TRUE(clickOn(back));  // undo
    passes(2);
    ASSERT_TRUE(clickOn(shellState().rootNode->children[4]->children[1]));  // the glass
    passesUntil(sceneState().frameTime, 800);
    expectSameAsWhole("jars, paint, bursts, wash");

    // A well filled and mixed; its drops grow and vanish.
    SceneNode* well = wellNode(0);
    ASSERT_TRUE(clickOn(jarBody(3)));
    ASSERT_TRUE(clickOn(well));
    passes(1);
    ASSERT_TRUE(clickOn(jarBody(1)));
    ASSERT_TRUE(clickOn(wellNode(0)));
    passesUntil(sceneState().frameTime, 400);
    expectSameAsWhole("wells and drops");
    EXPECT_GT(presenter.counts.framesCompared, 80);
}

TEST_F(FramesMatch, PageTurnsAndEveryScreen) {
    for (SDLKey key : {SDLK_RIGHT, SDLK_RIGHT, SDLK_LEFT}) {
        pushKey(key);
        passesUntil(sceneState().frameTime, 600);
    }
    expectSameAsWhole("page turns");

    // Help, setup with about and both clear confirmations, the exit confirmation.
    pushKey(SDLK_F1);
    passes(8);
    pushKey(SDLK_ESCAPE);
    passes(8);
    ASSERT_TRUE(clickOn(findTrack(shellState().rootNode->children[2], openSetupAction)));
    passes(6);
    for (TrackFn open : {openAboutAction, openClearAllAction}) {
        SceneNode* button = findTrack(screenState().layer, open);
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(clickOn(button));
        passes(6);
        pushKey(SDLK_ESCAPE);
        passes(6);
    }
    pushKey(SDLK_ESCAPE);
    passes(8);
    pushKey(SDLK_ESCAPE);  // the exit confirmation
    passes(8);
    pushKey(SDLK_ESCAPE);
    passes(8);
    openClearPageScreen();
    passes(8);
    pushKey(SDLK_ESCAPE);
    passes(8);
    EXPECT_FALSE(modalLevelOpen(ModalLevel::screen));
    expectSameAsWhole("screens");
    EXPECT_GT(presenter.counts.framesCompared, 20);
}

// A turn draws the book's box again; the paper covers it and hides the desk,
// the cover and the page stack behind it, which are left out. Turning back and
// forth, right after painting, with the brush over the book.
TEST_F(FramesMatch, PageTurnsLeaveOutWhatThePaperHides) {
    const int w = camera()->width, h = camera()->height;
    moveTo(w / 2, h / 2);
    passes(10);
    ASSERT_TRUE(clickOn(jarBody(2)));
    ASSERT_TRUE(clickOn(regionNode(3)));
    for (SDLKey key : {SDLK_RIGHT, SDLK_LEFT, SDLK_LEFT, SDLK_RIGHT}) {
        moveTo(w / 2 + (key == SDLK_LEFT ? 40 : -40), h / 2);
        passes(2);
        const PresenterCounts before = presenter.counts;
        pushKey(key);
        passes(1);
        const PresenterCounts turned = presenter.counts;
        EXPECT_EQ(turned.partialFrames, before.partialFrames + 1) << "key " << key;
        EXPECT_GE(turned.itemsHidden - before.itemsHidden, 3) << "key " << key;
        passesUntil(sceneState().frameTime, 600);
        ASSERT_TRUE(clickOn(regionNode(2)));
    }
    expectSameAsWhole("page turns over the paper");
    EXPECT_GT(presenter.counts.framesCompared, 40);

    // Under a polygon offset a sheet's samples lie elsewhere than its plane:
    // nothing is left out.
    setPolygonOffset(true);
    const PresenterCounts offset = presenter.counts;
    pushKey(SDLK_RIGHT);
    passes(1);
    setPolygonOffset(false);
    EXPECT_EQ(presenter.counts.partialFrames, offset.partialFrames + 1);
    EXPECT_EQ(presenter.counts.itemsHidden, offset.itemsHidden);
    passesUntil(sceneState().frameTime, 300);
    expectSameAsWhole("a turn under a polygon offset");
}

// At rest the turns either way are drawn ahead; a turn then copies the kept
// box and draws only what differs, and the next pass draws the box for real.
// Every frame, the turn's included, matches a whole frame, and so does a
// screen drawn over the picture right after drawing ahead.
struct TurnsAhead : FramesMatch {
    void SetUp() override {
        FramesMatch::SetUp();
        shellState().preparingInBackground = true;
    }
    // Passes until both turns are drawn ahead (the neighbours prepared first).
    void restUntilDrawnAhead(const char* when) {
        for (int i = 0; i < 900 && !(preparationSettled() && presenter.ahead.frames[0].holder &&
                                     presenter.ahead.frames[1].holder && !presenter.ahead.unchecked[0] &&
                                     !presenter.ahead.unchecked[1]);
             ++i)
            passes(1);
        ASSERT_TRUE(presenter.ahead.frames[0].holder && presenter.ahead.frames[1].holder) << when;
    }
    // The key's frame is copied from the turn drawn ahead, the next draws its box.
    void turnFromAhead(SDLKey key, int32_t page) {
        const PresenterCounts before = presenter.counts;
        pushKey(key);
        passes(1);
        EXPECT_EQ(currentPageNumber(), page);
        EXPECT_EQ(presenter.counts.framesFromAhead, before.framesFromAhead + 1) << "turn to page " << page;
        EXPECT_EQ(presenter.counts.wholeFrames + presenter.counts.partialFrames,
                  before.wholeFrames + before.partialFrames);
        // The box is drawn for real in the next pass.
        passes(1);
        EXPECT_TRUE(isEmpty(presenter.ahead.flat));
        EXPECT_EQ(presenter.counts.framesDiffering, 0) << "turn to page " << page << ": "
                                                       << presenter.counts.firstDifference;
        passesUntil(sceneState().frameTime, 500);
    }
};

// The page number step pages on from page, round the book.
int32_t pageOn(int32_t page, int32_t step) { return ((page - 1 + step) % kPageCount + kPageCount) % kPageCount + 1; }

TEST_F(TurnsAhead, TurnsBackAndForthCopyTheBoxDrawnAhead) {
    const int w = camera()->width, h = camera()->height;
    moveTo(w - 4, 4);  // the pointer away from the book
    restUntilDrawnAhead("at the start");
    const int32_t first = currentPageNumber();
    // Resting draws nothing more ahead; nor does a change away from the book.
    const int64_t resting = presenter.counts.framesDrawnAhead;
    passes(20);
    moveTo(w - 8, 6);
    passes(20);
    EXPECT_EQ(presenter.counts.framesDrawnAhead, resting);

    turnFromAhead(SDLK_RIGHT, pageOn(first, 1));
    restUntilDrawnAhead("after a turn forward");
    turnFromAhead(SDLK_LEFT, first);
    restUntilDrawnAhead("after a turn back");
    turnFromAhead(SDLK_LEFT, pageOn(first, -1));

    // A page painted and left at once comes back painted.
    restUntilDrawnAhead("before painting");
    ASSERT_TRUE(clickOn(jarBody(1)));
    ASSERT_TRUE(clickOn(regionNode(3)));
    const PaintColor painted = regionNode(3)->color;
    pushKey(SDLK_RIGHT);
    passes(1);
    // The exit question opened in the pass after a turn is drawn ahead, before
    // its box is drawn back as shown.
    const int64_t drawnAhead = presenter.counts.framesDrawnAhead;
    for (int i = 0; i < 900 && presenter.counts.framesDrawnAhead == drawnAhead; ++i) passes(1);
    ASSERT_FALSE(isEmpty(presenter.ahead.flat));
    const int64_t inserted = presenter.counts.insertedFrames;
    pushKey(SDLK_ESCAPE);
    passes(1);
    EXPECT_EQ(presenter.counts.insertedFrames, inserted + 1);
    pushKey(SDLK_ESCAPE);
    passes(2);
    restUntilDrawnAhead("after painting and turning");
    turnFromAhead(SDLK_LEFT, pageOn(first, -1));
    EXPECT_TRUE(sameRyb(regionNode(3)->color, painted));
    EXPECT_FALSE(sameRyb(painted, white));

    // The brush over the book, resting there, then moved on just before the key.
    moveTo(w / 2, h / 2);
    restUntilDrawnAhead("with the brush over the book");
    turnFromAhead(SDLK_RIGHT, first);
    moveTo(w / 2 - 30, h / 2 + 10);
    restUntilDrawnAhead("with the brush moved");
    moveTo(w / 2 + 30, h / 2 - 10);
    turnFromAhead(SDLK_LEFT, pageOn(first, -1));

    // Every page white again: the neighbours are drawn ahead as they are now.
    restUntilDrawnAhead("before clearing all");
    confirmClearAll();
    passesUntil(sceneState().frameTime, 300);
    restUntilDrawnAhead("after clearing all");
    turnFromAhead(SDLK_RIGHT, first);
    EXPECT_TRUE(sameRyb(regionNode(3)->color, white));
    expectSameAsWhole("turns drawn ahead");
}

// Short of memory what was drawn ahead goes with the neighbours, and a turn is
// drawn the usual way; so is a turn under another drawing state.
TEST_F(TurnsAhead, LetGoWhenMemoryIsShortOrTheStateDiffers) {
    restUntilDrawnAhead("at the start");
    letFramesAheadGo();
    EXPECT_EQ(presenter.ahead.frames[0].holder, nullptr);
    EXPECT_EQ(presenter.ahead.frames[1].colours.framebuffer, 0u);
    const PresenterCounts before = presenter.counts;
    pushKey(SDLK_RIGHT);
    passes(1);
    EXPECT_EQ(presenter.counts.framesFromAhead, before.framesFromAhead);
    EXPECT_EQ(presenter.counts.partialFrames + presenter.counts.wholeFrames,
              before.partialFrames + before.wholeFrames + 1);
    expectSameAsWhole("a turn after letting go");

    // Drawn ahead under one state, a turn under another is drawn as it comes.
    restUntilDrawnAhead("after the turn");
    setPolygonOffset(true);
    const PresenterCounts offset = presenter.counts;
    pushKey(SDLK_LEFT);
    passes(1);
    setPolygonOffset(false);
    EXPECT_EQ(presenter.counts.framesFromAhead, offset.framesFromAhead);
    passes(2);
    expectSameAsWhole("a turn under a polygon offset");
}

// A screen opening over a still desk adds its items to an unchanged frame: they
// are drawn over the picture kept, with the brush drawn again where it lies over
// them. Closing removes them, which that way must never draw.
TEST_F(FramesMatch, ScreensOpeningOverTheDeskAreDrawnOverThePictureKept) {
    const int w = camera()->width, h = camera()->height;
    for (const auto& [x, y] : {std::pair{w / 2, h / 2}, {4, h / 2}}) {  // over the screens' panels and beside them
        moveTo(x, y);
        passes(20);
        for (SDLKey key : {SDLK_F1, SDLK_ESCAPE}) {  // help, the exit question
            const PresenterCounts shut = presenter.counts;
            pushKey(key);
            passes(1);
            EXPECT_EQ(presenter.counts.insertedFrames, shut.insertedFrames + 1) << "key " << key << " at " << x;
            EXPECT_EQ(presenter.counts.wholeFrames, shut.wholeFrames) << "key " << key << " at " << x;
            passes(20);
            const PresenterCounts open = presenter.counts;
            pushKey(SDLK_ESCAPE);
            passes(20);
            EXPECT_FALSE(modalLevelOpen(ModalLevel::screen));
            EXPECT_GT(presenter.counts.wholeFrames + presenter.counts.partialFrames,
                      open.wholeFrames + open.partialFrames);
            expectSameAsWhole(key == SDLK_F1 ? "help over the desk" : "exit question over the desk");
        }
    }
    // The menu, clicked open: the brush lies over its button and the screen.
    SceneNode* menuButton = findTrack(shellState().rootNode->children[2], openSetupAction);
    ASSERT_NE(menuButton, nullptr);
    ASSERT_TRUE(hover(menuButton));
    passes(30);
    const PresenterCounts shut = presenter.counts;
    pushClick();
    passes(1);
    ASSERT_TRUE(modalLevelOpen(ModalLevel::screen));
    EXPECT_EQ(presenter.counts.insertedFrames, shut.insertedFrames + 1);
    // The about screen opens over the menu the same way.
    passes(10);
    SceneNode* about = findTrack(screenState().layer, openAboutAction);
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(clickOn(about));
    passes(10);
    pushKey(SDLK_ESCAPE);
    passes(10);
    pushKey(SDLK_ESCAPE);
    passes(10);
    expectSameAsWhole("menu and about");
    EXPECT_GT(presenter.counts.framesCompared, 15);
}

}  // namespace
