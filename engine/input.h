// The input state of one pass of the main loop. Handlers poll it; they never
// receive events.
#pragma once
#include <cstdint>

#include "base/gl.h"

struct InputState {
    uint16_t mouseX = 0, mouseY = 0;
    bool leftClicked = false;  // the left button went down in this pass
    bool leftLatch = false;    // set by a press, cleared by the release
    bool keyPressed = false;   // a key-down arrived in this pass
    bool keyConsumed = false;  // a handler has acted on this pass's key
    SDL_KeyboardEvent lastKey{};
};

extern InputState input;

// Clears the per-pass flags, then drains SDL's queue into the input state.
void pollInput();
// Applies one event to the input state (pollInput's body, exposed for tests).
void handleEvent(const SDL_Event& event);
bool isKeyPressed(int sym);
// Marks this pass's key as taken; always true, so handlers write
// `isKeyPressed(k) && consumeKey()` and one key press has one effect.
bool consumeKey();
