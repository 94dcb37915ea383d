// The one place that pulls in SDL 1.2 and OpenGL. NO_SDL_GLEXT keeps SDL's copy of
// glext.h away from Mesa's, whose GL_GLEXT_VERSION would clash with it.
#pragma once
#define NO_SDL_GLEXT
#include <SDL/SDL.h>
#include <SDL/SDL_opengl.h>
#include <GL/glu.h>
