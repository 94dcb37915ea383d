// Mesh drawing on a real OpenGL context: translucent meshes are queued and drawn
// after the scene, in traversal order, with the depth-test and lighting state
// they were reached under; colours and the alpha test are put back as found.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/camera.h"
#include "base/gl.h"
#include "scene/mesh.h"
#include "scene/render.h"
#include "scene/scene_node.h"
#include "support/gl_fixture.h"

namespace {

const int kSize = 32;  // the viewport the tests draw into, at the window's corner

// A square over the whole viewport at depth z (orthographic, -1 near, 1 far),
// textured with one texel of the given colour, facing the viewer.
struct TestQuad {
    std::vector<double> vertices, normals, texCoords;
    uint8_t material[60];
    Mesh mesh;
    GLuint texture = 0;

    TestQuad(double z, const uint8_t rgba[4], bool translucent, bool alphaTest = false) {
        const double corners[6][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, -1}, {1, 1}, {-1, 1}};
        for (const auto& c : corners) {
            vertices.insert(vertices.end(), {c[0], c[1], z});
            normals.insert(normals.end(), {0.0, 0.0, 1.0});
            texCoords.insert(texCoords.end(), {0.5, 0.5});
        }
        Material m;
        m.translucent = translucent ? 1 : 0;
        m.alphaTest = alphaTest ? 1 : 0;
        std::memcpy(material, &m, sizeof material);
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        mesh.material = material;
        mesh.triangleCount = 2;
        mesh.vertices = vertices.data();
        mesh.normals = normals.data();
        mesh.texCoords = texCoords.data();
        mesh.texture = texture;
    }
    ~TestQuad() { glDeleteTextures(1, &texture); }
    TestQuad(const TestQuad&) = delete;
    TestQuad& operator=(const TestQuad&) = delete;
};

struct Pixel {
    int r, g, b;
};

Pixel centrePixel() {
    uint8_t p[4];
    readPixels(kSize / 2, kSize / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2]};
}

::testing::AssertionResult near(Pixel got, Pixel want, int tolerance = 3) {
    if (std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
        std::abs(got.b - want.b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got (" << got.r << "," << got.g << "," << got.b << ") want ("
                                         << want.r << "," << want.g << "," << want.b << ")";
}

bool enabled(GLenum cap) { return glIsEnabled(cap) == GL_TRUE; }

const uint8_t kHalfRed[4] = {255, 0, 0, 128};
const uint8_t kHalfBlue[4] = {0, 0, 255, 128};
const uint8_t kGreen[4] = {0, 255, 0, 255};
const uint8_t kWhite[4] = {255, 255, 255, 255};

// Every test draws in a small orthographic viewport with the program's fixed
// state, and leaves every attribute and matrix as it found them.
class TranslucentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        beginSmallView(kSize);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glAlphaFunc(GL_GREATER, 0.9f);
        glDisable(GL_LIGHTING);
        glColor4f(1, 1, 1, 1);
        const GLfloat ambient[4] = {0.1f, 0.1f, 0.1f, 1.0f};
        const GLfloat diffuse[4] = {0.6f, 0.6f, 0.6f, 1.0f};
        const GLfloat none[4] = {0, 0, 0, 1};
        for (GLenum light : {GLenum(GL_LIGHT1), GLenum(GL_LIGHT3)}) {
            glLightfv(light, GL_AMBIENT, ambient);
            glLightfv(light, GL_DIFFUSE, diffuse);
            glLightfv(light, GL_SPECULAR, none);
        }
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        translucentQueue.clear();
        while (glGetError() != GL_NO_ERROR) {
        }
    }
    void TearDown() override {
        // Drawing must not leave an OpenGL error behind for whoever checks next.
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        translucentQueue.clear();
        endSmallView();
    }
};

// Lit with light 1 (ambient 0.1, diffuse 0.6) and the default global ambient
// 0.2, a surface facing the light reflects 0.9 of its colour.
int lit(int c) { return int(std::lround(c * 0.9)); }

}  // namespace

TEST_F(TranslucentTest, TranslucentMeshIsQueuedNotDrawnAndTheFlushDrawsItBlended) {
    TestQuad quad(0.0, kHalfRed, true);
    glTranslated(0.25, 0, 0);
    drawMesh(&quad.mesh);
    EXPECT_TRUE(near(centrePixel(), {0, 0, 0}));
    ASSERT_EQ(translucentQueue.size(), 1u);
    EXPECT_EQ(translucentQueue[0], &quad.mesh);
    EXPECT_DOUBLE_EQ(quad.mesh.modelview[12], 0.25);

    glLoadIdentity();
    flushTranslucent();
    EXPECT_TRUE(translucentQueue.empty());
    EXPECT_TRUE(near(centrePixel(), {128, 0, 0}));
    // The flush leaves the captured matrix loaded and switches blending off again.
    GLdouble m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    EXPECT_DOUBLE_EQ(m[12], 0.25);
    EXPECT_FALSE(enabled(GL_BLEND));
    GLboolean depthMask = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
    EXPECT_EQ(depthMask, GL_TRUE);
}

TEST_F(TranslucentTest, OpaqueMeshIsDrawnAtOnce) {
    TestQuad quad(0.0, kGreen, false);
    drawMesh(&quad.mesh);
    EXPECT_TRUE(translucentQueue.empty());
    EXPECT_TRUE(near(centrePixel(), {0, 255, 0}));
}

TEST_F(TranslucentTest, DrawnAfterTheSceneEvenWhenTheSceneIsDrawnLater) {
    // The translucent square is reached first and lies in front; the opaque one
    // behind it is reached second. Drawn after the scene, the red shows over green.
    SceneNode* root = createNode();
    SceneNode* front = createNode();
    SceneNode* back = createNode();
    addChild(root, front);
    addChild(root, back);
    TestQuad glass(-0.5, kHalfRed, true);
    TestQuad wall(0.5, kGreen, false);
    front->meshes.push_back(&glass.mesh);
    front->meshCount = 1;
    front->hasModel = true;
    back->meshes.push_back(&wall.mesh);
    back->meshCount = 1;
    back->hasModel = true;

    render(root);
    EXPECT_TRUE(near(centrePixel(), {0, 255, 0}));
    ASSERT_EQ(translucentQueue.size(), 1u);
    flushTranslucent();
    EXPECT_TRUE(near(centrePixel(), {128, 127, 0}));

    // The quads belong to the test, not to the nodes.
    front->meshes.clear();
    front->meshCount = 0;
    back->meshes.clear();
    back->meshCount = 0;
    root->children.clear();
    destroyNode(front);
    destroyNode(back);
    destroyNode(root);
}

TEST_F(TranslucentTest, QueuedMeshesAreDrawnInTraversalOrderNotByDistance) {
    // The first is nearer; drawn first, the farther blue one is blended over it.
    TestQuad nearRed(-0.5, kHalfRed, true);
    TestQuad farBlue(0.5, kHalfBlue, true);
    drawMesh(&nearRed.mesh);
    drawMesh(&farBlue.mesh);
    ASSERT_EQ(translucentQueue.size(), 2u);
    flushTranslucent();
    // red over black: (128, 0, 0); blue over that: (64, 0, 128).
    EXPECT_TRUE(near(centrePixel(), {64, 0, 128}));
}

TEST_F(TranslucentTest, MeshQueuedWithDepthTestOffIsDrawnWithItOff) {
    TestQuad wall(-0.5, kGreen, false);
    TestQuad hidden(0.5, kHalfRed, true);
    drawMesh(&wall.mesh);
    glDisable(GL_DEPTH_TEST);
    drawMesh(&hidden.mesh);
    glEnable(GL_DEPTH_TEST);
    EXPECT_FALSE(hidden.mesh.depthTestWasOn);
    flushTranslucent();
    // Behind the wall, but drawn over it because depth testing was off.
    EXPECT_TRUE(near(centrePixel(), {128, 127, 0}));
    EXPECT_TRUE(enabled(GL_DEPTH_TEST));
}

TEST_F(TranslucentTest, MeshQueuedWithDepthTestOnStaysBehindNearerSurfaces) {
    TestQuad wall(-0.5, kGreen, false);
    TestQuad hidden(0.5, kHalfRed, true);
    drawMesh(&wall.mesh);
    drawMesh(&hidden.mesh);
    EXPECT_TRUE(hidden.mesh.depthTestWasOn);
    flushTranslucent();
    EXPECT_TRUE(near(centrePixel(), {0, 255, 0}));
    EXPECT_TRUE(enabled(GL_DEPTH_TEST));
}

TEST_F(TranslucentTest, MeshQueuedUnderLightsIsDrawnLitWithTheSameLights) {
    TestQuad quad(0.0, kHalfRed, true);
    // As the lighting callback does: on around the drawing, off again before the flush.
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT3);
    drawMesh(&quad.mesh);
    glDisable(GL_LIGHT3);
    glDisable(GL_LIGHTING);
    EXPECT_TRUE(quad.mesh.lightingWasOn);
    EXPECT_FALSE(quad.mesh.lightWasOn[0]);
    EXPECT_TRUE(quad.mesh.lightWasOn[2]);
    flushTranslucent();
    EXPECT_TRUE(near(centrePixel(), {lit(128), 0, 0}));
    // Everything the flush switched on for the mesh is off again.
    EXPECT_FALSE(enabled(GL_LIGHTING));
    EXPECT_FALSE(enabled(GL_LIGHT3));
    EXPECT_FALSE(enabled(GL_LIGHT1));
}

TEST_F(TranslucentTest, MeshQueuedWithLightingOffIsDrawnUnlitAndTheLightsAreNotRead) {
    TestQuad quad(0.0, kHalfRed, true);
    // Lights on but lighting off: the light states must not be looked at.
    glEnable(GL_LIGHT1);
    for (bool& on : quad.mesh.lightWasOn) on = false;
    quad.mesh.lightWasOn[5] = true;
    drawMesh(&quad.mesh);
    glDisable(GL_LIGHT1);
    EXPECT_FALSE(quad.mesh.lightingWasOn);
    EXPECT_FALSE(quad.mesh.lightWasOn[0]);
    EXPECT_TRUE(quad.mesh.lightWasOn[5]);
    flushTranslucent();
    EXPECT_TRUE(near(centrePixel(), {128, 0, 0}));
    EXPECT_FALSE(enabled(GL_LIGHTING));
    EXPECT_FALSE(enabled(GL_LIGHT1 + 5));
}

TEST_F(TranslucentTest, LitMeshTakesTheCurrentColourFromTheFirstDraw) {
    // Nothing has set a colour while colour tracking was on: the very first lit
    // mesh must still follow the current colour, not the file's zero diffuse.
    glDisable(GL_COLOR_MATERIAL);
    const GLfloat black[4] = {0, 0, 0, 1};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, black);
    TestQuad quad(0.0, kWhite, false);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT1);
    drawMesh(&quad.mesh);
    glDisable(GL_LIGHT1);
    glDisable(GL_LIGHTING);
    EXPECT_TRUE(near(centrePixel(), {lit(255), lit(255), lit(255)}));
}

TEST_F(TranslucentTest, ColourOverrideTintsOnlyItsOwnMesh) {
    TestQuad painted(0.0, kWhite, false);
    TestQuad plain(0.0, kWhite, false);
    setColorOverride(&painted.mesh, 0.0, 0.5, 1.0);
    glColor4f(1, 1, 1, 1);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT1);

    drawMesh(&painted.mesh);
    EXPECT_TRUE(near(centrePixel(), {0, lit(128), lit(255)}));
    GLfloat current[4];
    glGetFloatv(GL_CURRENT_COLOR, current);
    EXPECT_EQ(std::vector<float>(current, current + 4), (std::vector<float>{1, 1, 1, 1}));

    // The next mesh is lit white again, not in the paint of the one before.
    drawMesh(&plain.mesh);
    EXPECT_TRUE(near(centrePixel(), {lit(255), lit(255), lit(255)}));
    glDisable(GL_LIGHT1);
    glDisable(GL_LIGHTING);
}

TEST_F(TranslucentTest, DeferredColourOverrideLeavesTheCurrentColour) {
    TestQuad quad(0.0, kHalfRed, true);
    setColorOverride(&quad.mesh, 0.5, 1.0, 1.0);
    glColor4f(0.25f, 0.5f, 0.75f, 1.0f);
    drawMesh(&quad.mesh);
    flushTranslucent();
    EXPECT_TRUE(near(centrePixel(), {64, 0, 0}));
    GLfloat current[4];
    glGetFloatv(GL_CURRENT_COLOR, current);
    EXPECT_EQ(std::vector<float>(current, current + 4), (std::vector<float>{0.25f, 0.5f, 0.75f, 1.0f}));
}

TEST_F(TranslucentTest, AlphaTestIsOnOnlyWhileItsMeshIsDrawn) {
    // Alpha 0.5 fails the alpha function (greater than 0.9): nothing is drawn.
    const uint8_t halfGreen[4] = {0, 255, 0, 128};
    TestQuad cutOut(0.0, halfGreen, false, true);
    drawMesh(&cutOut.mesh);
    EXPECT_TRUE(near(centrePixel(), {0, 0, 0}));
    EXPECT_FALSE(enabled(GL_ALPHA_TEST));
    // Without the alpha test the same texel is drawn.
    TestQuad plain(0.0, halfGreen, false, false);
    drawMesh(&plain.mesh);
    EXPECT_TRUE(near(centrePixel(), {0, 255, 0}));

    TestQuad queued(0.0, kHalfRed, true, true);
    drawMesh(&queued.mesh);
    flushTranslucent();
    EXPECT_TRUE(near(centrePixel(), {0, 255, 0}));
    EXPECT_FALSE(enabled(GL_ALPHA_TEST));
}

TEST_F(TranslucentTest, PickingReplaysTheCapturedMatrix) {
    TestQuad quad(0.0, kGreen, false);
    glTranslated(0.5, -0.25, 0);
    drawMesh(&quad.mesh);
    glLoadIdentity();
    drawMeshForPicking(&quad.mesh);
    GLdouble m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    EXPECT_DOUBLE_EQ(m[12], 0.5);
    EXPECT_DOUBLE_EQ(m[13], -0.25);
}
