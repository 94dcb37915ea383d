// A press at a place the pointer has not moved to (a tap as SDL 1.2 on Windows
// reports it: no motion event before the button) moves the pointer first and is
// held for one pass, like a motion and a press together.
#include <gtest/gtest.h>

#include "engine/input.h"

namespace {

SDL_Event press(uint16_t x, uint16_t y) {
    SDL_Event event{};
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = SDL_PRESSED;
    event.button.x = x;
    event.button.y = y;
    return event;
}

SDL_Event motion(uint16_t x, uint16_t y) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = x;
    event.motion.y = y;
    return event;
}

SDL_Event release() {
    SDL_Event event{};
    event.type = SDL_MOUSEBUTTONUP;
    event.button.button = SDL_BUTTON_LEFT;
    return event;
}

}  // namespace

TEST(InputTaps, APressWithoutMotionAtANewPlaceMovesThePointerAndWaitsOnePass) {
    input() = InputState{};
    input().mouseX = 10;
    input().mouseY = 20;
    handleEvent(press(300, 200));
    EXPECT_EQ(input().mouseX, 300);
    EXPECT_EQ(input().mouseY, 200);
    EXPECT_TRUE(input().movedThisPass);
    EXPECT_FALSE(input().leftClicked);  // the pick has not yet seen the new place
    EXPECT_TRUE(input().clickHeld);
    handleEvent(release());

    // A press where the pointer already is counts at once, as before.
    input() = InputState{};
    handleEvent(motion(50, 60));
    input().movedThisPass = false;  // the next pass
    handleEvent(press(50, 60));
    EXPECT_TRUE(input().leftClicked);
    EXPECT_FALSE(input().clickHeld);

    // Motion and press in one pass (xdotool, a touchscreen on X) stay as they were.
    input() = InputState{};
    handleEvent(motion(70, 80));
    handleEvent(press(70, 80));
    EXPECT_FALSE(input().leftClicked);
    EXPECT_TRUE(input().clickHeld);
    input() = InputState{};
}
