// An off-screen framebuffer: drawing of any size up to the display's limit that
// never shows in the window. For pictures larger than the window (a page saved
// for printing). Needs framebuffer objects (OpenGL 3.0, or the EXT or ARB
// extension on older versions); the functions are looked up through SDL, so on
// sdl12-compat they are its wrappers, which know its own framebuffer.
//
// Ownership: the caller owns an open OffscreenTarget and closes it on the
// thread that opened it, while the window's context still exists.
#pragma once
#include <cstdint>
#include <vector>

struct OffscreenTarget {
    unsigned framebuffer = 0, colour = 0, depth = 0;  // GL names; 0 when not open
    int32_t width = 0, height = 0;
    int32_t viewport[4] = {0, 0, 0, 0};  // the viewport before, restored by close
};

// The largest width and height the display can draw off-screen; 0 when it
// cannot draw off-screen at all. Needs an open window.
int32_t largestOffscreenSize();
// Opens a target of width x height with colour and a 24-bit depth buffer, binds
// it in place of the window's framebuffer and sets the viewport to it. false
// (and the window's framebuffer bound) when the display cannot.
bool openOffscreen(OffscreenTarget& target, int32_t width, int32_t height);
// The target's pixels as RGB rows from the top down.
std::vector<uint8_t> readOffscreenRgb(const OffscreenTarget& target);
// Binds the window's framebuffer again and frees the target. Through SDL's
// lookup, binding 0 is the window on both runtimes (sdl12-compat's wrapper maps
// it to its own framebuffer and remembers that the program reads the window).
void closeOffscreen(OffscreenTarget& target);
