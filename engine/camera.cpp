#include "engine/camera.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/platform.h"
#include "base/gl.h"
#include "base/gl_context.h"
#include "engine/offscreen.h"
#include "scene/frame_record.h"
#include "scene/gl_state.h"
#include "scene/walk_matrix.h"

namespace {

Camera* windowCamera = nullptr;  // the window open now, owned by whoever created it

}  // namespace

Camera* camera() { return windowCamera; }

namespace {

[[noreturn]] void failVideo(const char* format) {
    std::fprintf(stderr, format, SDL_GetError());
    SDL_Quit();
    std::exit(1);
}

// sdl12-compat reports itself as 1.2.50 or later; classic SDL 1.2 stops at 1.2.15.
bool runningOnSdl12Compat() {
    const SDL_version* v = SDL_Linked_Version();
    return v && v->major == 1 && v->minor == 2 && v->patch >= 50;
}

void setGlAttributes(int32_t samples, int accelerated) {
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples);
    SDL_GL_SetAttribute(SDL_GL_ACCELERATED_VISUAL, accelerated);
    // Swaps wait for the display where it can be asked: no frame is drawn that
    // the screen cannot show.
    SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 1);
}


// sdl12-compat never refuses a multisample request: it answers one it cannot
// meet with a window whose framebuffer has no samples and may not even accept
// reads. That is a refusal too, and takes the same fallback.
bool gotMultisampling() {
    GLint sampleCount = 0;
    glGetIntegerv(GL_SAMPLES, &sampleCount);
    while (glGetError() != GL_NO_ERROR) {
    }
    return sampleCount > 0;
}

// After SDL_QuitSubSystem: video may not come back (the display went away in
// between, or an X server that resets when its last client leaves); classic
// SDL would then crash in the next video call.
void restartVideo() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) < 0) failVideo("Video initialization failed: %s\n");
}

SDL_Cursor* invisibleCursor = nullptr;

// The brush is the pointer. SDL_ShowCursor(0) would hide the system's pointer
// too, but sdl12-compat turns a full-screen window with a hidden cursor into
// relative mouse mode, where touchscreens, tablets and remote desktops no longer
// place the brush; a fully transparent cursor hides it on both runtimes and
// keeps absolute motion.
void hidePointer() {
    static Uint8 transparent[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    if (!invisibleCursor) invisibleCursor = SDL_CreateCursor(transparent, transparent, 8, 8, 0, 0);
    if (invisibleCursor)
        SDL_SetCursor(invisibleCursor);
    else
        SDL_ShowCursor(0);
}

}  // namespace

// The fixed state every other part of the program relies on; the order matters
// only in that the last enable of textures comes after the client arrays.
void setFixedGlState() {
    setGlSwitch(GlSwitch::texture2d, true);
    litLightCount();  // asked once here rather than in the first frame's drawing
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);  // black: the picking pass reads it as "nothing"
    glClearDepth(1.0);
    setGlSwitch(GlSwitch::depthTest, true);
    glDepthFunc(GL_LEQUAL);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glAlphaFunc(GL_GREATER, 0.9f);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_NORMALIZE);
    if (glHasExtension("GL_EXT_separate_specular_color"))
        glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
    // All drawing uses client arrays; only the picking pass switches them off.
    glEnableClientState(GL_VERTEX_ARRAY);
    setSurfaceArrays(true);
}

namespace {
Camera* openCamera(int32_t width, int32_t height, int32_t depth, int32_t samples, bool fullScreen);
}  // namespace

Camera* createCamera(int32_t width, int32_t height, int32_t depth) {
    return createCameraWithSamples(width, height, depth, 4);
}

Camera* createCameraWithSamples(int32_t width, int32_t height, int32_t depth, int32_t samples) {
    return openCamera(width, height, depth, samples, true);
}

Camera* createWindowedCamera(int32_t width, int32_t height) { return openCamera(width, height, 0, 4, false); }

namespace {

Camera* openCamera(int32_t width, int32_t height, int32_t depth, int32_t samples, bool fullScreen) {
    if (SDL_Init(SDL_INIT_VIDEO) < 0) failVideo("Video initialization failed: %s\n");
    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    if (width == 0 && height == 0 && depth == 0) {
        width = info->current_w;
        height = info->current_h;
    }
    Uint32 flags = SDL_OPENGL | SDL_HWSURFACE | SDL_ASYNCBLIT | (fullScreen ? SDL_FULLSCREEN : 0);
    if (info->blit_hw) flags |= SDL_HWACCEL;

    // First a window with one sample per pixel: where the display can draw
    // multisampled off-screen, frames are drawn there and copied to this window,
    // and a multisampled window would only cost a second resolve.
    setGlAttributes(0, 1);
    bool opened = SDL_SetVideoMode(width, height, 32, flags) != nullptr;
    int32_t pictureSamples = 0;
    // QUILLMEAD_WHOLE_FRAMES=1 keeps the old way: every frame drawn whole into a
    // multisampled window (for a driver that mishandles the off-screen picture,
    // and for measuring one way against the other).
    const char* wholeFrames = std::getenv("QUILLMEAD_WHOLE_FRAMES");
    const bool pictureWanted = !(wholeFrames && std::strcmp(wholeFrames, "1") == 0);
    if (opened && pictureWanted && samples > 0 && largestOffscreenSamples() >= samples) pictureSamples = samples;
    bool multisampleAsked = pictureSamples > 0;
    if (!opened || (samples > 0 && pictureSamples == 0)) {
        // The window itself multisampled, else one without multisampling that does
        // not insist on an accelerated visual. sdl12-compat keeps the failed
        // attributes until video restarts, and on SDL2 "don't care" is -1 where 0
        // would ask for a slow visual.
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        restartVideo();
        setGlAttributes(samples, 1);
        multisampleAsked = samples > 0;
        if (!SDL_SetVideoMode(width, height, 32, flags) || (samples > 0 && !gotMultisampling())) {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            restartVideo();
            setGlAttributes(0, runningOnSdl12Compat() ? -1 : 0);
            if (!SDL_SetVideoMode(width, height, 32, flags)) failVideo("Video mode set failed: %s\n");
            multisampleAsked = false;
        }
    }
    // A new context: objects made in an earlier one are forgotten, not deleted.
    glContextChanged();
    if (multisampleAsked) setGlSwitch(GlSwitch::multisample, true);
    Camera* cam = new Camera();
    cam->pictureSamples = pictureSamples;
    // sdl12-compat grants any multisample request, so what was asked proves nothing.
    GLint sampleCount = pictureSamples;
    if (pictureSamples == 0) glGetIntegerv(GL_SAMPLES, &sampleCount);
    cam->multisampled = sampleCount > 0 && multisampleAsked;

    // The window's title and its name in the task bar, on every system; named
    // once it is the window that stays (classic SDL may make another first).
    SDL_WM_SetCaption("Quillmead", "Quillmead");
    setFixedGlState();
    windowCamera = cam;
    setViewport(*cam, width, height);
    hidePointer();
    // Video start-up may have installed SDL's quit-signal handlers over the
    // program's; see catchTerminationSignals.
    catchTerminationSignals();
    return cam;
}

}  // namespace

void destroyCamera(Camera* cam) {
    if (!cam) return;
    // Objects kept from frame to frame (meshes, the presenter's pictures) learn
    // that the context is going from its serial.
    glContextChanged();
    if (cam == windowCamera) windowCamera = nullptr;
    delete cam;
    if (invisibleCursor) {
        SDL_FreeCursor(invisibleCursor);
        invisibleCursor = nullptr;
    }
    SDL_Quit();
}

bool setViewport(Camera& cam, int32_t width, int32_t height) {
    if (height == 0) height = 1;
    float aspect = float(width) / float(height);
    cam.width = width;
    cam.height = height;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, aspect, double(0.1f), 250.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    GLdouble modelview[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluUnProject(0.0, 0.0, -1.0, modelview, projection, viewport, &cam.nearCorner[0], &cam.nearCorner[1],
                 &cam.nearCorner[2]);
    WalkView view;
    std::memcpy(view.viewport, viewport, sizeof view.viewport);
    std::memcpy(view.projection, projection, sizeof view.projection);
    setWalkView(view);
    return true;
}

double viewEdgeX(double depth) { return camera()->nearCorner[0] * depth / camera()->nearCorner[2]; }

double viewEdgeY(double depth) { return camera()->nearCorner[1] * depth / camera()->nearCorner[2]; }

void setupLight() {
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
    const GLfloat ambient[4] = {0.1f, 0.1f, 0.1f, 1.0f};
    const GLfloat diffuse[4] = {0.6f, 0.6f, 0.6f, 1.0f};
    const GLfloat specular[4] = {0.7f, 0.7f, 0.7f, 1.0f};
    glLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT1, GL_SPECULAR, specular);
    // The position stays OpenGL's default (0, 0, 1, 0): light from the viewer.
}

void lightingCallback(CallbackPhase phase, void*) {
    if (phase == beforeOwnMeshes || phase == beforeEachChild)
        setWalkLighting(true, 1);
    else if (phase == afterOwnMeshes || phase == afterEachChild)
        setWalkLighting(false, 0);
}

