#include "engine/input.h"

#include <algorithm>

#include "base/descriptor_wait.h"
#include "base/host_limits.h"
#include "base/platform.h"
#include "engine/window_connection.h"

InputState& input() {
    static InputState pass;
    return pass;
}

void handleEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_MOUSEBUTTONDOWN:
            // SDL 1.2 on Windows reports a tap at a new place without a motion
            // event before it: the press moves the pointer there first, and then
            // counts as a press that came with motion.
            if (event.button.x != input().mouseX || event.button.y != input().mouseY) {
                input().mouseX = event.button.x;
                input().mouseY = event.button.y;
                input().movedThisPass = true;
            }
            // A held button counts once: the latch waits for the release.
            if (event.button.button == SDL_BUTTON_LEFT && !input().leftLatch) {
                input().leftLatch = true;
                if (input().movedThisPass) {
                    input().clickHeld = true;
                } else {
                    input().leftClicked = true;
                }
            }
            break;
        case SDL_MOUSEBUTTONUP:
            if (event.button.button == SDL_BUTTON_LEFT) input().leftLatch = false;
            break;
        case SDL_MOUSEMOTION:
            input().mouseX = event.motion.x;
            input().mouseY = event.motion.y;
            input().movedThisPass = true;
            break;
        case SDL_KEYDOWN:
            // One key a pass (pollInput stops after it); a new key is free to be taken again.
            input().keyPressed = true;
            input().keyConsumed = false;
            input().lastKey = event.key;
            break;
        case SDL_SYSWMEVENT:
            if (windowDestroyedBy(event)) input().windowLost = true;
            break;
        case SDL_VIDEOEXPOSE:
            input().windowUncovered = true;
            break;
        case SDL_ACTIVEEVENT:
            if (event.active.gain && (event.active.state & SDL_APPACTIVE)) input().windowUncovered = true;
            break;
        default:
            // Closing the window through the window manager is ignored on purpose:
            // the program ends only through saveSettingsAndQuit.
            break;
    }
}

void pollInput() {
    input().keyPressed = false;
    // The press held back in the previous pass counts now that the pick has seen
    // where it was made.
    input().leftClicked = input().clickHeld;
    input().clickHeld = false;
    input().movedThisPass = false;
    input().eventsThisPass = false;
    input().windowUncovered = false;
    // The window system is asked once a pass, and then everything it had queued
    // is taken in this pass: SDL_PollEvent would ask it again for every event,
    // and under a fast pointer (a thousand moves a second) each queued move
    // would cost one more round with the window system. The moves only set the
    // position, so one pass and one pick answer all of them.
    SDL_PumpEvents();
    SDL_Event event;
    // A key ends the pass's events: the ones after it wait for the next pass, so
    // that quick presses (five Ctrl+S in half a second while a picture is
    // drawn) are each seen instead of only the last.
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_ALLEVENTS) > 0) {
        // The window system's own notices are no input.
        input().eventsThisPass = input().eventsThisPass || event.type != SDL_SYSWMEVENT;
        handleEvent(event);
        if (event.type == SDL_KEYDOWN) break;
    }
}

bool isKeyPressed(int sym) {
    return input().keyPressed && !input().keyConsumed && int(input().lastKey.keysym.sym) == sym;
}

void resetInput() { input() = InputState(); }

bool isKeyHeld(int sym) {
    const Uint8* keys = SDL_GetKeyState(nullptr);
    return keys && sym >= 0 && sym < SDLK_LAST && keys[sym];
}

void pressPointer(bool moveTo, int32_t x, int32_t y) {
    if (moveTo) {
        input().mouseX = uint16_t(std::clamp(x, 0, 65535));
        input().mouseY = uint16_t(std::clamp(y, 0, 65535));
    }
    input().leftClicked = true;
    input().clickHeld = false;
}

bool consumeKey() {
    input().keyConsumed = true;
    return true;
}

void restUntilInput(uint32_t deadline) {
    // The browser rests between animation frames itself.
    if (!kPassMayWait) return;
    for (;;) {
        // Everything the window system has sent becomes SDL events here, so the
        // connection holds nothing unread while the loop sleeps on it below.
        SDL_PumpEvents();
        SDL_Event event;
        if (SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) > 0 || input().windowLost) return;
        // A termination signal ends the wait, whichever thread it landed on and
        // even just before the wait began: the next pass saves the paintings.
        if (terminationRequested()) return;
        const uint32_t now = SDL_GetTicks();
        const int32_t left = int32_t(deadline - now);
        if (left <= 0) return;
        // Asleep until the X server sends something (a move, a key, a button)
        // or the deadline. SDL 1.2 cannot wait with a time limit itself, so
        // where there is no connection to sleep on the queue is looked at every
        // millisecond or two instead.
        if (!waitUntilReadable(windowSystemDescriptor(), left)) {
            SDL_Delay(left > 2 ? 2 : 1);
            continue;
        }
        // Woken by the first bytes: a key held down repeats as a release and a
        // press that classic SDL only recognises as a repeat when both are there
        // when it reads (else it sees the key let go, and a held Ctrl+Alt+Q
        // never lasts). A millisecond lets the pair arrive whole.
        SDL_Delay(1);
    }
}
