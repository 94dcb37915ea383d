#include "scene/gl_state.h"

#include <cstring>

#include "base/gl.h"
#include "base/gl_context.h"
#include "base/gl_texture.h"

namespace {

// What is known of the current context's state; known bits say which values
// hold (an unknown value is set at its next use).
struct Shadow {
    uint32_t context = 0;
    uint32_t switchesKnown = 0, switchesOn = 0;
    bool lightsKnown = false;
    uint8_t lights = 0;
    bool depthWritesKnown = false, depthWrites = false;
    bool arraysKnown = false, arrays = false;
    bool surfaceKnown = false;
    float colour[4] = {}, specular[4] = {}, shininess = 0;
    DrawingState drawing;  // what the camera's fixed state sets, until set otherwise
};

Shadow shadow;
int lightCount = -1;  // asked once: a property of the implementation, not state

const GLenum kSwitchCaps[] = {GL_LIGHTING,   GL_DEPTH_TEST,   GL_BLEND,        GL_ALPHA_TEST,  GL_COLOR_MATERIAL,
                              GL_TEXTURE_2D, GL_SCISSOR_TEST, GL_STENCIL_TEST, GL_MULTISAMPLE};
static_assert(sizeof kSwitchCaps / sizeof kSwitchCaps[0] == size_t(GlSwitch::count), "one cap a switch");

Shadow& current() {
    if (shadow.context != glContextSerial()) {
        shadow = Shadow();
        shadow.context = glContextSerial();
        forgetBoundTexture();
    }
    return shadow;
}

void enable(GLenum cap, bool on) {
    if (on)
        glEnable(cap);
    else
        glDisable(cap);
}

}  // namespace

void setGlSwitch(GlSwitch which, bool on) {
    Shadow& s = current();
    const uint32_t bit = 1u << unsigned(which);
    if ((s.switchesKnown & bit) && ((s.switchesOn & bit) != 0) == on) return;
    enable(kSwitchCaps[size_t(which)], on);
    s.switchesKnown |= bit;
    s.switchesOn = on ? s.switchesOn | bit : s.switchesOn & ~bit;
}

bool glSwitchIsOn(GlSwitch which) {
    const Shadow& s = current();
    const uint32_t bit = 1u << unsigned(which);
    return (s.switchesKnown & s.switchesOn & bit) != 0;
}

int litLightCount() {
    // GL_LIGHT1 + 7 is GL_LIGHT8, which does not exist where there are only the
    // eight lights OpenGL guarantees; asking for it raises GL_INVALID_ENUM.
    if (lightCount < 0) {
        GLint maxLights = 8;
        glGetIntegerv(GL_MAX_LIGHTS, &maxLights);
        lightCount = maxLights - 1 < 8 ? maxLights - 1 : 8;
        if (lightCount < 0) lightCount = 0;
    }
    return lightCount;
}

void setGlLights(uint8_t lights) {
    Shadow& s = current();
    const int count = litLightCount();
    for (int i = 0; i < count; ++i) {
        const bool want = (lights >> i) & 1;
        if (!s.lightsKnown || want != (((s.lights >> i) & 1) != 0)) enable(GLenum(GL_LIGHT1 + i), want);
    }
    s.lightsKnown = true;
    s.lights = lights;
}

void setDepthWrites(bool on) {
    Shadow& s = current();
    if (s.depthWritesKnown && s.depthWrites == on) return;
    glDepthMask(on ? GL_TRUE : GL_FALSE);
    s.depthWritesKnown = true;
    s.depthWrites = on;
}

void setSurfaceArrays(bool on) {
    Shadow& s = current();
    if (s.arraysKnown && s.arrays == on) return;
    if (on) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    } else {
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    s.arraysKnown = true;
    s.arrays = on;
}

void setSurface(const Material& m, const float colour[4]) {
    setGlSwitch(GlSwitch::colourMaterial, false);
    Shadow& s = current();
    const bool sameColour = s.surfaceKnown && std::memcmp(s.colour, colour, sizeof s.colour) == 0;
    const bool sameSpecular = s.surfaceKnown && std::memcmp(s.specular, m.specular, sizeof s.specular) == 0;
    if (!sameColour) {
        glColor4fv(colour);
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, colour);
        std::memcpy(s.colour, colour, sizeof s.colour);
    }
    if (!sameSpecular) {
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, m.specular);
        std::memcpy(s.specular, m.specular, sizeof s.specular);
    }
    if (!s.surfaceKnown || s.shininess != m.shininess) {
        glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, m.shininess);
        s.shininess = m.shininess;
    }
    s.surfaceKnown = true;
}

void clearBuffers(unsigned bits) {
    if (bits & GL_DEPTH_BUFFER_BIT) setDepthWrites(true);
    glClear(bits);
}

void forgetGlState() {
    shadow = Shadow();
    shadow.context = glContextSerial();
    forgetBoundTexture();
}

DrawingState currentDrawingState() { return current().drawing; }

bool sameDrawingState(const DrawingState& a, const DrawingState& b) {
    for (int i = 0; i < 4; ++i)
        if (a.colourWrites[i] != b.colourWrites[i]) return false;
    return a.cullFace == b.cullFace && a.polygonOffset == b.polygonOffset && a.offsetFactor == b.offsetFactor &&
           a.offsetUnits == b.offsetUnits && a.depthRange[0] == b.depthRange[0] &&
           a.depthRange[1] == b.depthRange[1] && a.depthFunc == b.depthFunc && a.depthWrites == b.depthWrites;
}

void setDrawingState(const DrawingState& want) {
    DrawingState& s = current().drawing;
    if (want.cullFace != s.cullFace) enable(GL_CULL_FACE, want.cullFace);
    if (want.polygonOffset != s.polygonOffset) enable(GL_POLYGON_OFFSET_FILL, want.polygonOffset);
    if (want.offsetFactor != s.offsetFactor || want.offsetUnits != s.offsetUnits)
        glPolygonOffset(want.offsetFactor, want.offsetUnits);
    if (want.depthRange[0] != s.depthRange[0] || want.depthRange[1] != s.depthRange[1])
        glDepthRange(want.depthRange[0], want.depthRange[1]);
    if (want.depthFunc != s.depthFunc) glDepthFunc(GLenum(want.depthFunc));
    if (std::memcmp(want.colourWrites, s.colourWrites, sizeof s.colourWrites) != 0)
        glColorMask(want.colourWrites[0], want.colourWrites[1], want.colourWrites[2], want.colourWrites[3]);
    s = want;
    // Opaque items write their depth whatever is asked; the mask follows the items.
    s.depthWrites = true;
}
