// The kernel's estimate of memory left, read out of /proc/meminfo's text; an
// answer it cannot read counts as unknown, never as a number.
#include <gtest/gtest.h>

#include "base/available_memory.h"

TEST(AvailableMemory, TheKernelsLineIsReadAndAnythingElseIsUnknown) {
    EXPECT_EQ(memAvailableKilobytes("MemTotal:       24683752 kB\nMemFree:        21826348 kB\n"
                                    "MemAvailable:   23936392 kB\nBuffers:           43696 kB\n"),
              23936392);
    EXPECT_EQ(memAvailableKilobytes("MemAvailable:\t0 kB"), 0);
    EXPECT_EQ(memAvailableKilobytes("MemTotal: 1 kB\nMemFree: 2 kB\n"), -1);
    EXPECT_EQ(memAvailableKilobytes("MemAvailable: kB\n"), -1);
    EXPECT_EQ(memAvailableKilobytes("MemAvailable: 99999999999999999999999 kB\n"), -1);
    EXPECT_EQ(memAvailableKilobytes("NotMemAvailable: 5 kB\n"), -1);
    EXPECT_EQ(memAvailableKilobytes(""), -1);
#ifdef __linux__
    EXPECT_GT(availableMemoryBytes(), 0);
#endif
}
