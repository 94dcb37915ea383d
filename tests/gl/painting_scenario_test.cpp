// Whole scenarios through the real main loop: the real start-up on the generated
// archives, SDL events pushed into the queue, frames stepped one pass at a time.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/camera.h"
#include "engine/frame_presenter.h"
#include "book/book_state.h"
#include "engine/pick.h"
#include "app/settings_file.h"
#include "app/shell.h"
#include "book/page_catalog.h"
#include "book/page_store.h"
#include "book/painting.h"
#include "scene/render.h"
#include "support/gl_fixture.h"
#include "support/scene_probe.h"
#include "support/test_support.h"

namespace {

void passes(int n) {
    for (int i = 0; i < n; ++i) runOnePass();
}

SceneNode* jarBody(int jar) {
    SceneNode* row = shellState().rootNode->children[3];
    return row->children[size_t(jar)]->children[0];
}

SceneNode* regionNode(int32_t k) {
    for (SceneNode* n : book().pageHolder->children)
        if (elementOf(n) == k) return n;
    return nullptr;
}

// Points at the deepest visible pixel of the node and steps the two passes a
// hover takes (one to drain the motion, one to pick under it); returns the spot.
PixelSpot hover(SceneNode* node) {
    std::vector<SceneNode*> nodes = pickableNodes(shellState().rootNode);
    auto it = std::find(nodes.begin(), nodes.end(), node);
    EXPECT_NE(it, nodes.end());
    IdBuffer ids = renderIdBuffer(nodes);
    PixelSpot spot = deepestPixel(ids, int32_t(it - nodes.begin()));
    EXPECT_TRUE(spot.found);
    pointAt(spot.x, spot.glY);
    passes(2);
    return spot;
}

void clickOn(SceneNode* node) {
    hover(node);
    ASSERT_EQ(pickState().hovered, node);
    pushClick();
    passes(1);
}

struct Scenario : ::testing::Test {
    std::string folder;
    void start(const std::string& settingsFile = "") {
        ASSERT_TRUE(startUpForTest(settingsFile));
        passes(2);  // the first pass builds the desk's children and the page
        ASSERT_NE(book().pageHolder, nullptr);
    }
    void TearDown() override { shutDownForTest(); }
};

TEST_F(Scenario, FirstStartBuildsPageOneWithItsRecordsInNameOrder) {
    start();
    EXPECT_EQ(currentPageNumber(), 1);
    ASSERT_EQ(book().pages.pageKeys, std::vector<int32_t>{1});
    const std::vector<ElementColorRecord>& list = book().pages.pageLists[0];
    ASSERT_EQ(list.size(), 23u);
    std::vector<int32_t> expected = {1, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 2,
                                     20, 21, 22, 23, 3,  4,  5,  6,  7,  8,  9};
    for (size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i].element, expected[i]) << "record " << i;
        EXPECT_FALSE(list[i].painted);
        EXPECT_TRUE(sameRyb(list[i].color, white));
    }
    EXPECT_TRUE(isPageClean());
    EXPECT_EQ(book().pageHolder->children.size(), 24u);  // the block and 23 regions
}

TEST_F(Scenario, RedJarThenRegionPaintsTheRegionAndShowsItRed) {
    start();
    clickOn(jarBody(1));
    EXPECT_FALSE(book().brushClean);
    EXPECT_TRUE(sameRyb(book().brushColor, makePaint(1, 0, 0)));

    SceneNode* region = regionNode(5);
    ASSERT_NE(region, nullptr);
    PixelSpot spot = hover(region);
    ASSERT_EQ(pickState().hovered, region);
    pushClick();
    passes(1);

    EXPECT_TRUE(sameRyb(region->color, makePaint(1, 0, 0)));
    EXPECT_TRUE(isElementPainted(5));
    EXPECT_TRUE(sameRyb(getElementColor(5), makePaint(1, 0, 0)));
    EXPECT_FALSE(isPageClean());

    // Move the brush out of the way and look at the region on screen.
    pointAt(2, 2);
    passes(1);
    const std::vector<uint8_t> rows = drawWholeFrameRgb(shellState().rootNode);
    const uint8_t* pixel = &rows[(size_t(camera()->height - 1 - spot.glY) * size_t(camera()->width) + size_t(spot.x)) * 3];
    EXPECT_GT(pixel[0], 120) << "red " << int(pixel[0]);
    EXPECT_LT(pixel[1], pixel[0] / 3);
    EXPECT_LT(pixel[2], pixel[0] / 3);
}

TEST_F(Scenario, CleanBrushPicksUpAPaintedRegionsColour) {
    start();
    clickOn(jarBody(6));  // purple
    SceneNode* region = regionNode(2);
    clickOn(region);
    ASSERT_TRUE(isElementPainted(2));

    // Washing arrives with the glass; a clean brush is what it leaves.
    book().brushClean = true;
    book().brushColor = white;
    size_t steps = book().undoRecords.size();
    clickOn(region);
    EXPECT_FALSE(book().brushClean);
    EXPECT_TRUE(sameRyb(book().brushColor, makePaint(1, 0, 1)));
    EXPECT_EQ(book().undoRecords.size(), steps);  // picking up is not a painting step
    EXPECT_TRUE(sameRyb(region->color, makePaint(1, 0, 1)));
}

TEST_F(Scenario, SamePaintTwiceStoresNothingNewAndTwoFillsKeepBothPreviousStates) {
    start();
    SceneNode* region = regionNode(7);
    clickOn(jarBody(3));  // yellow
    clickOn(region);
    ASSERT_EQ(book().undoRecords.size(), 1u);
    clickOn(region);  // the same paint again
    EXPECT_EQ(book().undoRecords.size(), 1u);

    clickOn(jarBody(4));  // blue
    clickOn(region);
    ASSERT_EQ(book().undoRecords.size(), 2u);
    ASSERT_EQ(book().undoNodes.size(), 2u);
    EXPECT_EQ(book().undoNodes[0], region);
    EXPECT_EQ(book().undoRecords[0].element, 7);
    EXPECT_FALSE(book().undoRecords[0].painted);
    EXPECT_TRUE(sameRyb(book().undoRecords[0].color, white));
    EXPECT_TRUE(book().undoRecords[1].painted);
    EXPECT_TRUE(sameRyb(book().undoRecords[1].color, makePaint(0, 1, 0)));
    EXPECT_TRUE(book().undoAvailable);

    // Undo takes both back to where the page started.
    undoLastStep();
    undoLastStep();
    EXPECT_FALSE(book().undoAvailable);
    EXPECT_TRUE(sameRyb(region->color, white));
    EXPECT_FALSE(isElementPainted(7));
    EXPECT_TRUE(isPageClean());
}

TEST_F(Scenario, SettingsNamingPageSevenOpenPageSevenWithItsColours) {
    Settings stored;
    stored.showHelpAtStart = false;
    stored.pages.pageKeys = {1, 7};
    stored.pages.pageLists.resize(2);
    ElementColorRecord painted;
    painted.element = 12;
    painted.painted = true;
    painted.color = makePaint(0, 1, 1);
    stored.pages.pageLists[1].push_back(painted);
    stored.pages.currentList = 1;
    std::string path = makeTempDir() + "/velvadine_quillmead_cfg";
    ASSERT_TRUE(writeFileBytes(path, writeSettings(stored)));

    start(path);
    EXPECT_EQ(currentPageNumber(), 7);
    EXPECT_EQ(book().pageHolder->children.size(), 32u);  // the block and 31 regions
    SceneNode* region = regionNode(12);
    ASSERT_NE(region, nullptr);
    EXPECT_TRUE(sameRyb(region->color, makePaint(0, 1, 1)));
    EXPECT_EQ(book().pages.pageLists[1].size(), 31u);
    EXPECT_FALSE(isPageClean());
}

// Every region of every page can be hovered where it shows, so a child can paint it.
TEST_F(Scenario, EveryRegionOfEveryPageCanBeHovered) {
    start();
    for (const ColoringPage& page : pageTable) {
        book().pendingPage = &page;
        book().pageChangePending = true;
        passes(3);  // swap, build, draw
        ASSERT_EQ(currentPageNumber(), page.number);
        ASSERT_EQ(book().pageHolder->children.size(), size_t(page.elementCount) + 1);
        std::vector<SceneNode*> nodes = pickableNodes(shellState().rootNode);
        IdBuffer ids = renderIdBuffer(nodes);
        for (SceneNode* region : book().pageHolder->children) {
            int32_t k = elementOf(region);
            if (k < 0) continue;
            auto it = std::find(nodes.begin(), nodes.end(), region);
            ASSERT_NE(it, nodes.end());
            PixelSpot spot = deepestPixel(ids, int32_t(it - nodes.begin()));
            ASSERT_TRUE(spot.found) << "page " << page.number << " region el" << k << " never shows";
            pointAt(spot.x, spot.glY);
            passes(2);
            EXPECT_EQ(pickState().hovered, region)
                << "page " << page.number << " region el" << k << " at " << spot.x << "," << spot.glY;
        }
    }
}

}  // namespace
