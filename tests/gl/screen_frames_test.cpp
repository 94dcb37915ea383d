// Screens closing: the frame whose pass closes a screen already shows the desk
// (or the screen below) without it, drawn exactly as a whole frame would be,
// and the pass after it has nothing left to draw. And the chooser's pictures are
// ready before it opens.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/hud_actions.h"
#include "app/shell.h"
#include "engine/camera.h"
#include "engine/frame_presenter.h"
#include "engine/modal.h"
#include "engine/switches.h"
#include "scene/mesh.h"
#include "scene/picture_preparer.h"
#include "scene/texture.h"
#include "screens/chooser_entries.h"
#include "screens/chooser_screen.h"
#include "screens/controls.h"
#include "screens/screen_entries.h"
#include "screens/screen_state.h"
#include "screens/screens.h"
#include "support/desk_driver.h"
#include "support/gl_fixture.h"
#include "support/scene_probe.h"

namespace {

// The meshes the last frame shows, by identity, in drawing order.
std::vector<uint64_t> shownMeshes() {
    std::vector<uint64_t> serials;
    for (const DrawItem& item : presenter.records[1 - presenter.current].items)
        if (item.mesh) serials.push_back(item.serial);
    return serials;
}

void collectMeshes(const SceneNode* node, std::vector<uint64_t>& serials) {
    for (const Mesh* mesh : node->meshes)
        if (mesh) serials.push_back(mesh->serial);
    for (const SceneNode* child : node->children) collectMeshes(child, serials);
}

int64_t framesDrawn(const PresenterCounts& c) { return c.wholeFrames + c.partialFrames + c.insertedFrames; }

struct ScreenFramesMatch : ::testing::Test {
    ChooserState savedChooser = chooserState();
    void SetUp() override {
        ASSERT_TRUE(startComparingWithWholeFrames()) << "no start, or no off-screen picture kept";
        // The pointer rests on the bare desk, left of the jars.
        pointAt(4, camera()->height / 2);
        passes(6);
    }
    void TearDown() override {
        shutDownForTest();
        chooserState() = savedChooser;
    }

    // Opens a screen at level, lets it settle, closes it and checks the one
    // pass that closed it: drawn, showing exactly what was shown before it
    // opened and nothing of it; with a key, the next pass draws nothing more.
    // aim runs before that pass (a pointer brought over a button).
    void closesInOneFrame(const char* what, ModalLevel level, const std::function<void()>& open,
                          const std::function<void()>& close, const std::function<void()>& aim = nullptr) {
        SCOPED_TRACE(what);
        const std::vector<uint64_t> before = shownMeshes();
        open();
        passes(6);
        ASSERT_TRUE(modalLevelOpen(level));
        std::vector<uint64_t> screen;
        collectMeshes(modalHolder(level), screen);
        ASSERT_FALSE(screen.empty());
        const std::vector<uint64_t> opened = shownMeshes();
        for (uint64_t serial : screen)
            ASSERT_NE(std::find(opened.begin(), opened.end(), serial), opened.end()) << "the open screen is not shown";
        if (aim) aim();
        const PresenterCounts shown = presenter.counts;
        close();  // runs the closing pass
        EXPECT_FALSE(modalLevelOpen(level));
        EXPECT_EQ(framesDrawn(presenter.counts), framesDrawn(shown) + 1);
        const std::vector<uint64_t> after = shownMeshes();
        for (uint64_t serial : screen)
            EXPECT_EQ(std::find(after.begin(), after.end(), serial), after.end()) << "a mesh of the screen is shown";
        EXPECT_EQ(after, before);
        if (!aim) {
            const int64_t unchanged = presenter.counts.unchangedFrames;
            passes(1);
            EXPECT_EQ(presenter.counts.unchangedFrames, unchanged + 1) << "the closing showed in a later frame";
        }
        EXPECT_EQ(presenter.counts.framesDiffering, 0) << presenter.counts.firstDifference;
    }
};

void escape() {
    pushKey(SDLK_ESCAPE);
    passes(1);
}

TEST_F(ScreenFramesMatch, ClosingShowsInTheFrameThatClosesIt) {
    closesInOneFrame(
        "help, Escape", ModalLevel::screen, [] { pushKey(SDLK_F1); }, escape);
    closesInOneFrame(
        "help, its OK button", ModalLevel::screen, [] { pushKey(SDLK_F1); },
        [] {
            pushClick();
            passes(1);
        },
        [] {
            ASSERT_TRUE(hover(findTrack(screenState().layer, closeScreen)));
            passes(6);
        });
    pointAt(4, camera()->height / 2);
    passes(6);
    closesInOneFrame(
        "exit question", ModalLevel::screen, [] { pushKey(SDLK_ESCAPE); }, escape);
    closesInOneFrame("clear-page question", ModalLevel::screen, openClearPageScreen, escape);
    closesInOneFrame("menu", ModalLevel::screen, openSetupScreen, escape);

    // The about screen over the menu: closing it shows the menu again at once.
    openSetupScreen();
    passes(6);
    closesInOneFrame(
        "about over the menu", ModalLevel::subScreen,
        [] { openScreen(ModalLevel::subScreen, buildAboutScreen); }, escape);
    EXPECT_TRUE(modalLevelOpen(ModalLevel::screen));
    escape();
    passes(5);

    // The chooser of a child's book, closed back to it.
    chooserState().animals = {0, 1, 2, 3, 4};
    chooserState().current = 2;
    closesInOneFrame("chooser", ModalLevel::screen, openChooserScreen, escape);
    EXPECT_GE(presenter.counts.framesCompared, 14);
}

// The menu's picture of the child sends it back to the chooser: the menu goes
// and the chooser comes in the same frame.
TEST_F(ScreenFramesMatch, MenuGivesWayToTheChooserInOneFrame) {
    chooserState().animals = {0, 1, 2};
    chooserState().current = 1;
    openSetupScreen();
    passes(6);
    std::vector<uint64_t> menu;
    collectMeshes(modalHolder(ModalLevel::screen), menu);
    SceneNode* badge = findTrack(screenState().layer, backToChooserAction);
    ASSERT_NE(badge, nullptr);
    ASSERT_TRUE(clickOn(badge));
    ASSERT_TRUE(modalLevelOpen(ModalLevel::screen));
    EXPECT_NE(findTrack(screenState().layer, chooseAnimalAction), nullptr);
    const std::vector<uint64_t> shown = shownMeshes();
    for (uint64_t serial : menu) EXPECT_EQ(std::find(shown.begin(), shown.end(), serial), shown.end());
    std::vector<uint64_t> chooser;
    collectMeshes(modalHolder(ModalLevel::screen), chooser);
    for (uint64_t serial : chooser) EXPECT_NE(std::find(shown.begin(), shown.end(), serial), shown.end());
    passes(10);
    EXPECT_EQ(presenter.counts.framesDiffering, 0) << presenter.counts.firstDifference;
}

// With a book for each child, the chooser's card, its animals and the menu's
// picture are prepared in the background: opening the chooser then makes no
// texture of its own. A new child painting makes the record again for its picture.
TEST_F(ScreenFramesMatch, TheChooserIsPreparedBeforeItOpens) {
    chooserState().animals = {0, 3, 5, 7, 11};
    chooserState().current = 3;
    shellState().preparingInBackground = true;
    for (int i = 0; i < 900 && !(checkedArchive(chooserArchive) && preparationSettled()); ++i) passes(1);
    const PreparedArchive* record = checkedArchive(chooserArchive);
    ASSERT_NE(record, nullptr);
    EXPECT_TRUE(record->ready);
    const std::vector<std::string> expected = {std::string("chooser_") + languageCodes[switches().language],
                                               "animal_fox",   "animal_rabbit", "animal_frog", "animal_duck",
                                               "animal_whale", "animal_rabbit_switch"};
    EXPECT_EQ(record->models, expected);

    const int textures = liveTextureCount();
    openChooserScreen();
    passes(2);
    ASSERT_TRUE(modalLevelOpen(ModalLevel::screen));
    EXPECT_NE(findTrack(screenState().layer, chooseAnimalAction), nullptr);
    EXPECT_EQ(liveTextureCount(), textures) << "the chooser made textures of its own";
    escape();
    passes(3);

    chooserState().current = 11;
    passes(2);
    for (int i = 0; i < 900 && !(checkedArchive(chooserArchive) && preparationSettled()); ++i) passes(1);
    ASSERT_NE(checkedArchive(chooserArchive), nullptr);
    EXPECT_EQ(checkedArchive(chooserArchive)->models.back(), "animal_whale_switch");
    EXPECT_EQ(presenter.counts.framesDiffering, 0) << presenter.counts.firstDifference;
}

}  // namespace
