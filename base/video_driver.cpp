#include "base/video_driver.h"

#include <cstdlib>

void preferX11VideoDriver() {
#if defined(__linux__)
    const char* chosen = std::getenv("SDL_VIDEODRIVER");
    if (!chosen || !*chosen) setenv("SDL_VIDEODRIVER", "x11", 1);
#endif
}
