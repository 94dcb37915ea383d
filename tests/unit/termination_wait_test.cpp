// The rest between frames ends on a termination signal wherever it lands: on
// another thread of the program (the picture worker, the settings writer), or
// on the main thread just before it goes to sleep. Each case runs in a child
// process of its own, since a caught termination cannot be taken back.
#ifndef _WIN32
#include <gtest/gtest.h>
#include <pthread.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

#include "base/descriptor_wait.h"
#include "base/platform.h"

namespace {

// Waits on a pipe nothing is ever written to, for at most 30 s; exits 0 when
// the wait ended long before that with the termination noted.
[[noreturn]] void waitForTheSignal(void (*send)()) {
    catchTerminationSignals();
    int quiet[2];
    if (pipe(quiet) != 0) std::exit(2);
    const auto started = std::chrono::steady_clock::now();
    send();
    const bool waited = waitUntilReadable(quiet[0], 30000);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::exit(waited && terminationRequested() && seconds < 15 ? 0 : 1);
}

TEST(TerminationWait, ASignalOnAnyThreadEndsTheRest) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // Another thread takes the signal while the main thread sleeps.
    EXPECT_EXIT(waitForTheSignal([] {
                    std::thread([] {
                        std::this_thread::sleep_for(std::chrono::milliseconds(200));
                        pthread_kill(pthread_self(), SIGTERM);
                    }).detach();
                }),
                ::testing::ExitedWithCode(0), "");
    // The main thread takes it after looking at the flag, before it sleeps.
    EXPECT_EXIT(waitForTheSignal([] { pthread_kill(pthread_self(), SIGHUP); }), ::testing::ExitedWithCode(0), "");
}

}  // namespace
#endif  // Windows ends the session with a message, not a signal
