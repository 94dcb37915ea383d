// The main loop's rest between unchanged frames: it sleeps on the window
// system's connection until the deadline, and a real event from the X server
// (xdotool moving the pointer from another process) ends it at once.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "engine/input.h"
#include "engine/window_connection.h"
#include "support/gl_fixture.h"

namespace {

void dropQueuedEvents() {
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_ALLEVENTS) > 0) {
    }
}

}  // namespace

TEST(RestingWait, SleepsOnTheConnectionUntilTheDeadlineOrARealPointerMove) {
    ensureGlWindow();
    // Without a connection every rest would fall back to looking at the queue
    // every millisecond or two.
    EXPECT_GE(windowSystemDescriptor(), 0);
    dropQueuedEvents();
    const uint32_t deadline = SDL_GetTicks() + 120;
    restUntilInput(deadline);
    EXPECT_GE(int32_t(SDL_GetTicks() - deadline), 0) << "the rest ended before its deadline with nothing queued";
    SDL_Event event;
    EXPECT_EQ(SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_ALLEVENTS), 0);

    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    const int toX = x == 37 ? 53 : 37, toY = y == 41 ? 59 : 41;
    // The move is made by another process while the rest is asleep.
    const std::string move = "xdotool mousemove " + std::to_string(toX) + " " + std::to_string(toY);
    int status = -1;
    std::thread mover([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        status = std::system(move.c_str());
    });
    const uint32_t started = SDL_GetTicks();
    // A deadline far beyond anything the move needs: only the move can end it.
    restUntilInput(started + 60000);
    const uint32_t rested = SDL_GetTicks() - started;
    mover.join();
    ASSERT_EQ(status, 0) << move;
    EXPECT_LT(rested, 30000u) << "the rest slept through the pointer's move";
    ASSERT_EQ(SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_ALLEVENTS), 1) << "the rest ended with nothing queued";
    ASSERT_EQ(event.type, SDL_MOUSEMOTION);
    EXPECT_EQ(event.motion.x, toX);
    EXPECT_EQ(event.motion.y, toY);
    dropQueuedEvents();
}
