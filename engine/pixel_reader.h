// Reading the current framebuffer's pixels, for everything that reads them back
// (picking, the off-screen pictures, the presenter's comparison, the tests).
#pragma once

// glReadPixels through SDL_GL_GetProcAddress: sdl12-compat draws into its own
// framebuffer, and the linked symbol would read the last shown frame there. The
// entry point is looked up again in every new context (glContextSerial).
void readPixels(int x, int y, int width, int height, unsigned format, unsigned type, void* pixels);
