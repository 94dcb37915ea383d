#include "engine/engine_state.h"

#include "engine/input.h"
#include "engine/pick.h"
#include "engine/switches.h"

void resetEngineState() {
    input = InputState();
    pickState.pickables.clear();
    pickState.candidates.clear();
    pickState.hovered = nullptr;
    screenOpen = false;
    subScreenOpen = false;
    setSwitch(switches.showHelpAtStart, true);
    setSwitch(switches.soundOn, true);
    setSwitch(switches.musicOn, true);
    switches.language = 0;
}
