// The modal screens through the real loop: opening and closing them with the
// mouse and the keys, what stays blocked under them, the check boxes, the
// languages, leaving the program and the parents' link.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>

#include "app/hud_actions.h"
#include "app/settings_file.h"
#include "app/shell.h"
#include "book/book_state.h"
#include "book/page_store.h"
#include "engine/audio.h"
#include "engine/input.h"
#include "engine/pick.h"
#include "engine/switches.h"
#include "scene/load_model.h"
#include "scene/mesh.h"
#include "screens/controls.h"
#include "screens/screen_state.h"
#include "screens/screens.h"
#include "screens/web_link.h"
#include "support/gl_fixture.h"
#include "support/stderr_capture.h"
#include "support/desk_driver.h"
#include "support/scene_probe.h"
#include "support/test_support.h"

namespace {

void pressKey(SDLKey sym) {
    pushKey(sym);
    passes(1);
}

bool click(SceneNode* node) { return clickOn(node); }

std::vector<SceneNode*> openHolders() {
    std::vector<SceneNode*> open;
    for (SceneNode* holder : screenState().layer->children)
        if (!holder->removing) open.push_back(holder);
    return open;
}

SceneNode* topScreen() {
    std::vector<SceneNode*> open = openHolders();
    return open.empty() ? nullptr : open.back();
}

// The node draws exactly that entry: its meshes point into the cached entry.
bool shows(const SceneNode* node, const char* archive, const char* entry) {
    SceneNode* reference = createNode();
    loadModel(reference, archive, entry);
    bool same = !node->meshes.empty() && node->meshes.size() == reference->meshes.size() &&
                node->meshes[0]->vertices == reference->meshes[0]->vertices;
    destroyNode(reference);
    return same;
}

// The picture of the check box bound to flag.
SceneNode* checkPicture(bool* flag) { return findTrack(topScreen(), checkBoxToggle, flag); }

SceneNode* hudButton(TrackFn action) { return findTrack(shellState().rootNode->children[2], action); }

SceneNode* jarBody(int jar) { return shellState().rootNode->children[3]->children[size_t(jar)]->children[0]; }

SceneNode* regionNode(int32_t k) {
    for (SceneNode* n : book().pageHolder->children)
        if (elementOf(n) == k) return n;
    return nullptr;
}

void collectArchives(const SceneNode* node, std::set<std::string>& out) {
    for (const std::string& name : node->pakNames) out.insert(name);
    for (const SceneNode* child : node->children) collectArchives(child, out);
}

std::string settingsFileWith(const Settings& s) {
    std::string path = makeTempDir("qm_screens") + "/velvadine_quillmead_cfg";
    EXPECT_TRUE(writeFileBytes(path, writeSettings(s)));
    return path;
}

int runUntilEnd(int limit) {
    int n = 0;
    for (; running() && n < limit; ++n) runOnePass();
    return n;
}

// PATH for the scope of a test, so that no real browser is ever started.
struct PathFor {
    std::string kept;
    explicit PathFor(const std::string& path) : kept(std::getenv("PATH") ? std::getenv("PATH") : "") {
        setenv("PATH", path.c_str(), 1);
    }
    ~PathFor() { setenv("PATH", kept.c_str(), 1); }
};

struct Screens : ::testing::Test {
    void start(const std::string& settings = "", bool help = false) {
        TestStart how;
        how.startUpHelp = help;
        ASSERT_TRUE(startUpForTest(settings, how));
        passes(2);
    }
    void openSetup() {
        ASSERT_TRUE(click(hudButton(openSetupAction)));
        ASSERT_TRUE(modalLevelOpen(ModalLevel::screen));
        ASSERT_TRUE(shows(topScreen(), "langall.pak", "menu_alpha"));
        passes(1);
    }
    void TearDown() override { shutDownForTest(); }
};

// Escape opens the exit confirmation, cancels it and opens it again; Return
// saves exactly what was painted and ends the program; the next start shows the
// same page in its colours, and the help box unticked keeps the help away.
TEST_F(Screens, LeavingThroughTheExitConfirmationLosesNothing) {
    std::string path = makeTempDir("qm_screens") + "/velvadine_quillmead_cfg";
    start(path, true);
    // A first start shows the help.
    ASSERT_TRUE(modalLevelOpen(ModalLevel::screen));
    SceneNode* help = topScreen();
    ASSERT_NE(help, nullptr);
    SceneNode* box = checkPicture(&switches().showHelpAtStart);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(shows(box, "langall.pak", "check_enable"));
    ASSERT_TRUE(click(box));
    EXPECT_FALSE(switches().showHelpAtStart);
    pressKey(SDLK_ESCAPE);
    EXPECT_FALSE(modalLevelOpen(ModalLevel::screen));
    EXPECT_TRUE(help->removing);
    passes(3);

    ASSERT_TRUE(click(jarBody(1)));
    ASSERT_TRUE(click(regionNode(5)));
    ASSERT_TRUE(isElementPainted(5));

    pressKey(SDLK_ESCAPE);
    ASSERT_TRUE(modalLevelOpen(ModalLevel::screen));
    SceneNode* exitScreen = topScreen();
    EXPECT_TRUE(shows(exitScreen->children.at(0)->children.at(0), "langen.pak", "menu_exit"));
    pressKey(SDLK_ESCAPE);
    EXPECT_FALSE(modalLevelOpen(ModalLevel::screen));
    EXPECT_TRUE(exitScreen->removing);
    EXPECT_TRUE(running());
    pressKey(SDLK_ESCAPE);
    ASSERT_TRUE(modalLevelOpen(ModalLevel::screen));
    EXPECT_NE(topScreen(), nullptr);

    std::vector<uint8_t> expected = writeSettings(currentSettings());
    pressKey(SDLK_RETURN);
    EXPECT_TRUE(shellState().rootNode->removing);
    EXPECT_EQ(readFileBytes(path), expected);
    EXPECT_LT(runUntilEnd(100), 100);
    shutDownForTest();
    EXPECT_EQ(readFileBytes(path), expected);

    start(path, true);
    EXPECT_FALSE(modalLevelOpen(ModalLevel::screen));
    EXPECT_TRUE(openHolders().empty());
    EXPECT_EQ(currentPageNumber(), 1);
    SceneNode* region = regionNode(5);
    ASSERT_NE(region, nullptr);
    EXPECT_TRUE(sameRyb(region->color, makePaint(1, 0, 0)));
}

// With the about screen over the setup screen, only the about screen answers;
// the desk's keys wait for every screen to close.
// The help screen opened at start is modal from the first frame: an Escape that
// arrives before it is built opens no exit screen beside it, and the flag and
// the screens on show agree afterwards.
TEST_F(Screens, AKeyInTheFirstFrameOpensNoSecondScreen) {
    TestStart how;
    how.startUpHelp = true;
    ASSERT_TRUE(startUpForTest("", how));
    pushKey(SDLK_ESCAPE);
    passes(4);
    EXPECT_LE(openHolders().size(), 1u);
    EXPECT_EQ(modalLevelOpen(ModalLevel::screen), !openHolders().empty());
}

TEST_F(Screens, OnlyTheTopmostScreenAnswers) {
    PathFor noBrowser(makeTempDir("qm_nobin"));
    start();
    size_t page = size_t(currentPageNumber());
    openSetup();
    SceneNode* setup = topScreen();
    // F1 and the arrows do nothing while a screen is open.
    for (SDLKey key : {SDLK_F1, SDLK_LEFT, SDLK_RIGHT}) pressKey(key);
    passes(2);
    EXPECT_EQ(openHolders().size(), 1u);
    EXPECT_EQ(size_t(currentPageNumber()), page);
    EXPECT_FALSE(book().pageChangePending);

    ASSERT_TRUE(click(findTrack(setup, openAboutAction)));
    ASSERT_TRUE(modalLevelOpen(ModalLevel::subScreen));
    SceneNode* about = topScreen();
    ASSERT_NE(about, setup);
    EXPECT_TRUE(shows(about->children.at(0), "plangen.pak", "about"));
    // The about button stays at its size under the pointer and a click does nothing.
    SceneNode* aboutButton = findTrack(setup, openAboutAction);
    ASSERT_TRUE(hover(aboutButton));
    passes(10);
    EXPECT_DOUBLE_EQ(aboutButton->transform.scale.x, 1.0);
    SceneNode* close = findTrack(setup, closeScreen);
    ASSERT_TRUE(click(close));
    EXPECT_TRUE(modalLevelOpen(ModalLevel::screen));
    EXPECT_FALSE(setup->removing);
    EXPECT_EQ(openHolders().size(), 2u);
    // Nor does the parents' link under it end the program.
    ASSERT_TRUE(click(findTrack(setup, openWebSiteAction)));
    EXPECT_FALSE(shellState().rootNode->removing);
    // The about screen's own button grows, to exactly 1.1.
    SceneNode* ok = findTrack(about, closeSubScreen);
    ASSERT_TRUE(hover(ok));
    uint32_t since = sceneState().frameTime;
    while (sceneState().frameTime - since < 200) passes(1);
    EXPECT_DOUBLE_EQ(ok->transform.scale.x, 1.1);

    // One Escape closes the about screen only; the next one the setup screen,
    // without opening the exit confirmation.
    pressKey(SDLK_ESCAPE);
    EXPECT_FALSE(modalLevelOpen(ModalLevel::subScreen));
    EXPECT_TRUE(modalLevelOpen(ModalLevel::screen));
    EXPECT_TRUE(about->removing);
    EXPECT_FALSE(setup->removing);
    pressKey(SDLK_ESCAPE);
    EXPECT_FALSE(modalLevelOpen(ModalLevel::screen));
    EXPECT_TRUE(setup->removing);
    passes(3);
    EXPECT_TRUE(openHolders().empty());

    // Return on the desk is nobody's key.
    pressKey(SDLK_RETURN);
    passes(2);
    EXPECT_TRUE(openHolders().empty());
    EXPECT_FALSE(input().keyConsumed);
    EXPECT_FALSE(shellState().rootNode->removing);
}

// A click flips the switch at once and the other picture shows in the next
// frame; music switched off and on again starts over from its beginning.
TEST_F(Screens, CheckBoxesSwitchAtOnceAndMusicStartsOver) {
    start();
    openSetup();
    SceneNode* sound = checkPicture(&switches().soundOn);
    ASSERT_NE(sound, nullptr);
    ASSERT_TRUE(click(sound));
    EXPECT_FALSE(switches().soundOn);
    EXPECT_TRUE(sound->removing);
    EXPECT_EQ(checkPicture(&switches().soundOn), nullptr);
    passes(1);
    SceneNode* off = checkPicture(&switches().soundOn);
    ASSERT_NE(off, nullptr);
    EXPECT_TRUE(shows(off, "langall.pak", "check_disable"));
    ASSERT_TRUE(click(off));
    EXPECT_TRUE(switches().soundOn);
    passes(1);
    EXPECT_TRUE(shows(checkPicture(&switches().soundOn), "langall.pak", "check_enable"));

    if (!audioState().mixer || audioState().mixer->failed) GTEST_SKIP() << "no audio device";
    auto musicChannel = []() -> int {
        for (int i = 0; i < 3; ++i)
            if (audioState().channels[i].looping) return i;
        return -1;
    };
    SDL_LockAudio();
    int playing = musicChannel();
    SDL_UnlockAudio();
    ASSERT_GE(playing, 0);
    ASSERT_TRUE(click(checkPicture(&switches().musicOn)));
    EXPECT_FALSE(switches().musicOn);
    // The mixer stops the music at its next buffer.
    for (int i = 0; i < 200; ++i) {
        SDL_LockAudio();
        int channel = musicChannel();
        SDL_UnlockAudio();
        if (channel < 0) break;
        usleep(5000);
        passes(1);
    }
    SDL_LockAudio();
    int stopped = musicChannel();
    SDL_UnlockAudio();
    ASSERT_EQ(stopped, -1);
    passes(1);
    SceneNode* musicOff = checkPicture(&switches().musicOn);
    ASSERT_TRUE(hover(musicOff));
    // Held still between the click's frame and the look at the channel.
    pushClick();
    SDL_LockAudio();
    passes(1);
    int channel = musicChannel();
    uint32_t position = channel >= 0 ? audioState().channels[channel].position : 1;
    SDL_UnlockAudio();
    EXPECT_TRUE(switches().musicOn);
    ASSERT_GE(channel, 0);
    EXPECT_EQ(position, 0u);
}

// Language 3: every screen's pictures come from the Russian archives, the help
// background from the English one; nothing stays open once the screens are gone.
TEST_F(Screens, RussianSettingsShowEveryScreenInRussian) {
    Settings stored;
    stored.language = 3;
    start(settingsFileWith(stored), true);
    const std::set<std::string> russian = {"langru.pak", "plangru.pak", "langall.pak"};
    auto expectRussian = [&](const char* screen, std::set<std::string> extra) {
        std::set<std::string> used;
        collectArchives(topScreen(), used);
        std::set<std::string> allowed = russian;
        allowed.insert(extra.begin(), extra.end());
        for (const std::string& name : used) EXPECT_TRUE(allowed.count(name)) << screen << " loads " << name;
        EXPECT_TRUE(used.count("langru.pak") || used.count("plangru.pak")) << screen;
    };

    ASSERT_TRUE(modalLevelOpen(ModalLevel::screen));
    expectRussian("help", {"langen.pak", "interface.pak"});
    SceneNode* helpRoot = topScreen()->children.at(0);
    EXPECT_TRUE(shows(helpRoot->children.at(0), "plangru.pak", "help"));
    EXPECT_TRUE(shows(helpRoot->children.at(3), "langen.pak", "help_bg"));
    pressKey(SDLK_ESCAPE);
    passes(3);

    for (int round = 0; round < 2; ++round) {
        openSetup();
        SceneNode* setup = topScreen();
        expectRussian("setup", {});
        EXPECT_TRUE(shows(setup->children.at(0), "langru.pak", "setup"));
        ASSERT_TRUE(click(findTrack(setup, openAboutAction)));
        expectRussian("about", {});
        EXPECT_TRUE(shows(topScreen()->children.at(0), "plangru.pak", "about"));
        pressKey(SDLK_ESCAPE);
        ASSERT_TRUE(click(findTrack(setup, openClearAllAction)));
        expectRussian("clear all", {});
        EXPECT_TRUE(shows(topScreen()->children.at(0), "langru.pak", "menu_clearall"));
        pressKey(SDLK_ESCAPE);
        pressKey(SDLK_ESCAPE);
        EXPECT_FALSE(modalLevelOpen(ModalLevel::screen));
        passes(6);
        EXPECT_TRUE(openHolders().empty());
        for (const char* archive : {"langru.pak", "plangru.pak", "langall.pak", "langen.pak"})
            EXPECT_EQ(cacheReferences(archive), 0) << archive << " after round " << round;
    }

    pressKey(SDLK_ESCAPE);
    expectRussian("exit", {});
    pressKey(SDLK_ESCAPE);
    openClearPageScreen();
    passes(1);
    expectRussian("clear page", {});
    EXPECT_TRUE(shows(topScreen()->children.at(0)->children.at(0), "langru.pak", "menu_clear"));
}

// A first start takes the language from the locale; --language sets it for this
// start and the ones after it; a settings file keeps its own otherwise.
TEST_F(Screens, TheLanguageComesFromTheLocaleTheCommandLineOrTheFile) {
    const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::string kept[3];
    bool had[3];
    for (int i = 0; i < 3; ++i) {
        const char* value = std::getenv(names[i]);
        had[i] = value != nullptr;
        kept[i] = value ? value : "";
        unsetenv(names[i]);
    }
    setenv("LANG", "de_DE.UTF-8", 1);
    auto startWith = [&](const std::string& path, int32_t language) {
        TestStart how;
        how.options.language = language;
        EXPECT_TRUE(startUpForTest(path, how));
        passes(1);
        int32_t chosen = switches().language;
        saveSettingsAndQuit();
        runUntilEnd(100);
        shutDownForTest();
        return chosen;
    };
    std::string fresh = makeTempDir("qm_screens") + "/velvadine_quillmead_cfg";
    EXPECT_EQ(startWith(fresh, -1), 1);
    setenv("LC_MESSAGES", "ru_RU", 1);
    EXPECT_EQ(startWith(makeTempDir("qm_screens") + "/velvadine_quillmead_cfg", -1), 3);
    setenv("LC_ALL", "C", 1);
    EXPECT_EQ(startWith(makeTempDir("qm_screens") + "/velvadine_quillmead_cfg", -1), 0);
    // Once there is a file, the locale no longer matters.
    EXPECT_EQ(startWith(fresh, -1), 1);
    EXPECT_EQ(startWith(fresh, 4), 4);
    EXPECT_EQ(startWith(fresh, -1), 4);
    EXPECT_EQ(loadSettingsFile(fresh).language, 4);
    EXPECT_EQ(startWith(makeTempDir("qm_screens") + "/velvadine_quillmead_cfg", 2), 2);

    for (int i = 0; i < 3; ++i) {
        if (had[i])
            setenv(names[i], kept[i].c_str(), 1);
        else
            unsetenv(names[i]);
    }
}

// The confirmations' OK: the page, or every page, comes back white; clearing
// all leaves the setup screen open.
TEST_F(Screens, ClearConfirmationsClearThroughTheBook) {
    start();
    ASSERT_TRUE(click(jarBody(1)));
    ASSERT_TRUE(click(regionNode(5)));
    ASSERT_FALSE(isPageClean());
    openClearPageScreen();
    passes(1);
    ASSERT_TRUE(modalLevelOpen(ModalLevel::screen));
    pressKey(SDLK_RETURN);
    EXPECT_FALSE(modalLevelOpen(ModalLevel::screen));
    passes(4);
    EXPECT_TRUE(isPageClean());
    EXPECT_FALSE(book().undoAvailable);

    ASSERT_TRUE(click(jarBody(1)));
    ASSERT_TRUE(click(regionNode(5)));
    openSetup();
    SceneNode* setup = topScreen();
    ASSERT_TRUE(click(findTrack(setup, openClearAllAction)));
    ASSERT_TRUE(modalLevelOpen(ModalLevel::subScreen));
    ASSERT_TRUE(click(findTrack(topScreen(), confirmClearAllAction)));
    EXPECT_FALSE(modalLevelOpen(ModalLevel::subScreen));
    EXPECT_TRUE(modalLevelOpen(ModalLevel::screen));
    EXPECT_FALSE(setup->removing);
    passes(4);
    EXPECT_TRUE(isPageClean());
    // The setup screen answers again at once.
    ASSERT_TRUE(click(findTrack(setup, openAboutAction)));
    EXPECT_TRUE(modalLevelOpen(ModalLevel::subScreen));
}

// The parents' link hands the guide's address to xdg-open and quits. Without
// xdg-open, or with one that fails (no browser to hand the address to), one
// line on stderr and the program goes on, the setup screen still open.
TEST_F(Screens, ParentsLinkOpensTheGuideAndQuits) {
    std::string bin = makeTempDir("qm_bin"), failing = makeTempDir("qm_failbin");
    std::string record = bin + "/opened";
    {
        std::ofstream script(bin + "/xdg-open");
        script << "#!/bin/sh\nprintf '%s' \"$1\" > '" << record << ".tmp' && /bin/mv '" << record << ".tmp' '"
               << record << "'\n";
        std::ofstream fails(failing + "/xdg-open");
        fails << "#!/bin/sh\necho 'xdg-open: no method available for opening' >&2\nexit 3\n";
    }
    ASSERT_EQ(chmod((bin + "/xdg-open").c_str(), 0755), 0);
    ASSERT_EQ(chmod((failing + "/xdg-open").c_str(), 0755), 0);

    for (const std::string& folder : {bin, makeTempDir("qm_nobin"), failing}) {
        const bool present = folder == bin;
        PathFor browser(folder);
        std::string path = makeTempDir("qm_screens") + "/velvadine_quillmead_cfg";
        start(path);
        switches().language = 1;
        openSetup();
        std::vector<uint8_t> expected = writeSettings(currentSettings());
        StderrCapture said;
        startCapturingStderr(said);
        ASSERT_TRUE(click(findTrack(topScreen(), openWebSiteAction)));
        std::string text = stopCapturingStderr(said);
        if (!present) {
            EXPECT_FALSE(shellState().rootNode->removing) << folder;
            passes(10);
            EXPECT_TRUE(running());
            EXPECT_TRUE(modalLevelOpen(ModalLevel::screen));
            EXPECT_EQ(occurrences(text, "quillmead: the parents' guide could not be opened"), 1) << text;
            shutDownForTest();
            continue;
        }
        EXPECT_TRUE(text.empty()) << text;
        EXPECT_TRUE(shellState().rootNode->removing);
        EXPECT_EQ(readFileBytes(path), expected);
        EXPECT_LT(runUntilEnd(100), 100);
        shutDownForTest();
        std::vector<uint8_t> opened;
        for (int i = 0; i < 200 && opened.empty(); ++i) {
            usleep(10000);
            opened = readFileBytes(record);
        }
        EXPECT_EQ(std::string(opened.begin(), opened.end()), parentsGuideAddress(dataDir(), 1));
        EXPECT_EQ(parentsGuideAddress(dataDir(), 1), "file://" + dataDir() + "/guide.html#de");
        EXPECT_FALSE(readFileBytes(dataDir() + "/guide.html").empty());
    }
}

}  // namespace
