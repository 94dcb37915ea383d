// Ctrl+S and Print in the real main loop: the shown page is saved as a picture
// in the pictures folder with the button sound, and nothing else changes: not
// the book, not the desk on screen, not the GL state the next frame relies on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/book_pdf.h"
#include "app/export_book.h"
#include "app/keep_page.h"
#include "app/page_picture.h"
#include "app/shell.h"
#include "base/gl.h"
#include "book/book_state.h"
#include "book/page_store.h"
#include "book/page_table.h"
#include "resources/png_decode.h"
#include "engine/camera.h"
#include "scene/gl_state.h"
#include "screens/screen_state.h"
#include "support/desk_driver.h"
#include "support/gl_fixture.h"
#include "support/scene_probe.h"
#include "support/test_support.h"

namespace {

// Pixels of the picture close to the colour.
int pixelsNear(const RgbaImage& s, int r, int g, int b) {
    int count = 0;
    for (size_t i = 0; i + 3 < s.pixels.size(); i += 4) {
        const uint8_t* p = &s.pixels[i];
        if (std::abs(p[0] - r) < 40 && std::abs(p[1] - g) < 40 && std::abs(p[2] - b) < 40) ++count;
    }
    return count;
}

struct KeepPage : ::testing::Test {
    std::string home, oldHome;
    void SetUp() override {
        home = makeTempDir("qm_keep_home");
        oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
        setenv("HOME", home.c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
        setKeptPageSize(700, 500);
        ASSERT_TRUE(startUpForTest(""));
        passes(2);
    }
    void TearDown() override {
        shutDownForTest();
        setKeptPageSize(3508, 2480);
        setenv("HOME", oldHome.c_str(), 1);
    }
    std::vector<std::string> saved() { return folderEntries(home + "/Pictures/Quillmead"); }
    // Region 4 of the shown page painted red and the pointer moved away; the
    // region's colour on screen goes in shown.
    SceneNode* paintRegionRed(uint8_t shown[3]) {
        EXPECT_TRUE(clickOn(jarBody(1)));  // red
        SceneNode* region = regionNode(4);
        EXPECT_TRUE(clickOn(region));
        pointAt(2, 2);
        passes(2);
        pixelOf(region, shown);
        return region;
    }
};

TEST_F(KeepPage, CtrlSAndPrintSaveTheShownPageAndChangeNothingElse) {
    uint8_t before[3], after[3];
    SceneNode* region = paintRegionRed(before);
    // Stars from the jar come and go; the page and the screens stay as they are.
    SceneNode* page = book().pageHolder;
    int pageNodes = countNodes(page);
    size_t steps = book().undoNodes.size();

    silenceChannels();
    pushKey(SDLK_s, KMOD_NONE);  // a plain s does nothing
    passes(1);
    EXPECT_TRUE(saved().empty());
    EXPECT_EQ(channelsPlaying("button.wav"), 0);

    pushKey(SDLK_s, KMOD_LCTRL);
    passes(1);
    ASSERT_EQ(saved().size(), 1u);
    EXPECT_EQ(channelsPlaying("button.wav"), 1);
    std::vector<uint8_t> file = readFileBytes(home + "/Pictures/Quillmead/" + saved()[0]);
    RgbaImage picture;
    ASSERT_TRUE(decodePngToRgba(file.data(), file.size(), picture));
    EXPECT_EQ(picture.width, 700);
    EXPECT_EQ(picture.height, 500);
    EXPECT_GT(pixelsNear(picture, 230, 20, 20), 200);  // the red region
    EXPECT_GT(pixelsNear(picture, 20, 20, 20), 2000);  // the line art

    passes(2);
    pixelOf(region, after);
    EXPECT_EQ(std::vector<uint8_t>(before, before + 3), std::vector<uint8_t>(after, after + 3));
    EXPECT_EQ(book().pageHolder, page);
    EXPECT_EQ(countNodes(page), pageNodes);
    EXPECT_TRUE(screenState().layer->children.empty());
    EXPECT_EQ(book().undoNodes.size(), steps);
    EXPECT_TRUE(isElementPainted(4));

    pushKey(SDLK_PRINT, KMOD_NONE);
    passes(1);
    EXPECT_EQ(saved().size(), 2u);
}

TEST_F(KeepPage, DrawingThePictureLeavesTheFramesGlStateAlone) {
    GLint viewport[4], after[4], mode, modeAfter;
    GLdouble projection[16], projectionAfter[16];
    GLfloat clear[4], clearAfter[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    PagePicture picture = drawPagePicture(book().pageHolder, 300, 200);
    EXPECT_EQ(picture.rgb.size(), size_t(300 * 200 * 3));
    glGetIntegerv(GL_VIEWPORT, after);
    glGetIntegerv(GL_MATRIX_MODE, &modeAfter);
    glGetDoublev(GL_PROJECTION_MATRIX, projectionAfter);
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearAfter);
    EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), std::vector<GLint>(after, after + 4));
    EXPECT_EQ(mode, modeAfter);
    EXPECT_EQ(std::vector<GLdouble>(projection, projection + 16), std::vector<GLdouble>(projectionAfter, projectionAfter + 16));
    EXPECT_EQ(std::vector<GLfloat>(clear, clear + 4), std::vector<GLfloat>(clearAfter, clearAfter + 4));
    EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
    // What it set, it set through the renderer's shadow.
    EXPECT_EQ(bool(glIsEnabled(GL_LIGHTING)), glSwitchIsOn(GlSwitch::lighting));
    // No page, no picture.
    EXPECT_TRUE(drawPagePicture(nullptr, 300, 200).rgb.empty());
}

// The exports draw the pages of a book read from a settings file while the
// desk shows another: each page comes out in the colours of the store it is
// given, and the shown book's store, its current page and the tree being
// walked stay exactly as they were, so the next frame shows the child's paint.
TEST_F(KeepPage, ExportsDrawTheirOwnPagesAndLeaveTheShownBookAlone) {
    uint8_t before[3], after[3];
    SceneNode* region = paintRegionRed(before);
    const PageStore shown = book().pages;
    SceneNode* walking = sceneState().currentNode;
    const ColoringPage* page = nullptr;
    for (const ColoringPage& p : pageTable)
        if (p.number == currentPageNumber()) page = &p;
    ASSERT_NE(page, nullptr);

    PageStore other;
    other.pageKeys = {page->number};
    other.pageLists = {{{4, true, makePaint(0, 0, 1)}}};
    const PaintColor blue = makePaint(0, 0, 1);
    PagePicture picture;
    ASSERT_TRUE(drawPaintedPage(*page, other, 700, 500, picture, PictureLook::asSeen));
    RgbaImage image;
    image.width = picture.width;
    image.height = picture.height;
    for (size_t i = 0; i + 2 < picture.rgb.size(); i += 3)
        image.pixels.insert(image.pixels.end(), {picture.rgb[i], picture.rgb[i + 1], picture.rgb[i + 2], 255});
    EXPECT_GT(pixelsNear(image, int(blue.r * 255), int(blue.g * 255), int(blue.b * 255)), 200);
    EXPECT_EQ(pixelsNear(image, 230, 20, 20), 0);  // not the shown book's red

    std::string pdf = makeTempDir("qm_keep_pdf") + "/book.pdf";
    PdfChapter chapter;
    chapter.pages = other;
    int32_t written = writeBookPdf(pdf, {chapter}, 0);
#ifndef _WIN32
    EXPECT_EQ(written, 1);
    EXPECT_FALSE(readFileBytes(pdf).empty());
#else
    EXPECT_EQ(written, -1);  // no cairo on Windows
#endif

    EXPECT_EQ(sceneState().currentNode, walking);
    EXPECT_EQ(book().pages.currentList, shown.currentList);
    EXPECT_EQ(book().pages.pageKeys, shown.pageKeys);
    ASSERT_EQ(book().pages.pageLists.size(), shown.pageLists.size());
    for (size_t i = 0; i < shown.pageLists.size(); ++i) {
        ASSERT_EQ(book().pages.pageLists[i].size(), shown.pageLists[i].size());
        for (size_t j = 0; j < shown.pageLists[i].size(); ++j) {
            const ElementColorRecord &now = book().pages.pageLists[i][j], &was = shown.pageLists[i][j];
            EXPECT_EQ(now.element, was.element);
            EXPECT_EQ(now.painted, was.painted);
            EXPECT_TRUE(sameRyb(now.color, was.color));
        }
    }
    EXPECT_EQ(currentPageNumber(), page->number);
    EXPECT_TRUE(isElementPainted(4));
    passes(2);
    pixelOf(region, after);
    EXPECT_EQ(std::vector<uint8_t>(before, before + 3), std::vector<uint8_t>(after, after + 3));
}

// Five presses arrive before the program has looked at the first (a child
// hammering the keys while a picture is drawn): each is its own picture. With
// nowhere to put one (a file where the pictures folder should be) a press
// answers with the soft "no" instead of the button's pop.
TEST_F(KeepPage, EveryQuickPressGivesItsOwnPictureAndAFailedOneIsHeard) {
    silenceChannels();
    for (int press = 0; press < 5; ++press) pushKey(SDLK_s, KMOD_LCTRL);
    passes(8);
    std::vector<std::string> names = saved();
    ASSERT_EQ(names.size(), 5u);
    for (const std::string& name : names) EXPECT_EQ(name.compare(0, 10, "quillmead-"), 0) << name;
    EXPECT_GE(channelsPlaying("button.wav"), 1);
    EXPECT_EQ(channelsPlaying("netu.wav"), 0);

    setenv("HOME", makeTempDir("qm_keep_nowhere").c_str(), 1);
    ASSERT_TRUE(writeFileBytes(std::string(std::getenv("HOME")) + "/Pictures", {1, 2, 3}));
    silenceChannels();
    pushKey(SDLK_s, KMOD_LCTRL);
    passes(1);
    EXPECT_EQ(channelsPlaying("netu.wav"), 1);
    EXPECT_EQ(channelsPlaying("button.wav"), 0);
    pushKey(SDLK_PRINT, KMOD_NONE);
    passes(1);
    EXPECT_EQ(channelsPlaying("netu.wav"), 2);
}

}  // namespace
