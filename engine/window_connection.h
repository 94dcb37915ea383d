// The window system's connection as a descriptor the main loop can sleep on.
#pragma once
#include "base/gl.h"

// The descriptor of SDL's connection to the X server, asked of SDL at each call
// (a video mode set again may have opened a new one); -1 where there is none to
// wait on (no window yet, another video driver, Windows).
int windowSystemDescriptor();

// Another program may destroy the window (xdotool windowclose, a crashed
// window manager's leftovers): classic SDL says nothing and the program would
// run on unseen. From startWatchingForLostWindow on, the window system's
// notices reach the event queue, and windowDestroyedBy recognises the one
// that says the window is gone. Elsewhere (no X11): nothing, and false.
void startWatchingForLostWindow();
bool windowDestroyedBy(const SDL_Event& event);
