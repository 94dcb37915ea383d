// The switches a family sets: help at start, sound effects, music, and the
// interface language. They are kept in the settings file.
//
// Thread boundary: the audio thread reads soundOn and musicOn inside the mixing
// callback, which runs under SDL's audio lock. The main thread changes them only
// through setSwitch, under the same lock.
#pragma once
#include <cstdint>

struct Switches {
    bool showHelpAtStart = true;
    bool soundOn = true;
    bool musicOn = true;
    int32_t language = 0;  // 0 English, 1 German, 2 Spanish, 3 Russian, 4 French
};

Switches& switches();

// Writes one of the switches' flags under the audio lock.
void setSwitch(bool& flag, bool value);
