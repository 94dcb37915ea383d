#include "book/page_turn.h"

#include "base/gl.h"
#include "engine/audio.h"
#include "engine/input.h"
#include "engine/pick.h"

namespace {

// A click on the arrow, or its key while no screen is open.
bool pressed(int key) {
    if (isHoveredNoScreen() && input.leftClicked) return true;
    return !screenOpen && !subScreenOpen && isKeyPressed(key) && consumeKey();
}

}  // namespace

// The arrows play their sound and turn nothing.
void previousPageAction(void*) {
    if (pressed(SDLK_LEFT)) playSound("button.wav", false);
}

void nextPageAction(void*) {
    if (pressed(SDLK_RIGHT)) playSound("button.wav", false);
}

// The watchers create no buttons.
void clearButtonWatch(void*) {}
void backButtonWatch(void*) {}
