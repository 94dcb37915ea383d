// How much memory the system could still give without swapping.
#pragma once
#include <cstdint>

// Bytes the system says it can give to programs without swapping, -1 when it
// does not say. Linux: MemAvailable in /proc/meminfo (the kernel's own
// estimate: free memory plus the caches it can drop). Windows: ullAvailPhys of
// GlobalMemoryStatusEx. A read of a small file or one call; cheap enough every
// few seconds, not every frame.
int64_t availableMemoryBytes();

// The number of kilobytes on the "MemAvailable:" line of a /proc/meminfo text,
// -1 when the line is missing or its number cannot be read.
int64_t memAvailableKilobytes(const char* meminfo);
