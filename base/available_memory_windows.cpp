// The memory left to give, as Windows reports it.
#ifdef _WIN32
#include <windows.h>

#include "base/available_memory.h"

int64_t availableMemoryBytes() {
    MEMORYSTATUSEX status;
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) return -1;
    return int64_t(status.ullAvailPhys);
}
#endif
