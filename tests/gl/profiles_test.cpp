// A book for each child through the real loop: the chooser at start, each
// child's own settings file, the menu's way back to the chooser and a switch
// in one run that keeps both books; the usual file is the first animal's book.
#include <gtest/gtest.h>

#include <string>

#include "app/access_wiring.h"
#include "app/hud_actions.h"
#include "app/machine_policy.h"
#include "app/profiles.h"
#include "app/settings_file.h"
#include "app/shell.h"
#include "book/book_state.h"
#include "book/page_store.h"
#include "engine/access.h"
#include "engine/modal.h"
#include "engine/switches.h"
#include "engine/targets.h"
#include "scene/picture_preparer.h"
#include "screens/chooser_entries.h"
#include "screens/chooser_screen.h"
#include "screens/controls.h"
#include "screens/screen_state.h"
#include "screens/screens.h"
#include "support/desk_driver.h"
#include "support/gl_fixture.h"
#include "support/scene_probe.h"
#include "support/test_support.h"

namespace {

int countTracks(SceneNode* root, TrackFn fn) {
    if (!root || root->removing) return 0;
    int n = 0;
    for (const AnimTrack& track : root->animator.tracks) n += track.fn == fn;
    for (SceneNode* child : root->children) n += countTracks(child, fn);
    return n;
}

// The chooser's picture of an animal (its click track's argument is the index).
SceneNode* animalButton(int32_t animal) {
    SceneNode* found = nullptr;
    std::vector<SceneNode*> stack{screenState().layer};
    while (!stack.empty() && !found) {
        SceneNode* node = stack.back();
        stack.pop_back();
        if (!node || node->removing) continue;
        for (const AnimTrack& track : node->animator.tracks)
            if (track.fn == chooseAnimalAction && *static_cast<const int32_t*>(track.arg) == animal) found = node;
        for (SceneNode* child : node->children) stack.push_back(child);
    }
    return found;
}

bool paintedIn(const PageStore& pages, int32_t page, int32_t element) {
    for (size_t i = 0; i < pages.pageKeys.size(); ++i) {
        if (pages.pageKeys[i] != page) continue;
        for (const ElementColorRecord& r : pages.pageLists[i])
            if (r.element == element) return r.painted;
    }
    return false;
}

void runUntilEnd() {
    for (int n = 0; running() && n < 200; ++n) runOnePass();
    ASSERT_FALSE(running());
}

struct Profiles : ::testing::Test {
    MachinePolicy savedPolicy = machinePolicy();
    std::string first;
    void SetUp() override {
        first = makeTempDir("qm_profiles") + "/velvadine_quillmead_cfg";
        machinePolicy() = MachinePolicy();
        machinePolicy().present = true;
        machinePolicy().profiles = PolicySwitch::forcedOn;
        machinePolicy().animals = 3;
        configureProfiles(first);
    }
    void TearDown() override {
        shutDownForTest();
        machinePolicy() = savedPolicy;
        profiles() = ProfileState();
    }
    // One run of a book, as the program's loop starts it.
    void startBook(const std::string& path) {
        TestStart how;
        how.startUpHelp = true;  // the chooser is the start screen; keep it
        ASSERT_TRUE(startUpForTest(path, how));
        passes(3);
    }
    // The chooser is on show: click the animal, and the run ends for its book.
    void choose(int32_t animal, const std::string& expectedBook) {
        SceneNode* button = animalButton(animal);
        ASSERT_NE(button, nullptr) << animalNames[animal];
        ASSERT_TRUE(clickOn(button));
        runUntilEnd();
        shutDownForTest();
        std::string next;
        ASSERT_TRUE(takeNextBook(next));
        EXPECT_EQ(next, expectedBook);
        startBook(next);
    }
};

}  // namespace

TEST_F(Profiles, EachChildFindsTheirOwnBookAndASwitchKeepsBoth) {
    // Painted before profiles were switched on: page 1, region 3.
    Settings before;
    resetDefaults(before, false);
    before.showHelpAtStart = false;
    ASSERT_TRUE(saveSettingsFile(before, first));
    {
        machinePolicy().profiles = PolicySwitch::free;
        configureProfiles(first);
        startBook(first);
        ASSERT_TRUE(clickOn(jarBody(2)));
        ASSERT_TRUE(clickOn(regionNode(3)));
        saveSettingsAndQuit();
        runUntilEnd();
        shutDownForTest();
        machinePolicy().profiles = PolicySwitch::forcedOn;
        configureProfiles(first);
    }
    ASSERT_TRUE(paintedIn(loadSettingsFile(first).pages, 1, 3));

    // The first run is the chooser, over a book nobody owns, with three animals.
    startBook(firstRunSettingsPath());
    ASSERT_TRUE(modalLevelOpen(ModalLevel::screen));
    EXPECT_EQ(countTracks(screenState().layer, chooseAnimalAction), 3);
    EXPECT_EQ(animalButton(3), nullptr);

    // The owl's book is new: its help opens; it paints region 5.
    choose(1, first + ".owl");
    EXPECT_EQ(profiles().current, 1);
    ASSERT_TRUE(modalLevelOpen(ModalLevel::screen));
    EXPECT_EQ(countTracks(screenState().layer, chooseAnimalAction), 0);
    closeModalScreen(modalHolder(ModalLevel::screen));
    passes(3);
    EXPECT_FALSE(isElementPainted(3));
    ASSERT_TRUE(clickOn(jarBody(1)));
    ASSERT_TRUE(clickOn(regionNode(5)));
    ASSERT_TRUE(isElementPainted(5));

    // The menu's picture of the owl is made ready in the background before the menu opens.
    shellState().preparingInBackground = true;
    for (int i = 0; i < 900 && !(checkedArchive(chooserArchive) && preparationSettled()); ++i) passes(1);
    ASSERT_NE(checkedArchive(chooserArchive), nullptr);
    EXPECT_TRUE(checkedArchive(chooserArchive)->ready);

    // Back through the menu's picture of the owl, to the fox, in one run.
    ASSERT_TRUE(clickOn(findTrack(shellState().rootNode->children[2], openSetupAction)));
    SceneNode* badge = findTrack(screenState().layer, backToChooserAction);
    ASSERT_NE(badge, nullptr);
    ASSERT_TRUE(clickOn(badge));
    passes(2);
    ASSERT_TRUE(modalLevelOpen(ModalLevel::screen));
    EXPECT_EQ(countTracks(screenState().layer, chooseAnimalAction), 3);
    choose(0, first);
    EXPECT_TRUE(isElementPainted(3));
    EXPECT_FALSE(isElementPainted(5));
    saveSettingsAndQuit();
    runUntilEnd();
    shutDownForTest();

    // Both books, each with its own painting.
    PageStore fox = loadSettingsFile(first).pages, owl = loadSettingsFile(first + ".owl").pages;
    EXPECT_TRUE(paintedIn(fox, 1, 3));
    EXPECT_FALSE(paintedIn(fox, 1, 5));
    EXPECT_TRUE(paintedIn(owl, 1, 5));
    EXPECT_FALSE(paintedIn(owl, 1, 3));
    // A new start asks again, and the owl finds its book as it left it.
    profiles().current = -1;
    startBook(firstRunSettingsPath());
    choose(1, first + ".owl");
    EXPECT_TRUE(isElementPainted(5));
    EXPECT_FALSE(isElementPainted(3));
}

// Without profiles nothing changes: the usual file, no chooser, no menu picture.
TEST_F(Profiles, OffByDefault) {
    machinePolicy() = MachinePolicy();
    configureProfiles(first);
    EXPECT_EQ(firstRunSettingsPath(), first);
    Settings quiet;
    resetDefaults(quiet, false);
    quiet.showHelpAtStart = false;
    ASSERT_TRUE(saveSettingsFile(quiet, first));
    startBook(first);
    EXPECT_FALSE(modalLevelOpen(ModalLevel::screen));
    ASSERT_TRUE(clickOn(findTrack(shellState().rootNode->children[2], openSetupAction)));
    passes(2);
    EXPECT_EQ(findTrack(screenState().layer, backToChooserAction), nullptr);
    std::string next;
    EXPECT_FALSE(takeNextBook(next));
}

namespace {

uint32_t chooserNow = 500000;
uint32_t chooserClock() { return chooserNow; }

}  // namespace

// The chooser's close button, reached by keys, one switch or dwell, asks
// "Stop painting?" over the chooser with the focus on Cancel, and Cancel goes
// back to the chooser with the focus on the close button again; the animals
// come before it in the order.
TEST_F(Profiles, TheChoosersCloseButtonAsksFirstWhateverTheWayIn) {
    for (AccessMethod method : {AccessMethod::keys, AccessMethod::switch1, AccessMethod::dwell}) {
        SCOPED_TRACE(int(method));
        TestStart how;
        how.startUpHelp = true;
        how.options.accessMethod = int32_t(method);
        ASSERT_TRUE(startUpForTest(firstRunSettingsPath(), how));
        accessState.clock = chooserClock;
        passes(3);
        ASSERT_TRUE(modalLevelOpen(ModalLevel::screen));
        SceneNode* close = findTrack(modalHolder(ModalLevel::screen), askBeforeLeavingAction);
        ASSERT_NE(close, nullptr);
        int presses = 0;
        auto press = [&](SDLKey key) {
            pushKey(key);
            ++presses;
            passes(3);
        };
        if (method == AccessMethod::keys) press(SDLK_TAB);
        ASSERT_EQ(groupCount(targetList), 1);
        ASSERT_EQ(groupSize(targetList, 0), 4);  // three animals, then the close button
        EXPECT_EQ(targetAt(targetList, 0, 0)->node, animalButton(0));
        EXPECT_EQ(targetAt(targetList, 0, 3)->node, close);
        EXPECT_EQ(accessState.focusNode, animalButton(0));
        if (method == AccessMethod::keys) {
            while (accessState.focusNode != close && presses < 10) press(SDLK_TAB);
            press(SDLK_SPACE);
        } else if (method == AccessMethod::switch1) {
            for (int step = 0; step < 20 && accessState.focusNode != close; ++step) {
                chooserNow += accessState.settings.scanMs;
                passes(2);
            }
            press(SDLK_SPACE);
        } else {
            ASSERT_TRUE(hover(close));
            chooserNow += accessState.settings.dwellMs + 1;
            passes(4);
        }
        passes(3);
        ASSERT_TRUE(running());
        ASSERT_TRUE(modalLevelOpen(ModalLevel::subScreen)) << "the question, over the chooser";
        SceneNode* cancel = findTrack(modalHolder(ModalLevel::subScreen), closeSubScreen);
        ASSERT_NE(cancel, nullptr);
        EXPECT_EQ(accessState.focusNode, cancel);
        EXPECT_NE(findTrack(modalHolder(ModalLevel::subScreen), confirmExitOverScreenAction), nullptr);
        if (method == AccessMethod::dwell) {
            ASSERT_TRUE(hover(cancel));
            chooserNow += accessState.settings.dwellMs + 1;
            passes(4);
        } else {
            if (method == AccessMethod::switch1) chooserNow = accessState.restUntil;
            press(SDLK_SPACE);  // the safe answer
        }
        passes(3);
        EXPECT_TRUE(running());
        EXPECT_FALSE(modalLevelOpen(ModalLevel::subScreen));
        EXPECT_TRUE(modalLevelOpen(ModalLevel::screen));
        if (method == AccessMethod::keys) {
            EXPECT_EQ(accessState.focusNode, close);
        }
        shutDownForTest();
        profiles().current = -1;
    }
}

// The household's language: given on the command line to the chooser's run,
// it is the chooser's, every child's book's and the usual file's, which the
// printed cover and a later start follow.
TEST_F(Profiles, TheRunsLanguageReachesTheChooserAndEveryBook) {
    TestStart how;
    how.startUpHelp = true;
    how.options.language = 1;  // de
    ASSERT_TRUE(startUpForTest(firstRunSettingsPath(), how));
    passes(3);
    EXPECT_EQ(switches().language, 1);  // the chooser's card is the German one
    ASSERT_TRUE(clickOn(animalButton(2)));
    runUntilEnd();
    shutDownForTest();
    std::string next;
    ASSERT_TRUE(takeNextBook(next));
    EXPECT_EQ(loadSettingsFile(first).language, 1) << "kept in the usual file";
    // The bear's book, started as a later run is, without the option.
    TestStart later;
    later.startUpHelp = true;
    ASSERT_TRUE(startUpForTest(next, later));
    passes(3);
    EXPECT_EQ(switches().language, 1);
    saveSettingsAndQuit();
    runUntilEnd();
    shutDownForTest();
    EXPECT_EQ(loadSettingsFile(first + ".bear").language, 1);
    // A later start of the program: the chooser in German without the option.
    profiles() = ProfileState();
    configureProfiles(first);
    ASSERT_TRUE(startUpForTest(firstRunSettingsPath(), later));
    passes(3);
    EXPECT_EQ(switches().language, 1);
}
