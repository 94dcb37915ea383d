#include "base/descriptor_wait.h"

#ifndef _WIN32
#include <poll.h>

#include "base/platform.h"

bool waitUntilReadable(int fd, int milliseconds) {
    if (fd < 0) return false;
    pollfd watched[2] = {};
    watched[0].fd = fd;
    watched[0].events = POLLIN;
    // A termination signal wakes the wait wherever it landed (see
    // terminationWakeDescriptor); a negative descriptor is skipped by poll.
    watched[1].fd = terminationWakeDescriptor();
    watched[1].events = POLLIN;
    // An interrupted wait (EINTR) counts as a wait: the caller looks again. A
    // descriptor that is closed, broken or hung up would answer every wait at
    // once, so it counts as none and the caller sleeps its own way.
    const int ready = poll(watched, 2, milliseconds < 0 ? 0 : milliseconds);
    return !(ready > 0 && (watched[0].revents & (POLLERR | POLLHUP | POLLNVAL)));
}
#else
bool waitUntilReadable(int, int) { return false; }
#endif
