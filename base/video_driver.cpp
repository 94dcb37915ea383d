#include "base/video_driver.h"

#include <cstdlib>
#include <strings.h>

namespace {

// SDL 1.2's and SDL 2's drivers that draw without OpenGL.
const char* const kDriversWithoutOpenGL[] = {"aalib", "caca", "dummy", "fbcon", "svgalib", "ggi", "vgl", "nanox", "directfb", "evdev"};

}  // namespace

void preferX11VideoDriver() {
#if defined(__linux__)
    const char* chosen = std::getenv("SDL_VIDEODRIVER");
    if (!chosen || !*chosen) setenv("SDL_VIDEODRIVER", "x11", 1);
#endif
}

std::string chosenVideoDriverWithoutOpenGL() {
    const char* chosen = std::getenv("SDL_VIDEODRIVER");
    if (!chosen) return "";
    for (const char* driver : kDriversWithoutOpenGL)
        if (strcasecmp(chosen, driver) == 0) return chosen;
    return "";
}
