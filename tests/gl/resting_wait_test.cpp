// The main loop's rest between unchanged frames: it sleeps on the window
// system's connection until the deadline, and a real event from the X server
// (xdotool moving the pointer from another process) ends it at once. Once the
// desk is still, the real loop rests until something driven by the clock is
// due: few passes, and a timer still fires when it is due, not before.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "app/shell.h"
#include "engine/input.h"
#include "engine/window_connection.h"
#include "scene/animation.h"
#include "scene/scene_node.h"
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

namespace {

// Passes of the real loop until the SDL clock has moved on by ms; returns them.
int passesFor(uint32_t ms) {
    const uint32_t from = SDL_GetTicks();
    int passes = 0;
    while (SDL_GetTicks() - from < ms && passes < 100000) {
        runOnePass();
        ++passes;
    }
    return passes;
}

}  // namespace

TEST(RestingWait, TheStillDeskRestsUntilItsTimerIsDueAndNoLonger) {
    TestStart how;
    how.longRests = true;
    ASSERT_TRUE(startUpForTest("", how));
    dropQueuedEvents();
    // The start's frames, then the quiet passes before the long rest.
    passesFor(400);
    // At 60 Hz a second and a half would be about 90 passes; resting until the
    // settings keeper's next check, a handful.
    const int still = passesFor(1500);
    EXPECT_LE(still, 12) << "the still desk went on passing at the frame rate";
    EXPECT_GE(still, 2) << "the rest never ended without input";

    // A node that goes by the clock alone after 1.2 s, showing nothing until
    // then: the rest ends when it is due, not a frame at a time.
    SceneNode* timer = createNode();
    playOneTrack(timer, expireTrack, 0.0, 0, 0, 0, 1200.0);
    addChild(shellState().rootNode, timer);
    const uint32_t armed = sceneState().frameTime;
    int passes = 0;
    while (!timer->removing && passes < 400) {
        runOnePass();
        ++passes;
    }
    ASSERT_TRUE(timer->removing) << "the timer never fired";
    EXPECT_GE(sceneState().frameTime - armed, 1200u) << "the timer fired before it was due";
    EXPECT_LE(passes, 20) << "the loop woke a frame at a time while waiting for the timer";

    // A pointer moved by another process wakes the long rest and its pass takes it.
    passesFor(300);
    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    const int toX = x == 61 ? 83 : 61;
    const std::string move = "xdotool mousemove " + std::to_string(toX) + " 97";
    int status = -1;
    std::thread mover([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        status = std::system(move.c_str());
    });
    bool moved = false;
    for (int i = 0; i < 50 && !moved; ++i) {
        runOnePass();
        moved = input().mouseX == toX && input().mouseY == 97;
    }
    mover.join();
    ASSERT_EQ(status, 0) << move;
    EXPECT_TRUE(moved) << "the pointer's move never reached the loop";
    shutDownForTest();
}
