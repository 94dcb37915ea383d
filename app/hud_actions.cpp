// The corner buttons' click tracks. Each press plays the button's sound; none of
// them opens a screen yet.
#include "app/hud_actions.h"

#include "engine/audio.h"
#include "engine/input.h"
#include "engine/pick.h"

// A click on the button, or its key while no screen is open (0: no key).
static bool pressed(int key) {
    if (isHoveredNoScreen() && input.leftClicked) return true;
    return key != 0 && !screenOpen && !subScreenOpen && isKeyPressed(key) && consumeKey();
}

static void pressButton(int key) {
    if (pressed(key)) playSound("button.wav", false);
}

void openExitAction(void*) { pressButton(SDLK_ESCAPE); }
void openHelpAction(void*) { pressButton(SDLK_F1); }
void openSetupAction(void*) { pressButton(0); }
