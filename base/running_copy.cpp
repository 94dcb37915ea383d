#include "base/running_copy.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "base/gl.h"
// After SDL.h.
#include <SDL/SDL_syswm.h>

namespace {

// Only this program's painting window carries it: SDL 1.2 gives every program
// the same window class, and the title is also the small window of --export.
const wchar_t kPaintingProperty[] = L"Velvadine.Quillmead.Painting";

BOOL CALLBACK findPaintingWindow(HWND window, LPARAM found) {
    if (!GetPropW(window, kPaintingProperty)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

void markPaintingWindow() {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) > 0 && info.window) SetPropW(info.window, kPaintingProperty, HANDLE(1));
}

void unmarkPaintingWindow() {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) > 0 && info.window) RemovePropW(info.window, kPaintingProperty);
}

bool bringPaintingWindowForward() {
    HWND window = nullptr;
    EnumWindows(findPaintingWindow, reinterpret_cast<LPARAM>(&window));
    if (!window) return false;
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    // On top first: activation alone leaves it under the others where no
    // window manager restacks (wine without one).
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    // Allowed: this process was started by the user a moment ago.
    SetForegroundWindow(window);
    return true;
}

#else

void markPaintingWindow() {}

void unmarkPaintingWindow() {}

bool bringPaintingWindowForward() { return false; }

#endif
