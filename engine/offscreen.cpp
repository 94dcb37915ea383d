#include "engine/offscreen.h"

#include <cstring>
#include <string>

#include "base/gl.h"
#include "base/gl_context.h"
#include "engine/pixel_reader.h"

namespace {

// The framebuffer-object calls, the same for the core names and the EXT ones.
struct FramebufferCalls {
    void(GLAPIENTRY* genFramebuffers)(GLsizei, GLuint*);
    void(GLAPIENTRY* deleteFramebuffers)(GLsizei, const GLuint*);
    void(GLAPIENTRY* bindFramebuffer)(GLenum, GLuint);
    void(GLAPIENTRY* genRenderbuffers)(GLsizei, GLuint*);
    void(GLAPIENTRY* deleteRenderbuffers)(GLsizei, const GLuint*);
    void(GLAPIENTRY* bindRenderbuffer)(GLenum, GLuint);
    void(GLAPIENTRY* renderbufferStorage)(GLenum, GLenum, GLsizei, GLsizei);
    void(GLAPIENTRY* framebufferRenderbuffer)(GLenum, GLenum, GLenum, GLuint);
    GLenum(GLAPIENTRY* checkFramebufferStatus)(GLenum);
    // Optional: multisampled storage and copies between framebuffers.
    void(GLAPIENTRY* renderbufferStorageMultisample)(GLenum, GLsizei, GLenum, GLsizei, GLsizei);
    void(GLAPIENTRY* blitFramebuffer)(GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLbitfield, GLenum);
};

const GLenum kFramebuffer = 0x8D40;        // GL_FRAMEBUFFER(_EXT)
const GLenum kRenderbuffer = 0x8D41;       // GL_RENDERBUFFER(_EXT)
const GLenum kColourAttachment = 0x8CE0;   // GL_COLOR_ATTACHMENT0(_EXT)
const GLenum kDepthAttachment = 0x8D00;    // GL_DEPTH_ATTACHMENT(_EXT)
const GLenum kComplete = 0x8CD5;           // GL_FRAMEBUFFER_COMPLETE(_EXT)
const GLenum kMaxRenderbufferSize = 0x84E8;
const GLenum kReadFramebuffer = 0x8CA8;    // GL_READ_FRAMEBUFFER(_EXT)
const GLenum kDrawFramebuffer = 0x8CA9;    // GL_DRAW_FRAMEBUFFER(_EXT)
const GLenum kMaxSamples = 0x8D57;         // GL_MAX_SAMPLES(_EXT)
const GLenum kStencilAttachment = 0x8D20;  // GL_STENCIL_ATTACHMENT(_EXT)
const GLenum kDepth24Stencil8 = 0x88F0;    // GL_DEPTH24_STENCIL8(_EXT)

template <typename Fn>
bool lookUp(Fn& fn, const char* name, const char* suffix) {
    std::string full = std::string(name) + suffix;
    fn = reinterpret_cast<Fn>(SDL_GL_GetProcAddress(full.c_str()));
    return fn != nullptr;
}

bool lookUpCalls(FramebufferCalls& c) {
    const char* suffix = nullptr;
    if (glHasExtension("GL_ARB_framebuffer_object") || glVersionAtLeast(3, 0))
        suffix = "";
    else if (glHasExtension("GL_EXT_framebuffer_object"))
        suffix = "EXT";
    if (!suffix) return false;
    c.renderbufferStorageMultisample = nullptr;
    c.blitFramebuffer = nullptr;
    const bool core = suffix[0] == '\0';
    if (core || (glHasExtension("GL_EXT_framebuffer_multisample") && glHasExtension("GL_EXT_framebuffer_blit"))) {
        if (!lookUp(c.renderbufferStorageMultisample, "glRenderbufferStorageMultisample", suffix) ||
            !lookUp(c.blitFramebuffer, "glBlitFramebuffer", suffix)) {
            c.renderbufferStorageMultisample = nullptr;
            c.blitFramebuffer = nullptr;
        }
    }
    return lookUp(c.genFramebuffers, "glGenFramebuffers", suffix) &&
           lookUp(c.deleteFramebuffers, "glDeleteFramebuffers", suffix) &&
           lookUp(c.bindFramebuffer, "glBindFramebuffer", suffix) &&
           lookUp(c.genRenderbuffers, "glGenRenderbuffers", suffix) &&
           lookUp(c.deleteRenderbuffers, "glDeleteRenderbuffers", suffix) &&
           lookUp(c.bindRenderbuffer, "glBindRenderbuffer", suffix) &&
           lookUp(c.renderbufferStorage, "glRenderbufferStorage", suffix) &&
           lookUp(c.framebufferRenderbuffer, "glFramebufferRenderbuffer", suffix) &&
           lookUp(c.checkFramebufferStatus, "glCheckFramebufferStatus", suffix);
}

// The calls of the current context, looked up once per context (a later window
// has a new one); null where it has no framebuffer objects.
const FramebufferCalls* framebufferCalls() {
    static FramebufferCalls calls;
    static bool found = false;
    static uint32_t context = 0;
    static bool lookedUp = false;
    if (!lookedUp || context != glContextSerial()) {
        calls = FramebufferCalls{};
        found = lookUpCalls(calls);
        context = glContextSerial();
        lookedUp = true;
    }
    return found ? &calls : nullptr;
}

}  // namespace

int32_t largestOffscreenSize() {
    if (!framebufferCalls()) return 0;
    GLint largest = 0, viewport[2] = {0, 0};
    glGetIntegerv(kMaxRenderbufferSize, &largest);
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
    while (glGetError() != GL_NO_ERROR) {
    }
    if (viewport[0] > 0 && viewport[0] < largest) largest = viewport[0];
    if (viewport[1] > 0 && viewport[1] < largest) largest = viewport[1];
    return largest;
}

bool openOffscreen(OffscreenTarget& target, int32_t width, int32_t height) {
    return openMultisampledOffscreen(target, width, height, 0, false);
}

int32_t largestOffscreenSamples() {
    const FramebufferCalls* calls = framebufferCalls();
    if (!calls || !calls->blitFramebuffer) return 0;
    GLint samples = 0;
    glGetIntegerv(kMaxSamples, &samples);
    while (glGetError() != GL_NO_ERROR) samples = 0;
    return samples;
}

bool openMultisampledOffscreen(OffscreenTarget& target, int32_t width, int32_t height, int32_t samples,
                               bool withStencil) {
    target = OffscreenTarget();
    const FramebufferCalls* found = framebufferCalls();
    if (!found || width <= 0 || height <= 0 || samples < 0) return false;
    const FramebufferCalls& calls = *found;
    if (samples > 0 && (!calls.renderbufferStorageMultisample || samples > largestOffscreenSamples())) return false;
    if (width > largestOffscreenSize() || height > largestOffscreenSize()) return false;
    glGetIntegerv(GL_VIEWPORT, target.viewport);
    target.width = width;
    target.height = height;

    GLuint names[3] = {0, 0, 0};
    calls.genFramebuffers(1, &names[0]);
    calls.genRenderbuffers(2, &names[1]);
    target.framebuffer = names[0];
    target.colour = names[1];
    target.depth = names[2];
    calls.bindFramebuffer(kFramebuffer, target.framebuffer);
    calls.bindRenderbuffer(kRenderbuffer, target.colour);
    target.samples = samples;
    if (samples > 0)
        calls.renderbufferStorageMultisample(kRenderbuffer, samples, GL_RGBA8, width, height);
    else
        calls.renderbufferStorage(kRenderbuffer, GL_RGBA8, width, height);
    calls.framebufferRenderbuffer(kFramebuffer, kColourAttachment, kRenderbuffer, target.colour);
    calls.bindRenderbuffer(kRenderbuffer, target.depth);
    const GLenum depthFormat = withStencil ? kDepth24Stencil8 : GL_DEPTH_COMPONENT24;
    if (samples > 0)
        calls.renderbufferStorageMultisample(kRenderbuffer, samples, depthFormat, width, height);
    else
        calls.renderbufferStorage(kRenderbuffer, depthFormat, width, height);
    calls.framebufferRenderbuffer(kFramebuffer, kDepthAttachment, kRenderbuffer, target.depth);
    if (withStencil) calls.framebufferRenderbuffer(kFramebuffer, kStencilAttachment, kRenderbuffer, target.depth);
    calls.bindRenderbuffer(kRenderbuffer, 0);
    bool complete = calls.checkFramebufferStatus(kFramebuffer) == kComplete;
    while (glGetError() != GL_NO_ERROR) complete = false;
    if (!complete) {
        closeOffscreen(target);
        return false;
    }
    glViewport(0, 0, width, height);
    return true;
}

bool openColourOffscreen(OffscreenTarget& target, int32_t width, int32_t height) {
    target = OffscreenTarget();
    const FramebufferCalls* found = framebufferCalls();
    if (!found || width <= 0 || height <= 0) return false;
    if (width > largestOffscreenSize() || height > largestOffscreenSize()) return false;
    const FramebufferCalls& calls = *found;
    target.width = width;
    target.height = height;
    calls.genFramebuffers(1, &target.framebuffer);
    calls.genRenderbuffers(1, &target.colour);
    calls.bindFramebuffer(kFramebuffer, target.framebuffer);
    calls.bindRenderbuffer(kRenderbuffer, target.colour);
    calls.renderbufferStorage(kRenderbuffer, GL_RGBA8, width, height);
    calls.framebufferRenderbuffer(kFramebuffer, kColourAttachment, kRenderbuffer, target.colour);
    calls.bindRenderbuffer(kRenderbuffer, 0);
    bool complete = calls.checkFramebufferStatus(kFramebuffer) == kComplete;
    while (glGetError() != GL_NO_ERROR) complete = false;
    if (!complete) closeOffscreen(target);
    return complete;
}

std::vector<uint8_t> readRgbRows(int32_t width, int32_t height) {
    size_t row = size_t(width) * 3;
    std::vector<uint8_t> upsideDown(row * size_t(height));
    GLint alignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glFinish();
    readPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, upsideDown.data());
    glPixelStorei(GL_PACK_ALIGNMENT, alignment);
    // OpenGL's rows run from the bottom up.
    std::vector<uint8_t> rows(upsideDown.size());
    for (int32_t y = 0; y < height; ++y)
        std::memcpy(&rows[size_t(y) * row], &upsideDown[size_t(height - 1 - y) * row], row);
    return rows;
}

std::vector<uint8_t> readOffscreenRgb(const OffscreenTarget& target) { return readRgbRows(target.width, target.height); }

void bindOffscreen(const OffscreenTarget* target) {
    if (const FramebufferCalls* calls = framebufferCalls())
        calls->bindFramebuffer(kFramebuffer, target ? target->framebuffer : 0);
}

bool copyOffscreen(const OffscreenTarget& from, const OffscreenTarget* to) {
    const FramebufferCalls* found = framebufferCalls();
    if (!from.framebuffer || !found || !found->blitFramebuffer) return false;
    const FramebufferCalls& calls = *found;
    while (glGetError() != GL_NO_ERROR) {
    }
    calls.bindFramebuffer(kReadFramebuffer, from.framebuffer);
    calls.bindFramebuffer(kDrawFramebuffer, to ? to->framebuffer : 0);
    calls.blitFramebuffer(0, 0, from.width, from.height, 0, 0, from.width, from.height, GL_COLOR_BUFFER_BIT,
                          GL_NEAREST);
    calls.bindFramebuffer(kFramebuffer, to ? to->framebuffer : 0);
    bool copied = true;
    while (glGetError() != GL_NO_ERROR) copied = false;
    return copied;
}

bool copyOffscreenPart(const OffscreenTarget& from, int32_t fromX, int32_t fromY, int32_t width, int32_t height,
                       const OffscreenTarget& to, int32_t toX, int32_t toY) {
    const FramebufferCalls* found = framebufferCalls();
    if (!from.framebuffer || !to.framebuffer || !found || !found->blitFramebuffer || width <= 0 || height <= 0)
        return false;
    const FramebufferCalls& calls = *found;
    while (glGetError() != GL_NO_ERROR) {
    }
    calls.bindFramebuffer(kReadFramebuffer, from.framebuffer);
    calls.bindFramebuffer(kDrawFramebuffer, to.framebuffer);
    calls.blitFramebuffer(fromX, fromY, fromX + width, fromY + height, toX, toY, toX + width, toY + height,
                          GL_COLOR_BUFFER_BIT, GL_NEAREST);
    calls.bindFramebuffer(kFramebuffer, to.framebuffer);
    bool copied = true;
    while (glGetError() != GL_NO_ERROR) copied = false;
    return copied;
}

void closeOffscreen(OffscreenTarget& target) {
    const FramebufferCalls* found = framebufferCalls();
    if (target.framebuffer && found) {
        const FramebufferCalls& calls = *found;
        calls.bindFramebuffer(kFramebuffer, 0);
        GLuint renderbuffers[2] = {target.colour, target.depth};
        calls.deleteRenderbuffers(2, renderbuffers);
        calls.deleteFramebuffers(1, &target.framebuffer);
        // A target that never set the viewport leaves it as it is.
        if (target.viewport[2] > 0 && target.viewport[3] > 0)
            glViewport(target.viewport[0], target.viewport[1], target.viewport[2], target.viewport[3]);
    }
    target = OffscreenTarget();
}
