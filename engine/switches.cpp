#include "engine/switches.h"

#include "base/gl.h"

Switches switches;

void setSwitch(bool& flag, bool value) {
    SDL_LockAudio();
    flag = value;
    SDL_UnlockAudio();
}
