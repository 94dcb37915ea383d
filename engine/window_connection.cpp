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

void startWatchingForLostWindow() {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
#endif
}

bool windowDestroyedBy(const SDL_Event& event) {
#if defined(SDL_VIDEO_DRIVER_X11)
    if (event.type != SDL_SYSWMEVENT || !event.syswm.msg || event.syswm.msg->subsystem != SDL_SYSWM_X11) return false;
    const XEvent& notice = event.syswm.msg->event.xevent;
    if (notice.type != DestroyNotify) return false;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) <= 0 || info.subsystem != SDL_SYSWM_X11) return false;
    const Window gone = notice.xdestroywindow.window;
    return gone == info.info.x11.wmwindow || gone == info.info.x11.window;
#else
    (void)event;
    return false;
#endif
}
