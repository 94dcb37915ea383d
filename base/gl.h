// The one place that pulls in SDL 1.2 and OpenGL. NO_SDL_GLEXT keeps SDL's copy of
// glext.h away from Mesa's, whose GL_GLEXT_VERSION would clash with it.
// Windows' own GL/gl.h stops at OpenGL 1.1: the names of later versions come from
// GL/glext.h, and their functions are looked up at run time like extensions.
// windows.h comes first there, without its min/max macros, and its near/far
// macros are taken back so that they can name variables.
#pragma once
#define NO_SDL_GLEXT
#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#undef near
#undef far
#ifndef GLAPIENTRY
#define GLAPIENTRY APIENTRY
#endif
#endif
#include <SDL/SDL.h>
#ifdef __EMSCRIPTEN__
#include "base/sdl_web.h"
#endif
#include <SDL/SDL_opengl.h>
#include <GL/glu.h>
#ifdef __EMSCRIPTEN__
#include "base/gl_web_interim.h"
#endif
#ifdef _WIN32
#include <GL/glext.h>
#endif
