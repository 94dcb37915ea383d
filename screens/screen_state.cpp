#include "screens/screen_state.h"

ScreenState screenState;

void resetScreens() { screenState = ScreenState(); }

SceneNode* openScreen(ModalLevel level, TrackFn builder) {
    return openModalScreen(screenState.layer, level, builder);
}

void runScreenAction(void (*action)()) {
    if (action) action();
}
