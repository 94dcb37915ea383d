// The OpenGL state the desktop renderer sets, kept beside OpenGL so that it is
// set once and never asked back: every change of these switches, the depth
// writes, the surface (colour and material) and the client arrays goes through
// here, and only what differs from the shadow reaches OpenGL. The texture
// bound is shadowed the same way in base/gl_texture.h, where every upload binds.
//
// Rules: code that changes this state behind the shadow's back (glPushAttrib
// and glPopAttrib around its own changes excepted) calls forgetGlState, and the
// shadow sets everything again at its next use. A new context
// (glContextSerial) starts with nothing known.
#pragma once
#include <cstdint>

#include "resources/model.h"

enum class GlSwitch : uint8_t {
    lighting,
    depthTest,
    blend,
    alphaTest,
    colourMaterial,
    texture2d,
    scissorTest,
    stencilTest,
    multisample,
    count
};

void setGlSwitch(GlSwitch which, bool on);
// What the shadow holds (false when unknown).
bool glSwitchIsOn(GlSwitch which);
// GL_LIGHT1 + i is on exactly where bit i of lights is set (i < litLightCount()).
void setGlLights(uint8_t lights);
void setDepthWrites(bool on);
// The normal and texture-coordinate arrays (the vertex array is always on).
void setSurfaceArrays(bool on);
// What lit and unlit meshes take their colour from: the current colour and
// the material's ambient and diffuse both colour, its specular and shininess
// the material's (colour tracking stays off).
void setSurface(const Material& material, const float colour[4]);
// How many of GL_LIGHT1 onwards (at most 8) the implementation has.
int litLightCount();
// Clears the buffers named (GL_*_BUFFER_BIT), with depth writes on first
// when the depth buffer is among them (a clear honours the write mask).
void clearBuffers(unsigned bits);
void forgetGlState();

// The state frames are drawn under besides their items, which the renderer
// sets once: a picture drawn under one is right only under the same. Opaque
// items always write their depth (depthWrites), translucent ones never.
struct DrawingState {
    bool cullFace = false, polygonOffset = false;
    float offsetFactor = 0, offsetUnits = 0;
    double depthRange[2] = {0, 1};
    int32_t depthFunc = 0x0203;  // GL_LEQUAL
    bool colourWrites[4] = {true, true, true, true}, depthWrites = true;
};
DrawingState currentDrawingState();
// Sets what differs from the state in force.
void setDrawingState(const DrawingState& state);
bool sameDrawingState(const DrawingState& a, const DrawingState& b);
