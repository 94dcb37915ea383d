// The browser's SDL 1.2 (emscripten's, written in JavaScript over the page's
// events) as the program expects SDL 1.2 to be. Its headers are SDL 1.3's:
// the 1.2 names it lacks are given here, and the calls it gets wrong or does
// not have (SDL_PeepEvents beyond taking one event, cursors, event filters,
// window-system information, audio conversion) are answered by
// base/sdl_web.cpp. Included by base/gl.h only, and only in the browser build.
#pragma once
#ifdef __EMSCRIPTEN__
#include <SDL/SDL.h>

// SDL 1.2's swap control is attribute 16, kept but unused by emscripten (which
// aborts on an attribute it does not know): the browser's swap is its
// animation frame.
#ifndef SDL_GL_SWAP_CONTROL
#define SDL_GL_SWAP_CONTROL SDL_GL_RETAINED_BACKING
#endif

// SDL_PeepEvents with peeking and SDL's key codes (base/sdl_web.cpp).
int quillmeadPeepEvents(SDL_Event* events, int count, SDL_eventaction action, Uint32 minType, Uint32 maxType);
#define SDL_PeepEvents quillmeadPeepEvents

extern "C" {
// In emscripten's library, missing from its headers: the keys held, indexed by
// the key's code (characters by their ASCII code, as SDLK_SPACE and SDLK_q are).
Uint8* SDL_GetKeyState(int* numkeys);
}
#endif
