// Whether the machine has memory to spare for what is prepared ahead (the
// screens' pictures and the pages beside the shown one). When it has not, all
// of that is let go and nothing more is prepared: screens and turns then read
// and decode what they need when they need it, slower but within what the
// machine has. Main thread only.
#pragma once
#include <cstdint>

struct SpareMemory {
    // The reading: bytes the system can still give, -1 when it does not say
    // (then memory counts as spare). Tests put their own here.
    int64_t (*available)() = nullptr;
    // Memory becomes tight below the first bound and spare again only above
    // the second, so that a reading near one bound does not make the program
    // let go and prepare again over and over.
    int64_t tightBelow = int64_t(200) << 20;
    int64_t spareAbove = int64_t(400) << 20;
    // Readings are taken at most this often.
    uint32_t everyMs = 2000;
    bool tight = false;
    bool read = false;
    uint32_t lastReadAt = 0;
};

SpareMemory& spareMemory();

// True while memory is tight, by the latest reading; reads again when everyMs
// have passed since the last reading (or none was taken yet).
bool memoryTight(uint32_t nowMs);
