// The ways in without a mouse, through the real main loop: Tab and Space, two
// switches, one switch on a clock the test moves, and dwell. Each must leave
// the scene and the settings file exactly as the same mouse clicks do.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/access_wiring.h"
#include "app/hud_actions.h"
#include "app/settings_saver.h"
#include "app/shell.h"
#include "book/book_state.h"
#include "book/page_store.h"
#include "book/page_turn.h"
#include "engine/access.h"
#include "engine/camera.h"
#include "engine/frame_presenter.h"
#include "engine/modal.h"
#include "engine/pick.h"
#include "engine/targets.h"
#include "scene/paint_color.h"
#include "screens/controls.h"
#include "screens/screen_state.h"
#include "screens/screens.h"
#include "support/desk_driver.h"
#include "support/gl_fixture.h"
#include "support/scene_probe.h"
#include "support/test_support.h"

namespace {

// The clock scanning and dwell run by while a test holds it.
uint32_t testNow = 100000;
uint32_t testClock() { return testNow; }

// The red and yellow jars, the first well, and the region painted: one of
// page 1's petals, a region that is not where its bounding box's centre is.
const int kRedJar = 1, kYellowJar = 3;
const int32_t kRegion = 7;

struct Access : ::testing::Test {
    std::string settings;
    int presses = 0;

    void start(AccessMethod method, bool help = false) {
        settings = makeTempDir("qm_access") + "/velvadine_quillmead_cfg";
        TestStart how;
        how.options.accessMethod = int32_t(method);
        how.startUpHelp = help;
        ASSERT_TRUE(startUpForTest(settings, how));
        accessState.clock = testClock;
        passes(3);
        ASSERT_NE(book().pageHolder, nullptr);
        // A keyboard user's targets wait for the first key.
        if (method == AccessMethod::keys) {
            EXPECT_EQ(groupCount(targetList), 0);
            press(SDLK_TAB);
            presses = 0;
        }
        ASSERT_GT(groupCount(targetList), 0);
    }
    void TearDown() override { shutDownForTest(); }

    void press(SDLKey key, SDLMod mod = KMOD_NONE) {
        pushKey(key, mod);
        ++presses;
        passes(3);  // read, carried out, drawn
    }
    // The group (index into the target list) holding node, -1 when none does.
    int32_t groupOf(SceneNode* node) {
        int32_t index = targetIndexOf(targetList, node), group = -1, item = 0;
        if (index >= 0) groupAndItemOf(targetList, index, group, item);
        return group;
    }
    void tabTo(SceneNode* node) {
        ASSERT_GE(targetIndexOf(targetList, node), 0) << "not a target";
        for (int i = 0; i < 300 && !(accessState.cursor.inGroup && accessState.focusNode == node); ++i) press(SDLK_TAB);
        ASSERT_EQ(accessState.focusNode, node);
    }
    // Two switches: Space to the node's group, Enter, Space to the node, Enter.
    void scanTo(SceneNode* node) {
        int32_t group = groupOf(node);
        ASSERT_GE(group, 0);
        if (!accessState.cursor.inGroup) {
            for (int i = 0; i < 50 && accessState.cursor.group != group; ++i) press(SDLK_SPACE);
            ASSERT_EQ(accessState.cursor.group, group);
            press(SDLK_RETURN);
        }
        for (int i = 0; i < 300 && accessState.focusNode != node; ++i) press(SDLK_SPACE);
        ASSERT_EQ(accessState.focusNode, node);
        press(SDLK_RETURN);
    }
    // One switch: the clock steps the focus; Space when it is on the node's
    // group, and again when it is on the node.
    void waitAndSelect(SceneNode* node) {
        int32_t group = groupOf(node);
        ASSERT_GE(group, 0);
        for (int step = 0; step < 400; ++step) {
            bool onGroup = !accessState.cursor.inGroup && accessState.cursor.group == group && accessState.cursor.shown;
            bool onNode = accessState.cursor.inGroup && accessState.focusNode == node;
            if ((onGroup || onNode) && int32_t(testNow - accessState.restUntil) >= 0) {
                press(SDLK_SPACE);
                if (onNode) return;
                continue;
            }
            testNow += accessState.settings.scanMs;
            passes(2);
        }
        FAIL() << "the scan never reached the node";
    }
    std::vector<uint8_t> savedBook() {
        EXPECT_TRUE(saveSettingsNow());
        return readFileBytes(settings);
    }
};

// The same painting by mouse: red in the first well, yellow mixed into it,
// the mixture on the region.
std::vector<uint8_t> paintByMouse(PaintColor& mixture) {
    std::string settings = makeTempDir("qm_access_mouse") + "/velvadine_quillmead_cfg";
    EXPECT_TRUE(startUpForTest(settings));
    passes(3);
    EXPECT_TRUE(clickOn(jarBody(kRedJar)));
    EXPECT_TRUE(clickOn(wellNode(0)));
    EXPECT_TRUE(clickOn(jarBody(kYellowJar)));
    EXPECT_TRUE(clickOn(wellNode(0)));
    EXPECT_TRUE(clickOn(regionNode(kRegion)));
    passes(2);
    mixture = getElementColor(kRegion);
    EXPECT_TRUE(saveSettingsNow());
    std::vector<uint8_t> bytes = readFileBytes(settings);
    shutDownForTest();
    return bytes;
}

TEST_F(Access, TargetsComeInGroupsAndEachShowsWhereThePickFindsIt) {
    start(AccessMethod::keys);
    ASSERT_EQ(groupCount(targetList), 5);  // no back or clear button yet, but the arrows
    EXPECT_EQ(groupSize(targetList, 0), 9);  // the jars
    EXPECT_EQ(targetAt(targetList, 0, kRedJar)->node, jarBody(kRedJar));
    EXPECT_EQ(targetAt(targetList, 2, 0)->group, int32_t(pageGroup));
    EXPECT_EQ(groupSize(targetList, 2), 23);  // page 1's regions
    EXPECT_EQ(groupSize(targetList, 3), 2);   // the arrows
    EXPECT_EQ(groupSize(targetList, 4), 3);   // close, help, menu
    // Reading order: no region's spot is above the one before it by more than a row.
    for (int32_t i = 1; i < groupSize(targetList, 2); ++i)
        EXPECT_LE(targetAt(targetList, 2, i - 1)->spot.y, targetAt(targetList, 2, i)->spot.y + camera()->height / 20);
    // Every spot is where the pick finds its own target.
    for (const Target& t : targetList.targets) {
        pointAt(t.spot.x, camera()->height - t.spot.y);
        passes(2);
        EXPECT_EQ(pickState().hovered, t.node) << "at " << t.spot.x << "," << t.spot.y;
    }
}

TEST_F(Access, TabAndSpacePaintAMixedColourAsTheMouseDoes) {
    PaintColor mixture;
    std::vector<uint8_t> byMouse = paintByMouse(mixture);
    start(AccessMethod::keys);
    tabTo(jarBody(kRedJar));
    press(SDLK_SPACE);
    EXPECT_FALSE(book().brushClean);
    tabTo(wellNode(0));
    press(SDLK_SPACE);
    tabTo(jarBody(kYellowJar));
    press(SDLK_SPACE);
    tabTo(wellNode(0));
    press(SDLK_SPACE);
    tabTo(regionNode(kRegion));
    press(SDLK_SPACE);
    passes(2);
    EXPECT_TRUE(sameRyb(getElementColor(kRegion), mixture));
    EXPECT_FALSE(sameRyb(mixture, makePaint(1, 0, 0)));
    EXPECT_EQ(savedBook(), byMouse);
    std::printf("[ figures ] Tab/Space: %d presses to paint region %d in a mixed colour\n", presses, kRegion);
    // A pointer steered pixel by pixel from the window's centre would need far more.
    EXPECT_LT(presses, 120);
}

TEST_F(Access, TwoSwitchesPaintAMixedColourAsTheMouseDoes) {
    PaintColor mixture;
    std::vector<uint8_t> byMouse = paintByMouse(mixture);
    start(AccessMethod::switch2);
    scanTo(jarBody(kRedJar));
    EXPECT_FALSE(accessState.cursor.inGroup);  // back on the groups, on the paints
    EXPECT_EQ(accessState.cursor.group, 0);
    scanTo(wellNode(0));
    scanTo(jarBody(kYellowJar));
    scanTo(wellNode(0));
    scanTo(regionNode(kRegion));
    passes(2);
    EXPECT_TRUE(sameRyb(getElementColor(kRegion), mixture));
    EXPECT_EQ(savedBook(), byMouse);
    std::printf("[ figures ] two switches: %d presses to paint region %d in a mixed colour\n", presses, kRegion);
}

TEST_F(Access, OneSwitchPaintsAMixedColourAsTheMouseDoes) {
    PaintColor mixture;
    std::vector<uint8_t> byMouse = paintByMouse(mixture);
    start(AccessMethod::switch1);
    waitAndSelect(jarBody(kRedJar));
    waitAndSelect(wellNode(0));
    waitAndSelect(jarBody(kYellowJar));
    waitAndSelect(wellNode(0));
    waitAndSelect(regionNode(kRegion));
    passes(2);
    EXPECT_TRUE(sameRyb(getElementColor(kRegion), mixture));
    EXPECT_EQ(savedBook(), byMouse);
    std::printf("[ figures ] one switch: %d presses to paint region %d in a mixed colour\n", presses, kRegion);
}

TEST_F(Access, DwellPaintsAMixedColourAsTheMouseDoes) {
    PaintColor mixture;
    std::vector<uint8_t> byMouse = paintByMouse(mixture);
    start(AccessMethod::dwell);
    int rests = 0;
    auto dwellOn = [&](SceneNode* node) {
        // Away first: the same target twice needs the pointer to leave and come back.
        pointAt(2, 2);
        passes(2);
        int64_t acts = accessState.acts;
        ASSERT_TRUE(hover(node));
        testNow += accessState.settings.dwellMs / 2;
        passes(2);
        EXPECT_GT(accessState.dwellProgress, 0.3);
        EXPECT_EQ(accessState.acts, acts);  // not yet
        testNow += accessState.settings.dwellMs / 2 + 1;
        passes(3);
        EXPECT_EQ(accessState.acts, acts + 1);
        // Resting on longer does not act again.
        testNow += 3 * accessState.settings.dwellMs;
        passes(3);
        EXPECT_EQ(accessState.acts, acts + 1);
        ++rests;
    };
    dwellOn(jarBody(kRedJar));
    dwellOn(wellNode(0));
    dwellOn(jarBody(kYellowJar));
    dwellOn(wellNode(0));
    dwellOn(regionNode(kRegion));
    passes(2);
    EXPECT_TRUE(sameRyb(getElementColor(kRegion), mixture));
    EXPECT_EQ(savedBook(), byMouse);
    std::printf("[ figures ] dwell: %d rests, no presses, to paint region %d in a mixed colour\n", rests, kRegion);
}

// The window as shown, rows from the top; written as a PPM picture when
// QM_ACCESS_PICTURES names a folder, for a person to look at.
std::vector<uint8_t> windowPicture(const char* name) {
    std::vector<uint8_t> rgb = drawWholeFrameRgb(shellState().rootNode);
    if (const char* folder = std::getenv("QM_ACCESS_PICTURES")) {
        std::string path = std::string(folder) + "/" + name + ".ppm";
        if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
            std::fprintf(f, "P6 %d %d 255\n", camera()->width, camera()->height);
            std::fwrite(rgb.data(), 1, rgb.size(), f);
            std::fclose(f);
        }
    }
    return rgb;
}

// The contrast of two grey levels (0-255, sRGB) as WCAG defines it.
double contrastRatio(int lighter, int darker) {
    auto relative = [](int v) {
        double c = v / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return (relative(lighter) + 0.05) / (relative(darker) + 0.05);
}

int luminance(const std::vector<uint8_t>& rgb, int x, int y) {
    size_t p = (size_t(y) * size_t(camera()->width) + size_t(x)) * 3;
    return (299 * rgb[p] + 587 * rgb[p + 1] + 114 * rgb[p + 2]) / 1000;
}

// The focus frame shows round a region on the light paper and round a jar on
// the wood: its band stands out at least 3:1 (WCAG's contrast) against what it
// lies on, and a white line parts it from the picture's black outlines.
TEST_F(Access, TheFocusFrameShowsOnPaperAndOnWood) {
    start(AccessMethod::keys);
    for (SceneNode* node : {regionNode(kRegion), jarBody(kRedJar)}) {
        const bool wood = node == jarBody(kRedJar);
        pointAt(2, 2);
        passes(2);
        std::vector<uint8_t> before = windowPicture("before");
        tabTo(node);
        passes(2);
        std::vector<uint8_t> after = windowPicture(wood ? "jar" : "region");
        const TargetSpot& spot = targetList.targets[size_t(targetIndexOf(targetList, node))].spot;
        // Along the line through the spot, left of the box: the band, then the line.
        int y = spot.y, darkest = 255, brightest = 0;
        std::vector<int> ground;
        for (int x = std::max(0, spot.x0 - 14); x < spot.x0; ++x) {
            darkest = std::min(darkest, luminance(after, x, y));
            brightest = std::max(brightest, luminance(after, x, y));
            ground.push_back(luminance(before, x, y));
        }
        std::sort(ground.begin(), ground.end());
        const int under = ground[ground.size() / 2];
        const double ratio = contrastRatio(under, darkest);
        std::printf("[ figures ] frame contrast on the %s: %.1f:1 (band %d, %s %d)\n", wood ? "wood" : "paper", ratio,
                    darkest, wood ? "wood" : "paper", under);
        EXPECT_GE(ratio, 3.0) << "the band";
        EXPECT_GT(brightest, 200) << "the white line";
    }
    // A hand on the mouse hides the frame; the next Tab shows it again, one further on.
    SceneNode* focused = accessState.focusNode;
    pointAt(2, 2);
    passes(3);
    EXPECT_TRUE(accessFocusBoxes().empty());
    EXPECT_EQ(accessState.focusNode, focused);
    press(SDLK_TAB);
    EXPECT_FALSE(accessFocusBoxes().empty());
    EXPECT_EQ(targetIndexOf(targetList, accessState.focusNode), targetIndexOf(targetList, focused) + 1);
}

// Reduced motion: nothing swells or throws stars, a new drop is whole at once,
// and everything still works.
TEST_F(Access, ReducedMotionKeepsEverythingStillAndWorking) {
    userAccessSettings().reducedMotion = true;
    start(AccessMethod::keys);
    userAccessSettings() = AccessSettings();
    SceneNode* jar = jarBody(kRedJar);
    ASSERT_TRUE(hover(jar));
    passes(10);
    EXPECT_EQ(jar->transform.scale.x, 1.0);
    EXPECT_EQ(jar->transform.rotation.x, 0.0);
    int nodesBefore = countNodes(jar);
    tabTo(jar);
    press(SDLK_SPACE);
    EXPECT_FALSE(book().brushClean);
    EXPECT_EQ(countNodes(jar), nodesBefore);  // no stars
    passes(10);
    EXPECT_EQ(jar->children[0]->transform.rotation.y, 0.0);  // the lid stays shut
    tabTo(wellNode(0));
    press(SDLK_SPACE);
    std::vector<SceneNode*> drops = wellDrops(0, DropKind::clear);
    ASSERT_EQ(drops.size(), 1u);
    EXPECT_EQ(drops[0]->transform.scale.x, 1.0);  // not growing in from a third
}

// Undo, clear (through its question) and turning a page by keys alone.
TEST_F(Access, KeysUndoClearAndTurnThePage) {
    start(AccessMethod::keys);
    tabTo(jarBody(kRedJar));
    press(SDLK_SPACE);
    tabTo(regionNode(kRegion));
    press(SDLK_SPACE);
    ASSERT_TRUE(isElementPainted(kRegion));
    passes(30);  // the back and clear buttons grow in
    SceneNode* back = stateButton(StateButtonKind::back, false);
    ASSERT_NE(back, nullptr);
    tabTo(back);
    press(SDLK_SPACE);
    EXPECT_FALSE(isElementPainted(kRegion));
    tabTo(regionNode(kRegion));
    press(SDLK_SPACE);
    passes(30);
    SceneNode* clear = stateButton(StateButtonKind::clear, false);
    ASSERT_NE(clear, nullptr);
    tabTo(clear);
    press(SDLK_SPACE);
    ASSERT_TRUE(modalLevelOpen(ModalLevel::screen));
    ASSERT_EQ(groupCount(targetList), 1);
    // The focus starts on the safe answer, Cancel: a Space meant for something
    // else keeps the page, and the focus is back on the clear button.
    SceneNode* cancel = findTrack(modalHolder(ModalLevel::screen), closeScreen);
    EXPECT_EQ(accessState.focusNode, cancel);
    press(SDLK_SPACE);
    passes(3);
    EXPECT_FALSE(modalLevelOpen(ModalLevel::screen));
    EXPECT_TRUE(isElementPainted(kRegion));
    EXPECT_EQ(accessState.focusNode, clear);
    press(SDLK_SPACE);
    ASSERT_TRUE(modalLevelOpen(ModalLevel::screen));
    press(SDLK_TAB, KMOD_LSHIFT);  // back to OK
    EXPECT_EQ(accessState.focusNode, findTrack(modalHolder(ModalLevel::screen), confirmClearPageAction));
    press(SDLK_SPACE);
    passes(3);
    EXPECT_FALSE(modalLevelOpen(ModalLevel::screen));
    EXPECT_TRUE(isPageClean());
    const int32_t page = currentPageNumber();
    tabTo(findTrack(shellState().rootNode->children[2], nextPageAction));  // the right arrow
    press(SDLK_SPACE);
    passes(3);
    EXPECT_EQ(currentPageNumber(), page + 1);
    EXPECT_GE(targetIndexOf(targetList, accessState.focusNode), 0);  // the focus lives on
}

// Two switches leave the program: the corner buttons, the close button, the
// question, whose focus starts on Cancel; a select there goes back to painting
// with the focus where it was, and only a step to OK and a select end the program.
TEST_F(Access, TwoSwitchesLeaveThroughTheExitQuestion) {
    start(AccessMethod::switch2);
    SceneNode* close = findTrack(shellState().rootNode->children[2], openExitAction);
    ASSERT_NE(close, nullptr);
    scanTo(close);
    passes(3);
    ASSERT_TRUE(modalLevelOpen(ModalLevel::screen));
    EXPECT_EQ(groupCount(targetList), 1);
    EXPECT_TRUE(accessState.cursor.inGroup);  // a screen's controls at once, Cancel first
    EXPECT_EQ(accessState.focusNode, findTrack(modalHolder(ModalLevel::screen), closeScreen));
    const int before = presses;
    press(SDLK_RETURN);
    passes(3);
    EXPECT_TRUE(running());
    EXPECT_FALSE(modalLevelOpen(ModalLevel::screen));
    // Back on the corner buttons' group, where the act left it.
    EXPECT_FALSE(accessState.cursor.inGroup);
    EXPECT_EQ(accessState.focusGroupId, int32_t(cornerGroup));
    scanTo(close);
    passes(3);
    press(SDLK_SPACE);  // Cancel to OK
    EXPECT_EQ(accessState.focusNode, findTrack(modalHolder(ModalLevel::screen), confirmExitAction));
    press(SDLK_RETURN);
    for (int i = 0; i < 100 && running(); ++i) passes(1);
    EXPECT_FALSE(running());
    std::printf("[ figures ] two switches: %d presses from the desk out of the program\n", presses - before);
}

// One switch: the help opened and closed by the switch; the focus returns to
// the corner buttons, and that first step lasts a whole period after the rest,
// so a press in it enters the group.
TEST_F(Access, OneSwitchChoosesTheFirstStepAfterAScreenCloses) {
    start(AccessMethod::switch1, true);
    passes(3);
    ASSERT_TRUE(modalLevelOpen(ModalLevel::screen));
    SceneNode* ok = findTrack(modalHolder(ModalLevel::screen), closeScreen);
    ASSERT_NE(ok, nullptr);
    waitAndSelect(ok);
    passes(3);
    ASSERT_FALSE(modalLevelOpen(ModalLevel::screen));
    ASSERT_TRUE(accessState.cursor.shown);
    const int32_t lit = accessState.cursor.group;
    const bool litInGroup = accessState.cursor.inGroup;
    // The rest after the act, then nearly a whole period: still the same step.
    testNow = accessState.restUntil + accessState.settings.scanMs - 10;
    passes(2);
    EXPECT_EQ(accessState.cursor.group, lit);
    EXPECT_EQ(accessState.cursor.inGroup, litInGroup);
    const int64_t moves = accessState.focusMoves;
    press(SDLK_SPACE);
    EXPECT_EQ(accessState.focusMoves, moves + 1) << "the press counted";
}

// One switch: after an act the scan rests for a period on the group just used,
// and a second press in that rest does nothing; then the clock moves on.
TEST_F(Access, OneSwitchRestsAfterAnActAndIgnoresTheSwitchMeanwhile) {
    start(AccessMethod::switch1);
    waitAndSelect(jarBody(kRedJar));
    ASSERT_FALSE(book().brushClean);
    const int64_t acts = accessState.acts, moves = accessState.focusMoves;
    EXPECT_FALSE(accessState.cursor.inGroup);
    EXPECT_EQ(accessState.cursor.group, 0);
    press(SDLK_SPACE);  // within the rest: swallowed
    EXPECT_EQ(accessState.acts, acts);
    EXPECT_FALSE(accessState.cursor.inGroup);
    testNow += accessState.settings.scanMs;  // the rest is over, the step not yet due
    passes(2);
    EXPECT_EQ(accessState.focusMoves, moves);
    testNow += accessState.settings.scanMs;
    passes(2);
    EXPECT_EQ(accessState.focusMoves, moves + 1);
    EXPECT_EQ(accessState.cursor.group, 1);  // on to the palette
}

TEST_F(Access, MovingOffCancelsADwell) {
    start(AccessMethod::dwell);
    ASSERT_TRUE(hover(jarBody(kRedJar)));
    testNow += accessState.settings.dwellMs * 2 / 3;
    passes(2);
    // The ring round the brush is two-thirds full: its arcs are in the frame.
    EXPECT_NEAR(accessState.dwellProgress, 2.0 / 3, 0.01);
    std::vector<uint8_t> waiting = windowPicture("dwell");
    testNow += accessState.settings.dwellMs / 3 - 100;
    passes(2);
    ASSERT_TRUE(hover(jarBody(kYellowJar)));
    testNow += 200;
    passes(3);
    EXPECT_EQ(accessState.acts, 0);
    // Past the grace the red jar's wait is over; the yellow one counts from
    // when the pointer came to it.
    testNow += accessState.settings.dwellGraceMs;
    passes(3);
    EXPECT_EQ(accessState.acts, 0);
    EXPECT_EQ(accessState.dwellNode, jarBody(kYellowJar));
    EXPECT_TRUE(book().brushClean);
}

// Eye gaze: the pointer never rests. Crossing the details drawn inside a
// region (another region, the line art) and darting off for a moment keep the
// dwell's progress, and the region is painted after one dwell time on it.
TEST_F(Access, ADwellSurvivesAWanderingPointer) {
    start(AccessMethod::dwell);
    ASSERT_TRUE(hover(jarBody(kRedJar)));
    testNow += accessState.settings.dwellMs + 1;
    passes(3);
    ASSERT_FALSE(book().brushClean);
    const int64_t acts = accessState.acts;
    // The sun's face, ringed by its rays: a region with others drawn inside it.
    const Target* rays = nullptr;
    for (int32_t i = 0; i < groupSize(targetList, int32_t(pageGroup)) && !rays; ++i)
        if (targetAt(targetList, int32_t(pageGroup), i)->spot.parts.size() >= 3)
            rays = targetAt(targetList, int32_t(pageGroup), i);
    ASSERT_NE(rays, nullptr);
    SceneNode* region = rays->node;
    int32_t element = 1;
    while (element < 200 && regionNode(element) != region) ++element;
    const TargetSpot spot = rays->spot;
    // The gaze comes to the region and stays long enough to leave the jar behind.
    pointAt(spot.x, camera()->height - spot.y);
    passes(2);
    testNow += accessState.settings.dwellGraceMs + 1;
    passes(2);
    ASSERT_EQ(accessState.dwellNode, region);
    // Then it wanders round the spot: a few pixels each pass, over the line art,
    // the paper and the neighbouring face within the radius, and once far away,
    // briefly.
    const int steps = 20;
    const uint32_t step = 50;
    int overOthers = 0;
    for (int i = 0; i < steps; ++i) {
        int x = spot.x, y = spot.y;
        if (i == 5) {
            x = 2, y = 2;  // a glance away, shorter than the grace
        } else {
            double angle = i * 2.4;
            x += int(std::cos(angle) * (accessState.settings.dwellRadius - 4));
            y += int(std::sin(angle) * (accessState.settings.dwellRadius - 4));
        }
        pointAt(x, camera()->height - y);
        testNow += step;
        passes(2);
        if (accessState.acts == acts) overOthers += pickState().hovered != region;
    }
    passes(3);
    EXPECT_GT(overOthers, 3) << "the pointer did wander";
    EXPECT_EQ(accessState.acts, acts + 1);
    EXPECT_TRUE(isElementPainted(element));
}

TEST_F(Access, ScanningAnOpenScreenReachesOnlyItsControlsAndCanCloseIt) {
    start(AccessMethod::switch2, true);
    passes(3);
    ASSERT_TRUE(modalLevelOpen(ModalLevel::screen));
    ASSERT_EQ(groupCount(targetList), 1);
    SceneNode* holder = modalHolder(ModalLevel::screen);
    // Every target lies under the help screen's holder.
    std::vector<SceneNode*> under = pickableNodes(holder);
    for (const Target& t : targetList.targets)
        EXPECT_NE(std::find(under.begin(), under.end(), t.node), under.end());
    // Step round all of them: the focus never leaves the screen.
    for (int i = 0; i < 2 * groupSize(targetList, 0); ++i) {
        press(SDLK_SPACE);
        EXPECT_NE(std::find(under.begin(), under.end(), accessState.focusNode), under.end());
    }
    // The last control is OK, which closes the screen.
    while (accessState.cursor.item != groupSize(targetList, 0) - 1) press(SDLK_SPACE);
    press(SDLK_RETURN);
    passes(3);
    EXPECT_FALSE(modalLevelOpen(ModalLevel::screen));
    EXPECT_EQ(groupCount(targetList), 5);  // the desk again
}

TEST_F(Access, AFocusedDropThatVanishesPassesTheFocusToItsGroup) {
    start(AccessMethod::keys);
    tabTo(jarBody(kRedJar));
    press(SDLK_SPACE);
    tabTo(wellNode(0));
    press(SDLK_SPACE);  // the well fills; its clear drop appears
    passes(3);
    std::vector<SceneNode*> drops = wellDrops(0, DropKind::clear);
    ASSERT_EQ(drops.size(), 1u);
    SceneNode* drop = drops[0];
    tabTo(drop);
    press(SDLK_SPACE);  // the drop empties the well and vanishes
    for (int i = 0; i < 40; ++i) passes(1), testNow += 20;
    EXPECT_LT(targetIndexOf(targetList, drop), 0);
    ASSERT_NE(accessState.focusNode, nullptr);
    EXPECT_GE(targetIndexOf(targetList, accessState.focusNode), 0);
    EXPECT_EQ(accessState.focusGroupId, int32_t(paletteGroup));
}

// The order keys and switches go round in is the desk's, whatever is painted:
// a well that was filled and emptied again is where it was, and so is every
// other target.
TEST_F(Access, TheFocusOrderStaysWhenWellsFillAndEmpty) {
    start(AccessMethod::keys);
    auto palette = [] {
        std::vector<SceneNode*> order;
        for (int32_t i = 0; i < groupSize(targetList, int32_t(paletteGroup)); ++i)
            order.push_back(targetAt(targetList, int32_t(paletteGroup), i)->node);
        return order;
    };
    auto wellsInOrder = [&] {
        std::vector<int> wells;
        for (SceneNode* node : palette())
            for (int w = 0; w < 4; ++w)
                if (node == wellNode(w)) wells.push_back(w);
        return wells;
    };
    // A well is rebuilt when it fills or empties: it is known by its place
    // among the wells, every other target by itself.
    auto described = [&] {
        std::vector<const void*> order;
        for (SceneNode* node : palette()) {
            const void* entry = node;
            for (int w = 0; w < 4; ++w)
                if (node == wellNode(w)) entry = reinterpret_cast<const void*>(intptr_t(w + 1));
            order.push_back(entry);
        }
        return order;
    };
    std::vector<const void*> before = described();
    ASSERT_EQ(wellsInOrder(), (std::vector<int>{0, 1, 2, 3}));
    tabTo(jarBody(kRedJar));
    press(SDLK_SPACE);
    tabTo(wellNode(1));
    press(SDLK_SPACE);  // the second well fills; its clear drop comes after it
    passes(30);
    EXPECT_EQ(wellsInOrder(), (std::vector<int>{0, 1, 2, 3}));
    std::vector<SceneNode*> drops = wellDrops(1, DropKind::clear);
    ASSERT_EQ(drops.size(), 1u);
    std::vector<SceneNode*> filled = palette();
    auto at = [&](SceneNode* node) { return std::find(filled.begin(), filled.end(), node) - filled.begin(); };
    EXPECT_EQ(at(drops[0]), at(wellNode(1)) + 1);
    tabTo(drops[0]);
    press(SDLK_SPACE);  // emptied again
    for (int i = 0; i < 40; ++i) passes(1), testNow += 20;
    EXPECT_EQ(described(), before);
}

// The frame shows what an act changes: it goes round every part of a region
// drawn in several pieces, and a group's frames go round its members, not
// across what lies between them.
TEST_F(Access, TheFrameGoesRoundEveryPartOfARegionAndEveryMemberOfAGroup) {
    start(AccessMethod::keys);
    const Target* multi = nullptr;
    for (int32_t i = 0; i < groupSize(targetList, int32_t(pageGroup)) && !multi; ++i) {
        const Target* t = targetAt(targetList, int32_t(pageGroup), i);
        if (t->spot.parts.size() >= 3) multi = t;
    }
    ASSERT_NE(multi, nullptr) << "page 1 has a region in several pieces (the sun's rays)";
    SceneNode* region = multi->node;
    std::vector<SpotBox> parts = multi->spot.parts;
    pointAt(2, 2);
    passes(2);
    std::vector<uint8_t> before = windowPicture("multi_before");
    tabTo(region);
    passes(2);
    std::vector<uint8_t> after = windowPicture("multi_after");
    // Round every part (in the box they are joined into), just outside the
    // box, the frame changes the picture.
    std::vector<SpotBox> frames = accessFocusBoxes();
    for (const SpotBox& part : parts) {
        const SpotBox* round = nullptr;
        for (const SpotBox& f : frames)
            if (f.x0 <= part.x0 && f.y0 <= part.y0 && f.x1 >= part.x1 && f.y1 >= part.y1) round = &f;
        ASSERT_NE(round, nullptr) << "a part with no frame round it at " << part.x0 << "," << part.y0;
        int changed = 0;
        const int y = (round->y0 + round->y1) / 2;
        for (int x = std::max(0, round->x0 - 14); x < round->x0; ++x)
            changed = std::max(changed, std::abs(luminance(after, x, y) - luminance(before, x, y)));
        EXPECT_GT(changed, 60) << "no frame left of the part at " << part.x0 << "," << part.y0;
    }
    // Two switches on the corner buttons: a frame round each, not a strip.
    shutDownForTest();
    start(AccessMethod::switch2);
    while (accessState.cursor.group != groupCount(targetList) - 1) press(SDLK_SPACE);
    ASSERT_FALSE(accessState.cursor.inGroup);
    EXPECT_EQ(accessFocusBoxes().size(), size_t(groupSize(targetList, accessState.cursor.group)));
    int64_t framed = 0;
    for (const SpotBox& f : accessFocusBoxes()) framed += int64_t(f.x1 - f.x0) * (f.y1 - f.y0);
    EXPECT_LT(framed, int64_t(camera()->width) * camera()->height / 50) << "the frames cover little of the window";
}

}  // namespace
