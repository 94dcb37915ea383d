#include "engine/switches.h"

#include "base/gl.h"

Switches& switches() {
    static Switches set;
    return set;
}

void setSwitch(bool& flag, bool value) {
    SDL_LockAudio();
    flag = value;
    SDL_UnlockAudio();
}
