// WM_ENDSESSION reaches the program through SDL's event filter, which SDL 1.2
// calls from inside its window procedure for every window message once system
// events are enabled.
#ifdef _WIN32
#include "base/end_of_session.h"

#include "base/gl.h"
// After SDL.h.
#include <SDL/SDL_syswm.h>

#include "base/platform.h"

namespace {

// Main thread only: set before the filter is installed.
void (*saveBeforeTheSessionEnds)() = nullptr;

int SDLCALL filterWindowMessages(const SDL_Event* event) {
    if (event->type != SDL_SYSWMEVENT) return 1;
    const SDL_SysWMmsg* message = event->syswm.msg;
    if (message && message->msg == WM_ENDSESSION && message->wParam) {
        requestTermination();
        if (saveBeforeTheSessionEnds) saveBeforeTheSessionEnds();
    }
    // Never queued: the program reads no other window message.
    return 0;
}

}  // namespace

void watchEndOfSession(void (*saveNow)()) {
    saveBeforeTheSessionEnds = saveNow;
    SDL_SetEventFilter(filterWindowMessages);
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}
#endif  // _WIN32
