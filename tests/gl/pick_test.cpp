// The picking pass on the real window: flat rectangles made with the model writer,
// loaded through an archive, drawn by the real traversal and picked after the swap.
#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "engine/camera.h"
#include "engine/frame_presenter.h"
#include "scene/gl_state.h"
#include "engine/input.h"
#include "engine/pick.h"
#include "resources/model.h"
#include "scene/load_model.h"
#include "resources/pak.h"
#include "scene/animation.h"
#include "scene/mesh.h"
#include "scene/render.h"
#include "scene/scene_node.h"
#include "support/gl_fixture.h"
#include "support/test_support.h"

namespace {

// What the hover tests answered when the traversal reached a node.
struct HoverAnswers {
    bool hovered = false, noScreen = false, noSubScreen = false;
    int calls = 0;
};

void recordHover(CallbackPhase phase, void* arg) {
    if (phase != beforeOwnMeshes) return;
    HoverAnswers* a = static_cast<HoverAnswers*>(arg);
    a->hovered = isHovered();
    a->noScreen = isHoveredOn(ModalLevel::desk);
    a->noSubScreen = isHoveredOn(ModalLevel::screen);
    a->calls++;
}

class PickTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureGlWindow();
        ASSERT_NE(camera(), nullptr);
        folder = makeTempDir("qm_pick");
        savedBase = pakCache().baseDirectory;
        pakCache().baseDirectory = folder + "/";
        pickState() = PickState();
        resetModalLevels();
        root = createNode();
        width = camera()->width;
        height = camera()->height;
        // The pointer somewhere off-centre, away from every edge.
        pointAt(width / 2 + 13, height / 2 - 7);
    }

    void TearDown() override {
        for (SceneNode* child : root->children) destroyNode(child);
        root->children.clear();
        destroyNode(root);
        pickState() = PickState();
        resetModalLevels();
        sceneState().currentNode = nullptr;
        pakCache().baseDirectory = savedBase;
    }

    void pointAt(int x, int y) {
        input().mouseX = uint16_t(x);
        input().mouseY = uint16_t(y);
    }
    // The window pixel the pass reads back, in GL's bottom-up rows.
    int readColumn() const { return input().mouseX; }
    int readRow() const { return std::min(height - input().mouseY, height - 1); }

    // Scene-frame point that shows at window point (wx, wy) for a flat model at
    // scene depth z (eye depth z - 100).
    void unproject(double wx, double wy, double z, double& x, double& y) {
        GLdouble projection[16], modelview[16];
        GLint viewport[4];
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
        glPushMatrix();
        glLoadIdentity();
        glTranslatef(0, 0, -100);
        glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
        glPopMatrix();
        GLdouble px, py, pz, ox, oy, oz;
        gluProject(0, 0, z, modelview, projection, viewport, &px, &py, &pz);
        gluUnProject(wx, wy, pz, modelview, projection, viewport, &ox, &oy, &oz);
        x = ox;
        y = oy;
    }

    // A clickable (or plain) node whose one mesh covers the window rectangle
    // [x0, x1] x [y0, y1] (GL window coordinates) at scene depth z.
    SceneNode* addRect(double x0, double y0, double x1, double y1, double z, bool clickable = true) {
        double ax, ay, bx, by;
        unproject(x0, y0, z, ax, ay);
        unproject(x1, y1, z, bx, by);
        ModelMeshData mesh;
        mesh.vertices = {ax, ay, 0, bx, ay, 0, bx, by, 0, ax, ay, 0, bx, by, 0, ax, by, 0};
        for (int i = 0; i < 6; ++i) mesh.normals.insert(mesh.normals.end(), {0, 0, 1});
        mesh.texCoords.assign(12, 0.0);
        std::vector<uint8_t> model = writeModel({mesh});
        std::string archive = "rect" + std::to_string(archives++) + ".pak";
        PakArchive pak;
        pakAddBuffer(pak, "rect", model.data(), model.size());
        EXPECT_TRUE(pakSave(pak, (folder + "/" + archive).c_str()));

        SceneNode* node = createNode();
        loadModel(node, archive.c_str(), "rect");
        EXPECT_EQ(node->meshes.size(), 1u);
        setPosition(node, 0, 0, z);
        if (clickable) addCallback(node, pickableCallback, nullptr);
        addChild(root, node);
        return node;
    }

    // A rectangle centred on the pixel the pass reads, half-size r pixels.
    SceneNode* addAroundPointer(double r, double z, bool clickable = true) {
        double cx = readColumn() + 0.5, cy = readRow() + 0.5;
        return addRect(cx - r, cy - r, cx + r, cy + r, z, clickable);
    }

    // One frame as the main loop draws it, up to the swap.
    void drawAndSwap() {
        sceneState().frameTime = SDL_GetTicks();
        presentFrame(root);
    }
    void frame() {
        drawAndSwap();
        runPickPass();
    }

    bool isCandidate(const SceneNode* node) const {
        for (const SceneNode* c : pickState().candidates)
            if (c == node) return true;
        return false;
    }

    SceneNode* root = nullptr;
    std::string folder, savedBase;
    int width = 0, height = 0;
    int archives = 0;
};

TEST_F(PickTest, NearerOfTwoOverlappingNodesWinsWhicheverRegisteredFirst) {
    SceneNode* back = addAroundPointer(40, 0);
    SceneNode* front = addAroundPointer(25, 10);
    frame();
    EXPECT_EQ(pickState().candidates.size(), 2u);
    EXPECT_EQ(pickState().hovered, front);

    // The same two nodes registered the other way round.
    std::swap(root->children[0], root->children[1]);
    frame();
    EXPECT_EQ(pickState().candidates.front(), front);
    EXPECT_EQ(pickState().hovered, front);

    // Moved behind the other, the small one loses even though it is drawn last.
    std::swap(root->children[0], root->children[1]);
    setPosition(front, 0, 0, -10);
    frame();
    EXPECT_EQ(pickState().hovered, back);
}

TEST_F(PickTest, OnlyClickableNodesCountAndPlainOnesDoNotHideByThemselves) {
    SceneNode* clickable = addAroundPointer(30, 0);
    addAroundPointer(30, 10, false);  // drawn in front, but never registers
    frame();
    EXPECT_EQ(pickState().candidates.size(), 1u);
    // The pass draws only the candidates, so the plain node in front does not cover it.
    EXPECT_EQ(pickState().hovered, clickable);
}

TEST_F(PickTest, NothingIsHoveredOverTheBareBackground) {
    SceneNode* node = addAroundPointer(20, 0);
    frame();
    ASSERT_EQ(pickState().hovered, node);

    pointAt(input().mouseX + 200, input().mouseY);
    frame();
    EXPECT_TRUE(pickState().candidates.empty());
    EXPECT_EQ(pickState().hovered, nullptr);
}

TEST_F(PickTest, InsideThePickRegionButOffTheReadPixelIsNotHovered) {
    double col = readColumn(), row = readRow();
    // Left of the read pixel: covers the column before it, not its centre.
    SceneNode* left = addRect(col - 60, row - 60, col - 0.3, row + 60, 0);
    frame();
    EXPECT_TRUE(isCandidate(left));
    EXPECT_EQ(pickState().hovered, nullptr);

    // Below the read pixel: covers the row under it only.
    destroyNode(root->children[0]);
    root->children.clear();
    SceneNode* below = addRect(col - 60, row - 60, col + 60, row - 0.3, 0);
    frame();
    EXPECT_TRUE(isCandidate(below));
    EXPECT_EQ(pickState().hovered, nullptr);

    // Reaching just past the read pixel's centre, the same shape is hovered.
    destroyNode(root->children[0]);
    root->children.clear();
    SceneNode* reaching = addRect(col - 60, row - 60, col + 0.7, row + 0.7, 0);
    frame();
    EXPECT_EQ(pickState().hovered, reaching);
}

TEST_F(PickTest, HoverTestsAnswerInTheNextFrameAndHonourTheScreens) {
    SceneNode* node = addAroundPointer(20, 0);
    SceneNode* other = addRect(10, 10, 40, 40, 0);
    HoverAnswers onNode, onOther;
    addCallback(node, recordHover, &onNode);
    addCallback(other, recordHover, &onOther);

    // The first frame's handlers run before any pass has found anything.
    frame();
    EXPECT_EQ(onNode.calls, 1);
    EXPECT_FALSE(onNode.hovered);
    ASSERT_EQ(pickState().hovered, node);

    frame();
    EXPECT_TRUE(onNode.hovered && onNode.noScreen && onNode.noSubScreen);
    EXPECT_FALSE(onOther.hovered || onOther.noScreen || onOther.noSubScreen);

    SceneNode* screen = openModalScreen(root, ModalLevel::screen, nullptr);
    frame();
    EXPECT_TRUE(onNode.hovered);
    EXPECT_FALSE(onNode.noScreen);
    EXPECT_TRUE(onNode.noSubScreen);

    openModalScreen(root, ModalLevel::subScreen, nullptr);
    frame();
    EXPECT_TRUE(onNode.hovered);
    EXPECT_FALSE(onNode.noScreen || onNode.noSubScreen);

    closeModalScreen(screen);
    frame();
    EXPECT_TRUE(onNode.hovered);
    EXPECT_FALSE(onNode.noScreen || onNode.noSubScreen);

    // Outside any traversal nothing counts as hovered.
    sceneState().currentNode = nullptr;
    pickState().hovered = nullptr;
    EXPECT_FALSE(isHovered());
}

TEST_F(PickTest, ANodeThatStopsRegisteringStopsBeingHovered) {
    SceneNode* node = addAroundPointer(20, 0);
    frame();
    ASSERT_EQ(pickState().hovered, node);
    EXPECT_TRUE(pickState().pickables.empty());

    remove(node);  // removing nodes are neither drawn nor registered
    frame();
    EXPECT_EQ(pickState().hovered, nullptr);
}

TEST_F(PickTest, MultisamplingAndTheOtherSwitchesAreAsTheyWereAfterThePass) {
    SceneNode* node = addAroundPointer(20, 0);
    const bool wasOn = glIsEnabled(GL_MULTISAMPLE) == GL_TRUE;
    for (bool multisample : {true, false}) {
        setGlSwitch(GlSwitch::multisample, multisample);
        drawAndSwap();
        GLdouble projectionBefore[16], projectionAfter[16];
        GLfloat colorBefore[4], colorAfter[4];
        glGetDoublev(GL_PROJECTION_MATRIX, projectionBefore);
        glGetFloatv(GL_CURRENT_COLOR, colorBefore);
        runPickPass();
        EXPECT_EQ(pickState().hovered, node) << multisample;
        // Multisampling as the camera set it; every other switch as the
        // renderer's shadow says (the next frame sets what it needs).
        EXPECT_EQ(glIsEnabled(GL_MULTISAMPLE) == GL_TRUE, camera()->multisampled);
        EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
        EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D) == GL_TRUE, glSwitchIsOn(GlSwitch::texture2d));
        EXPECT_EQ(glIsEnabled(GL_LIGHTING) == GL_TRUE, glSwitchIsOn(GlSwitch::lighting));
        EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));
        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_MODELVIEW);
        glGetDoublev(GL_PROJECTION_MATRIX, projectionAfter);
        for (int i = 0; i < 16; ++i) EXPECT_EQ(projectionAfter[i], projectionBefore[i]);
        // The pick colours do not leak into the next frame's drawing.
        glGetFloatv(GL_CURRENT_COLOR, colorAfter);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(colorAfter[i], colorBefore[i]);
    }
    setGlSwitch(GlSwitch::multisample, wasOn);
}

TEST_F(PickTest, TheColourStageTouchesOnlyThePixelItReads) {
    addAroundPointer(20, 0);
    drawAndSwap();
    // Whatever the swap left behind, give the back buffer a known colour.
    glClearColor(0.2f, 0.4f, 0.6f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 0, 0);
    runPickPass();

    GLubyte read[3] = {}, beside[3] = {}, above[3] = {}, far[3] = {};
    readPixels(readColumn(), readRow(), 1, 1, GL_RGB, GL_UNSIGNED_BYTE, read);
    readPixels(readColumn() - 1, readRow(), 1, 1, GL_RGB, GL_UNSIGNED_BYTE, beside);
    readPixels(readColumn(), readRow() + 1, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, above);
    readPixels(10, 10, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, far);
    // The only candidate is drawn as index 0 at the pixel read back.
    EXPECT_EQ(read[0], 2);
    EXPECT_EQ(read[1], 255);
    EXPECT_EQ(read[2], 255);
    for (const GLubyte* p : {beside, above, far}) {
        EXPECT_NEAR(p[0], 51, 1);
        EXPECT_NEAR(p[1], 102, 1);
        EXPECT_NEAR(p[2], 153, 1);
    }
}

TEST_F(PickTest, SelectionBufferOverflowHoversNothing) {
    // 63 one-name records fill 252 of the 255 entries: still read whole.
    SceneNode* nearest = nullptr;
    for (int i = 0; i < 63; ++i) nearest = addAroundPointer(10, i * 0.5);
    frame();
    EXPECT_EQ(pickState().candidates.size(), 63u);
    EXPECT_EQ(pickState().hovered, nearest);

    addAroundPointer(10, -5);  // the 64th record no longer fits
    frame();
    EXPECT_TRUE(pickState().candidates.empty());
    EXPECT_EQ(pickState().hovered, nullptr);
}

// The pick reads row height - mouseY, which for the top row would lie one past
// the framebuffer; it reads the top row itself instead.
TEST_F(PickTest, ThePointerOnTheTopRowPicksWhatTheTopRowShows) {
    addRect(0, 0, width, height - 1, 0);  // everything but the top row
    pointAt(width / 2, 0);
    frame();
    EXPECT_EQ(pickState().hovered, nullptr);
    SceneNode* top = addRect(0, height - 1, width, height, 0);
    frame();
    EXPECT_EQ(pickState().hovered, top);
}

}  // namespace
