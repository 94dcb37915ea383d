#include "engine/pixel_reader.h"

#include "base/gl.h"
#include "base/gl_context.h"

namespace {

typedef void(GLAPIENTRY* ReadPixelsFn)(GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, GLvoid*);
// A cache of the driver's entry point (main thread only), looked up again for
// every new context.
ReadPixelsFn readPixelsFn = nullptr;
uint32_t lookedUpIn = 0;  // the context serial readPixelsFn belongs to

}  // namespace

void readPixels(int x, int y, int width, int height, unsigned format, unsigned type, void* pixels) {
    if (!readPixelsFn || lookedUpIn != glContextSerial()) {
        readPixelsFn = reinterpret_cast<ReadPixelsFn>(SDL_GL_GetProcAddress("glReadPixels"));
        lookedUpIn = glContextSerial();
    }
    if (readPixelsFn) readPixelsFn(x, y, width, height, format, type, pixels);
}
