// The window, the fixed OpenGL state, the projection and the edge numbers.
#include <gtest/gtest.h>

#include <signal.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/camera.h"
#include "scene/frame_record.h"
#include "base/platform.h"
#include "base/gl.h"
#include "support/gl_fixture.h"

namespace {

const double kHalfFovTan = std::tan(22.5 * M_PI / 180.0);

}  // namespace

TEST(Camera, OpensFullScreenAtTheDesktopMode) {
    ensureGlWindow();
    ASSERT_NE(camera(), nullptr);
    SDL_Surface* screen = SDL_GetVideoSurface();
    ASSERT_NE(screen, nullptr);
    // run-gl.sh gives the display 1280x720.
    EXPECT_EQ(camera()->width, 1280);
    EXPECT_EQ(camera()->height, 720);
    EXPECT_EQ(screen->w, 1280);
    EXPECT_EQ(screen->h, 720);
    EXPECT_TRUE(screen->flags & SDL_OPENGL);
    EXPECT_TRUE(screen->flags & SDL_FULLSCREEN);
    // The brush is the pointer: the system's pointer is an invisible cursor
    // rather than a hidden one, which would put sdl12-compat into relative mode.
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    SDL_Cursor* cursor = SDL_GetCursor();
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(cursor->area.w, 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(cursor->mask[i] | cursor->data[i], 0) << i;
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1280);
    EXPECT_EQ(viewport[3], 720);
}

// SDL makes SIGTERM and SIGINT quit events, which the program ignores; the
// program catches them itself so that the system's request to end saves and
// quits (tests/scripts/signals_end_program.sh sends them to the real program).
TEST(Camera, TerminationSignalsAreCaughtByTheProgram) {
    ensureGlWindow();
    for (int sig : {SIGTERM, SIGINT}) {
        struct sigaction action;
        ASSERT_EQ(sigaction(sig, nullptr, &action), 0);
        EXPECT_FALSE(action.sa_flags & SA_SIGINFO);
        EXPECT_NE(action.sa_handler, SIG_DFL);
        EXPECT_NE(action.sa_handler, SIG_IGN);
    }
    EXPECT_FALSE(terminationRequested());
}

TEST(Camera, MultisamplingIsReadBackNotAssumed) {
    ensureGlWindow();
    GLint samples = -1;
    glGetIntegerv(GL_SAMPLES, &samples);
    // Frames are drawn multisampled off-screen and copied to a window of one
    // sample per pixel, or, where that cannot be, into a multisampled window.
    if (camera()->pictureSamples > 0) {
        EXPECT_EQ(samples, 0);
        EXPECT_EQ(camera()->pictureSamples, 4);
    } else {
        EXPECT_EQ(camera()->multisampled, samples > 0 && glIsEnabled(GL_MULTISAMPLE));
    }
    // Mesa offers 4x, and the first request asks for exactly that.
    EXPECT_TRUE(camera()->multisampled);
}

TEST(Camera, FixedGlState) {
    ensureGlWindow();
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_NORMALIZE));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_NORMAL_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    GLint value = 0;
    glGetIntegerv(GL_SHADE_MODEL, &value);
    EXPECT_EQ(value, GL_SMOOTH);
    glGetIntegerv(GL_DEPTH_FUNC, &value);
    EXPECT_EQ(value, GL_LEQUAL);
    glGetIntegerv(GL_BLEND_SRC, &value);
    EXPECT_EQ(value, GL_SRC_ALPHA);
    glGetIntegerv(GL_BLEND_DST, &value);
    EXPECT_EQ(value, GL_ONE_MINUS_SRC_ALPHA);
    glGetIntegerv(GL_ALPHA_TEST_FUNC, &value);
    EXPECT_EQ(value, GL_GREATER);
    GLfloat ref = 0;
    glGetFloatv(GL_ALPHA_TEST_REF, &ref);
    EXPECT_FLOAT_EQ(ref, 0.9f);
    GLfloat clear[4] = {1, 1, 1, 1};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0], 0.0f);
    EXPECT_EQ(clear[1], 0.0f);
    EXPECT_EQ(clear[2], 0.0f);
    EXPECT_EQ(clear[3], 0.0f);
    GLdouble depth = 0;
    glGetDoublev(GL_DEPTH_CLEAR_VALUE, &depth);
    EXPECT_EQ(depth, 1.0);
    glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &value);
    EXPECT_EQ(value, GL_NICEST);
    // Mesa offers the separate specular extension, so it is switched on.
    const char* ext = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    ASSERT_NE(ext, nullptr);
    glGetIntegerv(GL_LIGHT_MODEL_COLOR_CONTROL, &value);
    if (std::strstr(ext, "GL_EXT_separate_specular_color"))
        EXPECT_EQ(value, GL_SEPARATE_SPECULAR_COLOR);
    else
        EXPECT_EQ(value, GL_SINGLE_COLOR);
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_GE(depthBits, 24);
}

TEST(Camera, ViewEdgesMirrorAcrossTheEye) {
    ensureGlWindow();
    double left = viewEdgeX(-39);
    EXPECT_LT(left, 0.0);
    EXPECT_EQ(viewEdgeX(39), -left);
    // The left edge at eye depth -39 of a 45-degree view at 16:9.
    double aspect = double(float(1280) / float(720));
    EXPECT_NEAR(left, -39 * kHalfFovTan * aspect, 1e-6);
    double bottom = viewEdgeY(-39);
    EXPECT_NEAR(bottom, -39 * kHalfFovTan, 1e-6);
    EXPECT_EQ(viewEdgeY(39), -bottom);
    // The brush plane is nearer, so its edges are closer in.
    EXPECT_NEAR(viewEdgeX(-17) / left, 17.0 / 39.0, 1e-12);
    // The eye-space corner itself lies on the ray through the bottom-left corner.
    EXPECT_NEAR(camera()->nearCorner[1] / camera()->nearCorner[2], kHalfFovTan, 1e-6);
}

TEST(Camera, ZeroHeightViewportUsesHeightOne) {
    ensureGlWindow();
    ASSERT_TRUE(setViewport(*camera(), 640, 0));
    GLdouble projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    // gluPerspective: [0] = f / aspect, [5] = f.
    EXPECT_NEAR(projection[5] / projection[0], 640.0, 1e-3);
    EXPECT_EQ(camera()->height, 1);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[3], 0 + 1);
    EXPECT_NEAR(viewEdgeX(-10) / viewEdgeY(-10), 640.0, 1e-3);
    ASSERT_TRUE(setViewport(*camera(), 1280, 720));
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[5] / projection[0], 1280.0 / 720.0, 1e-6);
    // Near 0.1 and far 250: z of the near plane maps to -1.
    EXPECT_NEAR((projection[10] * -0.1f + projection[14]) / 0.1f, -1.0, 1e-5);
    EXPECT_NEAR((projection[10] * -250.0 + projection[14]) / 250.0, 1.0, 1e-5);
}

TEST(Camera, LightOne) {
    ensureGlWindow();
    setupLight();
    GLfloat v[4];
    glGetLightfv(GL_LIGHT1, GL_AMBIENT, v);
    EXPECT_FLOAT_EQ(v[0], 0.1f);
    EXPECT_FLOAT_EQ(v[3], 1.0f);
    glGetLightfv(GL_LIGHT1, GL_DIFFUSE, v);
    EXPECT_FLOAT_EQ(v[1], 0.6f);
    glGetLightfv(GL_LIGHT1, GL_SPECULAR, v);
    EXPECT_FLOAT_EQ(v[2], 0.7f);
    // Never positioned: OpenGL's directional default, shining from the viewer.
    glGetLightfv(GL_LIGHT1, GL_POSITION, v);
    EXPECT_EQ(v[0], 0.0f);
    EXPECT_EQ(v[1], 0.0f);
    EXPECT_EQ(v[2], 1.0f);
    EXPECT_EQ(v[3], 0.0f);
    GLint twoSide = 0;
    glGetIntegerv(GL_LIGHT_MODEL_TWO_SIDE, &twoSide);
    EXPECT_EQ(twoSide, 1);
    EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
}

// The callback lights what the walk records between its phases, with light 1
// alone, and touches no OpenGL state.
TEST(Camera, LightingCallbackPhasesLightWhatTheWalkRecords) {
    ensureGlWindow();
    const bool litBefore = glIsEnabled(GL_LIGHTING);
    uint8_t material[60] = {};
    Mesh mesh;
    mesh.material = material;
    FrameRecord record;
    beginRecording(record, true);
    recordMesh(&mesh);
    lightingCallback(beforeOwnMeshes, nullptr);
    recordMesh(&mesh);
    lightingCallback(afterOwnMeshes, nullptr);
    recordMesh(&mesh);
    lightingCallback(beforeEachChild, nullptr);
    // Phases it does not know leave the lighting alone.
    lightingCallback(CallbackPhase(0), nullptr);
    lightingCallback(CallbackPhase(5), nullptr);
    recordMesh(&mesh);
    lightingCallback(afterEachChild, nullptr);
    lightingCallback(CallbackPhase(-1), nullptr);
    recordMesh(&mesh);
    lightingCallback(beforeOwnMeshes, nullptr);
    endRecording();
    const bool lit[] = {false, true, false, true, false};
    ASSERT_EQ(record.items.size(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(record.items[i].lighting, lit[i]) << i;
        EXPECT_EQ(record.items[i].lights, lit[i] ? 1 : 0) << i;
    }
    EXPECT_EQ(bool(glIsEnabled(GL_LIGHTING)), litBefore);
    // A walk left lit ends unlit: the next starts unlit.
    beginRecording(record, true);
    recordMesh(&mesh);
    endRecording();
    EXPECT_FALSE(record.items[0].lighting);
}

// On sdl12-compat the window is an off-screen framebuffer; readPixels must see
// what was just drawn there, not the last frame shown.
TEST(Camera, ReadPixelsSeesTheBackBuffer) {
    ensureGlWindow();
    for (int frame = 0; frame < 2; ++frame) {
        glClearColor(0.0f, 0.0f, 1.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        SDL_GL_SwapBuffers();
    }
    glClearColor(1.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    uint8_t pixel[4] = {0, 0, 0, 0};
    readPixels(640, 360, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0], 255);
    EXPECT_EQ(pixel[1], 0);
    EXPECT_EQ(pixel[2], 0);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    readPixels(640, 360, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0], 0);
}

// A display that refuses the multisample request still opens, without it. Xvfb
// offers at most 4x, so a 16x first request is refused: classic SDL fails the
// mode, sdl12-compat grants a window without samples. Each runs in a fresh
// process, as the program does: sdl12-compat does not survive reopening video
// in one process after a multisampled window.
namespace {

int openWithRefusedMultisampling() {
    Camera* cam = createCameraWithSamples(0, 0, 0, 16);
    GLint samples = -1;
    glGetIntegerv(GL_SAMPLES, &samples);
    bool ok = cam && camera() == cam && !cam->multisampled && samples == 0 && cam->width == 1280 &&
              glIsEnabled(GL_DEPTH_TEST) && glIsEnabled(GL_VERTEX_ARRAY);
    // The window really draws, and reads back what it drew.
    glClearColor(0.0f, 1.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    uint8_t pixel[4] = {0, 0, 0, 0};
    readPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    ok = ok && pixel[0] == 0 && pixel[1] == 255 && pixel[2] == 0;
    std::fprintf(stderr, "samples %d multisampled %d pixel %d %d %d\n", samples, int(cam->multisampled), pixel[0],
                 pixel[1], pixel[2]);
    destroyCamera(cam);
    return ok ? 0 : 3;
}

}  // namespace

TEST(CameraDeathTest, RefusedMultisamplingFallsBackOnce) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(openWithRefusedMultisampling()), testing::ExitedWithCode(0), "multisampled 0 pixel 0 255 0");
}

TEST(CameraDeathTest, VideoThatCannotStartEndsTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv("SDL_VIDEODRIVER", "no_such_driver", 1);
            createCamera(0, 0, 0);
        },
        testing::ExitedWithCode(1), "^Video initialization failed: .+\n$");
}

// The dummy driver starts video but has no OpenGL: both mode requests fail.
TEST(CameraDeathTest, AModeThatCannotBeSetEndsTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv("SDL_VIDEODRIVER", "dummy", 1);
            createCamera(0, 0, 0);
        },
        testing::ExitedWithCode(1), "^Video mode set failed: .+\n$");
}
