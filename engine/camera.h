// The display: SDL video, the full-screen OpenGL window, the fixed GL state, the
// projection, and the numbers that pin objects to the window's edges.
#pragma once
#include <cstdint>

#include "engine/pixel_reader.h"
#include "scene/scene_node.h"

struct Camera {
    double nearCorner[3] = {0, 0, 0};  // window pixel (0, 0) unprojected at depth -1
    int32_t width = 0, height = 0;
    bool multisampled = false;  // read back from GL_SAMPLES, not from what was asked
    // > 0: frames are drawn off-screen with this many samples per pixel and
    // copied to a window that has one; 0: drawn straight into the window.
    int32_t pictureSamples = 0;
};

// The window's camera, set by the create functions and cleared by
// destroyCamera; null while no window is open.
Camera* camera();

// Ends the program (status 1, SDL's message on stderr) when video cannot start or
// no window can be opened. Initialises video and opens the window; width, height
// and depth 0 take the desktop's mode. The window is titled "Quillmead" (also
// its name in the task bar).
Camera* createCamera(int32_t width, int32_t height, int32_t depth);
// The same with another first multisample request; createCamera asks for 4. The
// tests ask for more than the display offers to drive the fallback.
Camera* createCameraWithSamples(int32_t width, int32_t height, int32_t depth, int32_t samples);
// The same in a window of width x height instead of full screen.
Camera* createWindowedCamera(int32_t width, int32_t height);
void destroyCamera(Camera* camera);  // SDL_Quit
bool setViewport(Camera& camera, int32_t width, int32_t height);
// x (resp. y) of the window's left (resp. bottom) edge at the given eye-space depth;
// for a positive depth the same magnitude with the opposite sign.
double viewEdgeX(double depth);
double viewEdgeY(double depth);
void setupLight();
// The fixed OpenGL state every drawing relies on (clear colour, depth, blending,
// alpha function, normalising, separate specular, the client arrays); the camera
// sets it once, the model viewer too.
void setFixedGlState();
// Lights what the walk records under the node from phase 1 to 2 and 3 to 4
// with light 1 (scene/frame_record.h, setWalkLighting).
void lightingCallback(CallbackPhase phase, void* arg);
// readPixels, which every reader of the window's pixels uses, is in
// engine/pixel_reader.h; it comes with the camera.
