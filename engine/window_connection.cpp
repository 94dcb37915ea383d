#include "engine/window_connection.h"

#include "base/gl.h"
#include <SDL/SDL_syswm.h>

int windowSystemDescriptor() {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) <= 0 || info.subsystem != SDL_SYSWM_X11 || !info.info.x11.display) return -1;
    return ConnectionNumber(info.info.x11.display);
#else
    return -1;
#endif
}
