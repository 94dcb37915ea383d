#include "base/descriptor_wait.h"

#ifndef _WIN32
#include <poll.h>

bool waitUntilReadable(int fd, int milliseconds) {
    if (fd < 0) return false;
    pollfd watched{};
    watched.fd = fd;
    watched.events = POLLIN;
    // An interrupted wait (EINTR) counts as a wait: the caller looks again. A
    // descriptor that is closed, broken or hung up would answer every wait at
    // once, so it counts as none and the caller sleeps its own way.
    const int ready = poll(&watched, 1, milliseconds < 0 ? 0 : milliseconds);
    return !(ready > 0 && (watched.revents & (POLLERR | POLLHUP | POLLNVAL)));
}
#else
bool waitUntilReadable(int, int) { return false; }
#endif
