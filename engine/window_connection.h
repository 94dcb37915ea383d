// The window system's connection as a descriptor the main loop can sleep on.
#pragma once

// The descriptor of SDL's connection to the X server, asked of SDL at each call
// (a video mode set again may have opened a new one); -1 where there is none to
// wait on (no window yet, another video driver, Windows).
int windowSystemDescriptor();
