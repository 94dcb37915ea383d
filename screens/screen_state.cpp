#include "screens/screen_state.h"

ScreenState screenState;

void resetScreens() { screenState = ScreenState(); }

void openScreen(TrackFn builder) {
    if (!screenState.layer || !builder) return;
    SceneNode* holder = createNode();
    playOneTrack(holder, builder, -1);
    addChild(screenState.layer, holder);
}

void runScreenAction(void (*action)()) {
    if (action) action();
}
