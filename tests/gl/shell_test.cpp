// The whole program's spine: start-up, passes of the real main loop, quitting
// through saveSettingsAndQuit and the shutdown.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "engine/audio.h"
#include "engine/switches.h"
#include "book/book_state.h"
#include "engine/camera.h"
#include "engine/input.h"
#include "app/settings_file.h"
#include "app/shell.h"
#include "base/gl.h"
#include "engine/frame_presenter.h"
#include "scene/gl_state.h"
#include "scene/scene_node.h"
#include "scene/walk_matrix.h"
#include "screens/screen_state.h"
#include "support/gl_fixture.h"
#include "support/test_support.h"

namespace {

// A chain of `levels` nodes below the root; returns the deepest.
SceneNode* hangChain(int levels) {
    SceneNode* parent = shellState().rootNode;
    for (int i = 0; i < levels; ++i) {
        SceneNode* child = createNode();
        addChild(parent, child);
        parent = child;
    }
    return parent;
}

// Levels from the node down to its deepest leaf; a leaf is one level.
int treeDepth(const SceneNode* node) {
    int deepest = 0;
    for (const SceneNode* child : node->children) deepest = std::max(deepest, treeDepth(child));
    return deepest + 1;
}

bool hasCallback(const SceneNode* node, NodeCallback fn) {
    for (const NodeCallbackEntry& entry : node->callbacks)
        if (entry.fn == fn) return true;
    return false;
}

// The main loop exactly as the entry point runs it, with a bound so a fault
// cannot hang the test; returns the passes it ran.
int runMainLoop(int limit) {
    int passes = 0;
    while (running() && passes < limit) {
        runOnePass();
        ++passes;
    }
    return passes;
}

std::string settingsFileWith(const Settings& s) {
    std::string path = makeTempDir("qm_shell") + "/velvadine_quillmead_cfg";
    EXPECT_TRUE(writeFileBytes(path, writeSettings(s)));
    return path;
}

// What the traversal showed a handler below the root.
struct FrameProbe {
    int calls = 0;
    double eyeZ = 0;
    uint32_t frameTime = 0;
};

void probeTrack(void* arg) {
    FrameProbe* p = static_cast<FrameProbe*>(arg);
    ++p->calls;
    double m[16];
    walkMatrix(m);
    p->eyeZ = m[14];
    p->frameTime = sceneState().frameTime;
}

int builderRuns = 0;
SceneNode* builderNode = nullptr;
void countingBuilder(void*) {
    ++builderRuns;
    builderNode = sceneState().currentNode;
    addChild(sceneState().currentNode, createNode());
}

}  // namespace

TEST(Shell, StartUpReadsTheSettingsAndOpensTheProgram) {
    Settings saved;
    saved.language = 2;
    saved.musicOn = false;
    saved.showHelpAtStart = false;
    saved.wells[2].empty = false;
    std::string path = settingsFileWith(saved);
    ASSERT_TRUE(startUpForTest(path));
    EXPECT_EQ(settingsPath(), path);
    EXPECT_EQ(switches().language, 2);
    EXPECT_FALSE(switches().musicOn);
    EXPECT_FALSE(book().wells[2].empty);
    ASSERT_NE(camera(), nullptr);
    EXPECT_NE(audioState().mixer, nullptr);
    char* title = nullptr;
    char* icon = nullptr;
    SDL_WM_GetCaption(&title, &icon);
    ASSERT_NE(title, nullptr);
    EXPECT_STREQ(title, "Quillmead");
    EXPECT_STREQ(icon, "Quillmead");
    ASSERT_NE(shellState().rootNode, nullptr);
    EXPECT_TRUE(hasCallback(shellState().rootNode, lightingCallback));
    // The desk hangs under the root, the screen layer among it.
    EXPECT_FALSE(shellState().rootNode->children.empty());
    ASSERT_NE(screenState().layer, nullptr);
    EXPECT_NE(std::find(shellState().rootNode->children.begin(), shellState().rootNode->children.end(), screenState().layer),
              shellState().rootNode->children.end());
    GLfloat diffuse[4];
    glGetLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
    EXPECT_FLOAT_EQ(diffuse[0], 0.6f);
    EXPECT_TRUE(running());
    shutDownForTest();
    EXPECT_EQ(shellState().rootNode, nullptr);
    EXPECT_EQ(camera(), nullptr);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
    // Shutdown never saves: the file is as it was.
    EXPECT_EQ(readFileBytes(path), writeSettings(saved));
}

TEST(Shell, MissingSettingsFileStartsWithTheDefaults) {
    ASSERT_TRUE(startUpForTest(""));
    EXPECT_TRUE(switches().showHelpAtStart);
    EXPECT_TRUE(switches().soundOn);
    EXPECT_TRUE(switches().musicOn);
    EXPECT_EQ(switches().language, 0);
    for (const PaletteWell& well : book().wells) EXPECT_TRUE(well.empty);
    EXPECT_TRUE(running());
    for (int i = 0; i < 5; ++i) runOnePass();
    EXPECT_TRUE(running());
    shutDownForTest();
}

TEST(Shell, EveryFrameIsDrawnLitInTheSceneFrame) {
    ASSERT_TRUE(startUpForTest(""));
    FrameProbe probe;
    SceneNode* node = createNode();
    playOneTrack(node, probeTrack, 0, 0, 0, 0, 0, 0, 0, &probe);
    addChild(shellState().rootNode, node);
    uint32_t before = SDL_GetTicks();
    runOnePass();
    uint32_t after = SDL_GetTicks();
    EXPECT_EQ(probe.calls, 1);
    // The root's callback lights every subtree with light 1, and the frame lies
    // 100 units ahead.
    const FrameRecord& shown = presenter.records[1 - presenter.current];
    ASSERT_FALSE(shown.items.empty());
    for (const DrawItem& item : shown.items) EXPECT_TRUE(item.lighting && item.lights == 1);
    EXPECT_DOUBLE_EQ(probe.eyeZ, -100.0);
    EXPECT_GE(probe.frameTime, before);
    EXPECT_LE(probe.frameTime, after);
    EXPECT_EQ(sceneState().frameTime, probe.frameTime);
    // Nothing changed the lighting behind the renderer's back.
    EXPECT_EQ(bool(glIsEnabled(GL_LIGHTING)), glSwitchIsOn(GlSwitch::lighting));
    runOnePass();
    EXPECT_EQ(probe.calls, 2);
    shutDownForTest();
}

TEST(Shell, WindowCloseIsIgnored) {
    ASSERT_TRUE(startUpForTest(""));
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 0);
    for (int i = 0; i < 5; ++i) runOnePass();
    EXPECT_TRUE(running());
    EXPECT_FALSE(shellState().rootNode->removing);
    shutDownForTest();
}

TEST(Shell, SaveAndQuitWritesFirstThenTearsDownLevelByLevel) {
    std::string path = settingsFileWith(Settings());
    ASSERT_TRUE(startUpForTest(path));
    hangChain(7);  // deeper than the desk, so the count below means something
    for (int i = 0; i < 3; ++i) runOnePass();
    switches().language = 4;
    switches().soundOn = false;
    book().pages.pageKeys = {5};
    book().pages.pageLists = {std::vector<ElementColorRecord>(3)};
    book().pages.currentList = 0;
    std::vector<uint8_t> expected = writeSettings(currentSettings());

    int depth = treeDepth(shellState().rootNode);
    EXPECT_GE(depth, 8);

    saveSettingsAndQuit();
    // Complete on disk before the first torn-down frame.
    EXPECT_EQ(readFileBytes(path), expected);
    EXPECT_TRUE(shellState().rootNode->removing);
    EXPECT_TRUE(running());
    // One frame per level, then the loop ends.
    EXPECT_EQ(runMainLoop(100), depth);
    EXPECT_FALSE(running());
    EXPECT_TRUE(shellState().rootNode->children.empty());
    shutDownForTest();

    Settings back = loadSettingsFile(path);
    EXPECT_EQ(back.language, 4);
    EXPECT_FALSE(back.soundOn);
    EXPECT_EQ(back.pages.currentList, 0);
    EXPECT_EQ(back.pages.pageLists.at(0).size(), 3u);
}

TEST(Shell, InputKeepsFlowingWhileTheTreeTearsDown) {
    ASSERT_TRUE(startUpForTest(""));
    hangChain(9);
    runOnePass();
    int depth = treeDepth(shellState().rootNode);
    saveSettingsAndQuit();
    runOnePass();
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_ESCAPE;
    ASSERT_EQ(SDL_PushEvent(&key), 0);
    runOnePass();
    EXPECT_TRUE(input().keyPressed);
    EXPECT_EQ(int(input().lastKey.keysym.sym), int(SDLK_ESCAPE));
    EXPECT_EQ(runMainLoop(100), depth - 2);
    shutDownForTest();
}

TEST(Shell, StartUpFindsTheSettingsInTheDataFolder) {
    std::string folder = makeTempDir("qm_xdg");
    Settings saved;
    saved.language = 1;
    ASSERT_TRUE(writeFileBytes(folder + "/velvadine_quillmead_cfg", writeSettings(saved)));
    const char* old = std::getenv("XDG_DATA_HOME");
    std::string keep = old ? old : "";
    setenv("XDG_DATA_HOME", folder.c_str(), 1);
    closeGlWindow();
    ASSERT_TRUE(startUp());
    if (old)
        setenv("XDG_DATA_HOME", keep.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(settingsPath(), folder + "/velvadine_quillmead_cfg");
    EXPECT_EQ(switches().language, 1);
    switches().language = 3;
    saveSettingsAndQuit();
    runMainLoop(100);
    shutDownForTest();
    Settings back = loadSettingsFile(folder + "/velvadine_quillmead_cfg");
    EXPECT_EQ(back.language, 3);
}

// No folder for the settings: the program runs on the defaults and quits
// without writing anything anywhere.
TEST(Shell, NoSettingsFolderRunsOnDefaultsAndSkipsTheSave) {
    std::string folder = makeTempDir("qm_xdg");
    ASSERT_TRUE(writeFileBytes(folder + "/blocked", {0}));
    const char* old = std::getenv("XDG_DATA_HOME");
    std::string keep = old ? old : "";
    setenv("XDG_DATA_HOME", (folder + "/blocked/data").c_str(), 1);
    closeGlWindow();
    ASSERT_TRUE(startUp());
    if (old)
        setenv("XDG_DATA_HOME", keep.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(settingsPath(), "");
    EXPECT_TRUE(switches().showHelpAtStart);
    runOnePass();
    int depth = treeDepth(shellState().rootNode);
    saveSettingsAndQuit();
    EXPECT_EQ(runMainLoop(100), depth);
    EXPECT_FALSE(running());
    shutDownForTest();
    EXPECT_EQ(readFileBytes(folder + "/blocked"), std::vector<uint8_t>{0});
}

TEST(Shell, OpenScreenBuildsOnceUnderTheScreenLayer) {
    ASSERT_TRUE(startUpForTest(""));
    runOnePass();
    ASSERT_NE(screenState().layer, nullptr);
    size_t before = screenState().layer->children.size();
    builderRuns = 0;
    openScreen(ModalLevel::screen, countingBuilder);
    ASSERT_EQ(screenState().layer->children.size(), before + 1);
    SceneNode* screen = screenState().layer->children.back();
    EXPECT_EQ(builderRuns, 0);  // the builder waits for the next traversal
    runOnePass();
    EXPECT_EQ(builderRuns, 1);
    EXPECT_EQ(builderNode, screen);
    // What the builder hung under its node stays, and the builder never runs again.
    EXPECT_EQ(screen->children.size(), 1u);
    for (int i = 0; i < 5; ++i) runOnePass();
    EXPECT_EQ(builderRuns, 1);
    EXPECT_EQ(screen->children.size(), 1u);
    shutDownForTest();
}

// Without a screen layer there is nothing to open a screen over: nothing happens.
TEST(Shell, OpenScreenWithoutAScreenLayerDoesNothing) {
    ASSERT_TRUE(startUpForTest(""));
    for (int i = 0; i < 2; ++i) runOnePass();  // the start-up help taken away is swept
    SceneNode* layer = screenState().layer;
    size_t layerChildren = layer->children.size();
    size_t rootChildren = shellState().rootNode->children.size();
    screenState().layer = nullptr;
    builderRuns = 0;
    openScreen(ModalLevel::screen, countingBuilder);
    for (int i = 0; i < 3; ++i) runOnePass();
    screenState().layer = layer;
    EXPECT_EQ(builderRuns, 0);
    EXPECT_EQ(layer->children.size(), layerChildren);
    EXPECT_EQ(shellState().rootNode->children.size(), rootChildren);
    shutDownForTest();
}
