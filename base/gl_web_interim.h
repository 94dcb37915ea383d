// The browser build until its WebGL renderer exists: fixed-function calls
// that emscripten's emulation refuses (it throws, and the page stops) are sent
// to base/gl_web_interim.cpp, which passes on what the emulation can do.
// Included by base/gl.h after SDL_opengl.h, in the browser build only.
#pragma once
#ifdef __EMSCRIPTEN__
#include <GL/gl.h>

void quillmeadMaterialfv(GLenum face, GLenum name, const GLfloat* values);
#define glMaterialfv quillmeadMaterialfv
#endif
