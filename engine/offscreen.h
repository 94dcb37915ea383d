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
    int32_t samples = 0;  // 0: one sample per pixel
    int32_t viewport[4] = {0, 0, 0, 0};  // the viewport before, restored by close
};

// The largest width and height the display can draw off-screen; 0 when it
// cannot draw off-screen at all. Needs an open window.
int32_t largestOffscreenSize();
// Opens a target of width x height with colour and a 24-bit depth buffer, binds
// it in place of the window's framebuffer and sets the viewport to it. false
// (and the window's framebuffer bound) when the display cannot.
bool openOffscreen(OffscreenTarget& target, int32_t width, int32_t height);
// The most samples per pixel an off-screen target can have that can also be
// copied to the window (multisampled storage and framebuffer copies); 0 when
// there is no such target.
int32_t largestOffscreenSamples();
// openOffscreen with samples per pixel (0: one), and an 8-bit stencil buffer
// beside the depth buffer when asked.
bool openMultisampledOffscreen(OffscreenTarget& target, int32_t width, int32_t height, int32_t samples,
                               bool withStencil);
// A single-sample target of colour alone, for a picture kept to be copied back
// later rather than drawn into: opened and left bound, the viewport untouched
// (and left alone by its close). false (and the window's framebuffer bound)
// when the display cannot.
bool openColourOffscreen(OffscreenTarget& target, int32_t width, int32_t height);
// Draws into the target from now on; null: into the window.
void bindOffscreen(const OffscreenTarget* target);
// Copies the whole of from into to (null: the window's back buffer), averaging
// the samples of a multisampled target, and leaves to bound. false when the
// display cannot copy between framebuffers or the copy failed.
bool copyOffscreen(const OffscreenTarget& from, const OffscreenTarget* to);
// Copies the width x height pixels of from at (fromX, fromY) to to at (toX, toY),
// averaging the samples of a multisampled from, or giving each sample of a
// multisampled to the pixel's colour; leaves to bound. false when the display
// cannot (a driver may refuse either way) or the copy failed.
bool copyOffscreenPart(const OffscreenTarget& from, int32_t fromX, int32_t fromY, int32_t width, int32_t height,
                       const OffscreenTarget& to, int32_t toX, int32_t toY);
// The bound framebuffer's pixels from (0, 0) to (width, height) as RGB rows from
// the top down, after the drawing before it has finished.
std::vector<uint8_t> readRgbRows(int32_t width, int32_t height);
// The target's pixels as RGB rows from the top down.
std::vector<uint8_t> readOffscreenRgb(const OffscreenTarget& target);
// Binds the window's framebuffer again and frees the target. Through SDL's
// lookup, binding 0 is the window on both runtimes (sdl12-compat's wrapper maps
// it to its own framebuffer and remembers that the program reads the window).
void closeOffscreen(OffscreenTarget& target);
