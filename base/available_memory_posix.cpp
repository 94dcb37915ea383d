// The memory left to give, as Linux reports it.
#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>

#include "base/available_memory.h"

int64_t availableMemoryBytes() {
    int fd = open("/proc/meminfo", O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    // The line comes third; the first kilobytes hold it on every kernel since 3.14.
    char text[2048];
    ssize_t got = read(fd, text, sizeof text - 1);
    close(fd);
    if (got <= 0) return -1;
    text[got] = '\0';
    int64_t kilobytes = memAvailableKilobytes(text);
    return kilobytes < 0 ? -1 : kilobytes * 1024;
}
#endif
