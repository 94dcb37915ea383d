// The input state of one pass of the main loop. Handlers poll it; they never
// receive events.
#pragma once
#include <cstdint>

#include "base/gl.h"

struct InputState {
    uint16_t mouseX = 0, mouseY = 0;
    bool leftClicked = false;  // the left button went down in this pass (or a held press counts now)
    bool leftLatch = false;    // set by a press, cleared by the release
    bool movedThisPass = false;  // pointer motion arrived in this pass
    // A press that came with pointer motion in the same pass (a tap on a
    // touchscreen, a move-and-click): the hovered node is still the one under
    // the old position, so the press counts in the next pass, after the pick
    // at the new position has run.
    bool clickHeld = false;
    bool keyPressed = false;   // a key-down arrived in this pass
    bool keyConsumed = false;  // a handler has acted on this pass's key
    bool eventsThisPass = false;  // any event at all was taken in this pass
    // The window was destroyed by another program: nothing can be shown any
    // more. Stays set.
    bool windowLost = false;
    // The window was uncovered or restored in this pass (an expose, or the
    // application became visible again): what it showed may be gone.
    bool windowUncovered = false;
    SDL_KeyboardEvent lastKey{};
};

// This pass's input; written only by this unit (main thread only).
InputState& input();

// Back to the input of a fresh start.
void resetInput();
// Clears the per-pass flags, then drains SDL's queue into the input state.
void pollInput();
// Applies one event to the input state (pollInput's body, exposed for tests).
void handleEvent(const SDL_Event& event);
bool isKeyPressed(int sym);
// Whether the key is held down now, as SDL's keyboard state has it.
bool isKeyHeld(int sym);
// A press another way in (keys, switches, dwell) makes for the pointer: the
// pointer moves to (x, y) when moveTo, and the press counts in this pass as a
// click that came without motion. Who is pressed is the pick's (pressNode).
void pressPointer(bool moveTo, int32_t x, int32_t y);
// Marks this pass's key as taken; always true, so handlers write
// `isKeyPressed(k) && consumeKey()` and one key press has one effect.
bool consumeKey();
// Waits, without taking any event, until one is queued, the SDL clock reaches
// deadline or the system asks the program to end, whichever comes first: the
// loop's rest when a frame changed nothing.
void restUntilInput(uint32_t deadline);
