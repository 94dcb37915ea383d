// The corner buttons' click tracks: each opens its screen. They act on a click
// while no screen is open, or on their key while neither screen level is open;
// only a press that fires plays the button's sound.
#include "app/hud_actions.h"

#include "engine/audio.h"
#include "engine/input.h"
#include "engine/pick.h"
#include "screens/screen_state.h"
#include "screens/screens.h"

namespace {

// A click on the button, or its key while no screen is open (0: no key).
bool pressed(int key) {
    if (isHoveredOn(ModalLevel::desk) && input.leftClicked) return true;
    return key != 0 && topmostOpenLevel() == ModalLevel::desk && isKeyPressed(key) && consumeKey();
}

}  // namespace

void openExitAction(void*) {
    if (!pressed(SDLK_ESCAPE)) return;
    playSound("button.wav", false);
    openExitScreen();
}

void openHelpAction(void*) {
    if (!pressed(SDLK_F1)) return;
    playSound("button.wav", false);
    openScreen(ModalLevel::screen, buildHelpScreen);
}

void openSetupAction(void*) {
    if (!pressed(0)) return;
    playSound("button.wav", false);
    openSetupScreen();
}
