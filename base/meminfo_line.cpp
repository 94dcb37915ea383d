// Reading the kernel's estimate out of /proc/meminfo's text: plain strings, on
// every platform.
#include <cstring>

#include "base/available_memory.h"

int64_t memAvailableKilobytes(const char* meminfo) {
    static const char key[] = "MemAvailable:";
    for (const char* line = meminfo; line && *line;) {
        if (std::strncmp(line, key, sizeof key - 1) == 0) {
            const char* p = line + sizeof key - 1;
            while (*p == ' ' || *p == '\t') ++p;
            if (*p < '0' || *p > '9') return -1;
            int64_t value = 0;
            for (; *p >= '0' && *p <= '9'; ++p) {
                if (value > (INT64_MAX - 9) / 10) return -1;
                value = value * 10 + (*p - '0');
            }
            return value;
        }
        line = std::strchr(line, '\n');
        if (line) ++line;
    }
    return -1;
}
