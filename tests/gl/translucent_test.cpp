// Drawing a recorded frame on a real OpenGL context (records in, pixels out):
// translucent items are drawn after the opaque ones, in recorded order, blended
// without depth writes, under the depth test and lights they were recorded
// under; paint tints only its own item and the alpha test holds only for its
// own. The state is set by difference: a frame drawn twice sets nothing the
// second time and asks OpenGL nothing either time.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "base/gl.h"
#include "base/gl_texture.h"
#include "engine/camera.h"
#include "scene/frame_record.h"
#include "scene/gl_state.h"
#include "scene/mesh.h"
#include "scene/render.h"
#include "scene/scene_node.h"
#include "scene/walk_matrix.h"
#include "support/gl_fixture.h"

// Every call that sets or asks the state a frame is drawn under, counted where
// it reaches OpenGL: these definitions in the test program stand in front of
// the library's (Linux), whatever part of the program makes the call.
#if defined(__linux__)
#include <dlfcn.h>

namespace {
struct GlCalls {
    int64_t sets = 0, asks = 0;
};
GlCalls glCalls;
template <typename Fn>
Fn realGl(const char* name) {
    return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}
}  // namespace

#define QM_COUNTED(kind, name, params, args)                                             \
    extern "C" void GLAPIENTRY name params {                                             \
        static auto real = realGl<void(GLAPIENTRY*) params>(#name);                      \
        ++glCalls.kind;                                                                  \
        real args;                                                                       \
    }
QM_COUNTED(sets, glEnable, (GLenum cap), (cap))
QM_COUNTED(sets, glDisable, (GLenum cap), (cap))
QM_COUNTED(sets, glEnableClientState, (GLenum array), (array))
QM_COUNTED(sets, glDisableClientState, (GLenum array), (array))
QM_COUNTED(sets, glBindTexture, (GLenum target, GLuint texture), (target, texture))
QM_COUNTED(sets, glDepthMask, (GLboolean on), (on))
QM_COUNTED(sets, glColor4fv, (const GLfloat* v), (v))
QM_COUNTED(sets, glColor3f, (GLfloat r, GLfloat g, GLfloat b), (r, g, b))
QM_COUNTED(sets, glMaterialf, (GLenum face, GLenum name, GLfloat v), (face, name, v))
QM_COUNTED(sets, glMaterialfv, (GLenum face, GLenum name, const GLfloat* v), (face, name, v))
QM_COUNTED(sets, glPushAttrib, (GLbitfield bits), (bits))
QM_COUNTED(sets, glPopAttrib, (), ())
QM_COUNTED(asks, glGetFloatv, (GLenum name, GLfloat* v), (name, v))
QM_COUNTED(asks, glGetDoublev, (GLenum name, GLdouble* v), (name, v))
QM_COUNTED(asks, glGetIntegerv, (GLenum name, GLint* v), (name, v))
QM_COUNTED(asks, glGetBooleanv, (GLenum name, GLboolean* v), (name, v))
extern "C" GLboolean GLAPIENTRY glIsEnabled(GLenum cap) {
    static auto real = realGl<GLboolean(GLAPIENTRY*)(GLenum)>("glIsEnabled");
    ++glCalls.asks;
    return real(cap);
}
#undef QM_COUNTED
#define QM_COUNTS_GL_CALLS 1
#endif

namespace {

const int kSize = 32;  // the viewport the tests draw into, at the window's corner

// A square over the whole viewport at depth z (orthographic, -1 near, 1 far),
// textured with one texel of the given colour, facing the viewer.
struct TestQuad {
    std::vector<double> vertices, normals, texCoords;
    uint8_t material[60];
    Mesh mesh;

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
        mesh.material = material;
        mesh.triangleCount = 2;
        mesh.vertices = vertices.data();
        mesh.normals = normals.data();
        mesh.texCoords = texCoords.data();
        mesh.texture = uploadRgbaTexture(1, 1, rgba);
    }
    ~TestQuad() {
        releaseMeshBuffer(mesh.buffer);
        deleteRgbaTexture(mesh.texture);
    }
    TestQuad(const TestQuad&) = delete;
    TestQuad& operator=(const TestQuad&) = delete;

    // The quad as the traversal records it, under the identity matrix.
    DrawItem item(bool lighting = false, uint8_t lights = 0, bool depthTest = true) {
        DrawItem i;
        i.mesh = &mesh;
        i.serial = mesh.serial;
        i.material = mesh.material;
        i.vertices = mesh.vertices;
        i.triangleCount = mesh.triangleCount;
        i.texture = mesh.texture;
        i.translucent = readMaterial(mesh.material).translucent;
        i.hasOverride = mesh.hasOverride;
        std::memcpy(i.color, mesh.overrideColor, sizeof i.color);
        i.lighting = lighting;
        i.lights = lighting ? lights : 0;
        i.depthTest = depthTest;
        for (int k = 0; k < 4; ++k) i.modelview[k * 5] = 1;
        i.rect = {0, 0, kSize, kSize};
        return i;
    }
};

FrameRecord frameOf(std::vector<DrawItem> items) {
    FrameRecord r;
    r.items = std::move(items);
    r.viewport[2] = r.viewport[3] = kSize;
    return r;
}

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

const uint8_t kHalfRed[4] = {255, 0, 0, 128};
const uint8_t kHalfBlue[4] = {0, 0, 255, 128};
const uint8_t kGreen[4] = {0, 255, 0, 255};
const uint8_t kWhite[4] = {255, 255, 255, 255};

// Every test draws in a small orthographic viewport with the program's fixed
// state and lights 1 and 3 as the camera sets light 1, and leaves every
// attribute and matrix as it found them.
class TranslucentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        beginSmallView(kSize);
        setFixedGlState();
        const GLfloat ambient[4] = {0.1f, 0.1f, 0.1f, 1.0f};
        const GLfloat diffuse[4] = {0.6f, 0.6f, 0.6f, 1.0f};
        const GLfloat none[4] = {0, 0, 0, 1};
        for (GLenum light : {GLenum(GL_LIGHT1), GLenum(GL_LIGHT3)}) {
            glLightfv(light, GL_AMBIENT, ambient);
            glLightfv(light, GL_DIFFUSE, diffuse);
            glLightfv(light, GL_SPECULAR, none);
        }
        clearBuffers(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        while (glGetError() != GL_NO_ERROR) {
        }
    }
    void TearDown() override {
        // Drawing must not leave an OpenGL error behind for whoever checks next.
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        endSmallView();
    }
};

// Lit with light 1 (ambient 0.1, diffuse 0.6) and the default global ambient
// 0.2, a surface facing the light reflects 0.9 of its colour.
int lit(int c) { return int(std::lround(c * 0.9)); }

}  // namespace

TEST_F(TranslucentTest, TranslucentItemsAreDrawnAfterTheOpaqueOnesBlended) {
    // The translucent square is recorded first and lies in front; the opaque
    // one behind it second. Drawn after it, the red shows over green.
    TestQuad glass(-0.5, kHalfRed, true);
    TestQuad wall(0.5, kGreen, false);
    EXPECT_EQ(drawRecorded(frameOf({glass.item(), wall.item()}), nullptr), 2);
    EXPECT_TRUE(near(centrePixel(), {128, 127, 0}));
}

TEST_F(TranslucentTest, TranslucentItemsAreDrawnInRecordedOrderNotByDistanceWithoutDepthWrites) {
    // The first is nearer; drawn first without writing its depth, the farther
    // blue one is blended over it.
    TestQuad nearRed(-0.5, kHalfRed, true);
    TestQuad farBlue(0.5, kHalfBlue, true);
    drawRecorded(frameOf({nearRed.item(), farBlue.item()}), nullptr);
    // red over black: (128, 0, 0); blue over that: (64, 0, 128).
    EXPECT_TRUE(near(centrePixel(), {64, 0, 128}));
    // An opaque item drawn after them still writes its depth: the red behind it
    // is refused.
    TestQuad wall(-0.8, kGreen, false);
    TestQuad behind(0.8, kHalfRed, true);
    drawRecorded(frameOf({wall.item()}), nullptr);
    drawRecorded(frameOf({behind.item()}), nullptr);
    EXPECT_TRUE(near(centrePixel(), {0, 255, 0}));
}

TEST_F(TranslucentTest, AnItemRecordedWithTheDepthTestOffIsDrawnWithItOff) {
    TestQuad wall(-0.5, kGreen, false);
    TestQuad hidden(0.5, kHalfRed, true);
    drawRecorded(frameOf({wall.item(), hidden.item(false, 0, false)}), nullptr);
    // Behind the wall, but drawn over it because depth testing was off.
    EXPECT_TRUE(near(centrePixel(), {128, 127, 0}));
    clearBuffers(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawRecorded(frameOf({wall.item(), hidden.item()}), nullptr);
    EXPECT_TRUE(near(centrePixel(), {0, 255, 0}));
}

TEST_F(TranslucentTest, AnItemIsLitOnlyByTheLightsItWasRecordedUnder) {
    TestQuad quad(0.0, kHalfRed, true);
    drawRecorded(frameOf({quad.item(true, 1u << 2)}), nullptr);  // light 3
    EXPECT_TRUE(near(centrePixel(), {lit(128), 0, 0}));
    // Unlit: no light counts, whichever is on.
    clearBuffers(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawRecorded(frameOf({quad.item(false)}), nullptr);
    EXPECT_TRUE(near(centrePixel(), {128, 0, 0}));
}

TEST_F(TranslucentTest, ALitItemTakesItsColourWhateverTheMaterialWasBefore) {
    // OpenGL's material left black behind the renderer's back: the very first
    // lit item must still be white, not the file's zero diffuse.
    glDisable(GL_COLOR_MATERIAL);
    const GLfloat black[4] = {0, 0, 0, 1};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, black);
    forgetGlState();
    TestQuad quad(0.0, kWhite, false);
    drawRecorded(frameOf({quad.item(true, 1)}), nullptr);
    EXPECT_TRUE(near(centrePixel(), {lit(255), lit(255), lit(255)}));
}

TEST_F(TranslucentTest, PaintTintsOnlyItsOwnItem) {
    TestQuad painted(0.0, kWhite, false);
    TestQuad plain(0.0, kWhite, false);
    setColorOverride(&painted.mesh, 0.0, 0.5, 1.0);
    drawRecorded(frameOf({painted.item(true, 1)}), nullptr);
    EXPECT_TRUE(near(centrePixel(), {0, lit(128), lit(255)}));
    // The next item is lit white again, not in the paint of the one before,
    // lit or not.
    drawRecorded(frameOf({plain.item(true, 1)}), nullptr);
    EXPECT_TRUE(near(centrePixel(), {lit(255), lit(255), lit(255)}));
    drawRecorded(frameOf({painted.item(false)}), nullptr);
    EXPECT_TRUE(near(centrePixel(), {0, 128, 255}));
    drawRecorded(frameOf({plain.item(false)}), nullptr);
    EXPECT_TRUE(near(centrePixel(), {255, 255, 255}));
    // Paint on a translucent item blends the paint.
    TestQuad glass(-0.5, kHalfRed, true);
    setColorOverride(&glass.mesh, 0.5, 1.0, 1.0);
    clearBuffers(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawRecorded(frameOf({glass.item()}), nullptr);
    EXPECT_TRUE(near(centrePixel(), {64, 0, 0}));
}

TEST_F(TranslucentTest, TheAlphaTestHoldsOnlyForItsOwnItem) {
    // Alpha 0.5 fails the alpha function (greater than 0.9): nothing is drawn.
    const uint8_t halfGreen[4] = {0, 255, 0, 128};
    TestQuad cutOut(0.0, halfGreen, false, true);
    drawRecorded(frameOf({cutOut.item()}), nullptr);
    EXPECT_TRUE(near(centrePixel(), {0, 0, 0}));
    // Without the alpha test the same texel is drawn, after one with it.
    TestQuad plain(0.0, halfGreen, false, false);
    drawRecorded(frameOf({cutOut.item(), plain.item()}), nullptr);
    EXPECT_TRUE(near(centrePixel(), {0, 255, 0}));
    TestQuad queued(0.0, kHalfRed, true, true);
    drawRecorded(frameOf({queued.item()}), nullptr);
    EXPECT_TRUE(near(centrePixel(), {0, 255, 0}));
}

TEST_F(TranslucentTest, OnlyItemsInTheRangeReachingIntoTheClipAndNotHiddenAreDrawn) {
    TestQuad red(0.0, kHalfRed, true);
    TestQuad green(0.0, kGreen, false);
    TestQuad blue(0.0, kHalfBlue, true);
    FrameRecord frame = frameOf({red.item(), green.item(), blue.item()});
    frame.items[2].rect = {kSize, kSize, 2 * kSize, 2 * kSize};  // outside the clip below
    const ScreenRect clip{0, 0, kSize, kSize};
    const std::vector<uint8_t> hidden = {0, 1, 0};
    EXPECT_EQ(drawRecorded(frame, &clip, 0, SIZE_MAX, &hidden), 1);
    EXPECT_TRUE(near(centrePixel(), {128, 0, 0}));
    EXPECT_EQ(drawRecorded(frame, nullptr, 1, 2), 1);
    EXPECT_TRUE(near(centrePixel(), {0, 255, 0}));
}

TEST_F(TranslucentTest, PickingReplaysTheMatrixTheWalkRecorded) {
    TestQuad quad(0.0, kGreen, false);
    SceneNode* node = createNode();
    node->meshes.push_back(&quad.mesh);
    node->meshCount = 1;
    node->hasModel = true;
    loadWalkIdentity();
    translateWalk(0.5f, -0.25f, 0);
    FrameRecord record;
    recordStill(node, record);
    loadWalkIdentity();
    ASSERT_EQ(record.items.size(), 1u);
    EXPECT_DOUBLE_EQ(record.items[0].modelview[12], 0.5);
    drawForPicking(node, false);
    GLdouble m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    EXPECT_DOUBLE_EQ(m[12], 0.5);
    EXPECT_DOUBLE_EQ(m[13], -0.25);
    node->meshes.clear();  // the quad belongs to the test
    destroyNode(node);
}

#ifdef QM_COUNTS_GL_CALLS
TEST_F(TranslucentTest, AFrameDrawnTwiceSetsNothingTheSecondTimeAndAsksNothing) {
    TestQuad back(0.5, kGreen, false), middle(0.0, kGreen, false), front(-0.5, kGreen, false);
    FrameRecord alike = frameOf({back.item(true, 1), middle.item(true, 1), front.item(true, 1)});
    for (DrawItem& item : alike.items) item.texture = back.mesh.texture;  // one state for all
    const GlCalls start = glCalls;
    drawRecorded(alike, nullptr);
    const GlCalls first = glCalls;
    EXPECT_GT(first.sets, start.sets);
    drawRecorded(alike, nullptr);
    EXPECT_EQ(glCalls.sets, first.sets) << "the second drawing set state again";
    EXPECT_EQ(glCalls.asks, start.asks) << "drawing asked OpenGL for its state";

    // Items under different state: the second drawing sets only what changes
    // from item to item (and back to the first), as every drawing after it.
    TestQuad glass(-0.8, kHalfRed, true), cutOut(0.2, kWhite, false, true);
    setColorOverride(&middle.mesh, 0.25, 0.5, 1.0);
    const FrameRecord mixed =
        frameOf({back.item(true, 1), glass.item(), middle.item(true, 1), cutOut.item(false), front.item(true, 4)});
    clearBuffers(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawRecorded(mixed, nullptr);
    const Pixel once = centrePixel();
    int64_t sets[3];
    for (int64_t& n : sets) {
        clearBuffers(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        const int64_t before = glCalls.sets;
        drawRecorded(mixed, nullptr);
        n = glCalls.sets - before;
        EXPECT_TRUE(near(centrePixel(), once, 0));
    }
    EXPECT_GT(sets[0], 0);
    EXPECT_EQ(sets[1], sets[0]);
    EXPECT_EQ(sets[2], sets[0]);
    EXPECT_EQ(glCalls.asks, start.asks);
}
#endif
