#include "screens/screen_state.h"

#include "screens/languages.h"

ScreenState& screenState() {
    static ScreenState screens;
    return screens;
}

void resetScreens() {
    screenState() = ScreenState();
    resetScreenArchiveChecks();
}

SceneNode* openScreen(ModalLevel level, TrackFn builder) {
    // A screen that cannot be built whole is not opened at all: the button that
    // asked has played its sound, and the desk stays as it was.
    if (!screenArchivesUsable()) return nullptr;
    return openModalScreen(screenState().layer, level, builder);
}

void runScreenAction(void (*action)()) {
    if (action) action();
}
