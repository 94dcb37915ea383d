// The corner buttons' click tracks: each opens its screen. They act on a click
// while no screen is open, or on their key while neither screen level is open;
// only a press that fires plays the button's sound.
#include "app/hud_actions.h"

#include "engine/audio.h"
#include "engine/pick.h"
#include "screens/screen_state.h"
#include "screens/screens.h"

void openExitAction(void*) {
    if (!clickedOrKeyOn(ModalLevel::desk, SDLK_ESCAPE)) return;
    playSound("button.wav", false);
    openExitScreen();
}

void openHelpAction(void*) {
    if (!clickedOrKeyOn(ModalLevel::desk, SDLK_F1)) return;
    playSound("button.wav", false);
    openScreen(ModalLevel::screen, buildHelpScreen);
}

void openSetupAction(void*) {
    if (!clickedOn(ModalLevel::desk)) return;
    playSound("button.wav", false);
    openSetupScreen();
}
