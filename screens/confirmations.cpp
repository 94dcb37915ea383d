// The exit and clear-page confirmations, and the OK buttons of all three.
#include "screens/controls.h"
#include "screens/languages.h"
#include "screens/screen_entries.h"
#include "screens/screen_hooks.h"
#include "screens/screen_state.h"
#include "screens/screens.h"
#include "engine/audio.h"
#include "engine/input.h"
#include "engine/pick.h"

namespace {

// The exit and clear-page confirmations differ only in their panel and OK.
// The focus of keys and switches starts on Cancel: a press that was meant for
// something else keeps the painting and the program.
void buildConfirmation(const char* panelEntry, TrackFn ok, ModalLevel level, const char* panelArchive = nullptr) {
    SceneNode* holder = sceneState().currentNode;
    const char* words = languageArchive();
    const bool over = level == ModalLevel::subScreen;
    SceneNode* backdrop = makePicture(holder, commonArchive, "menu_alpha", 0, over ? -1 : 0, 0);
    SceneNode* panel = makePicture(backdrop, panelArchive ? panelArchive : words, panelEntry, 0.245, -81.5, 0.258);
    makeButton(panel, words, "button_ok", -1.515, -0.155, -0.871, ok, holder, level);
    SceneNode* cancel = makeButton(panel, words, "button_cancel", 1.649, -0.155, -0.871,
                                   over ? closeSubScreen : closeScreen, holder, level);
    setModalFocusStart(holder, cancel);
}

// The exit question: the usual panel promises the pictures will be there next
// time; when they cannot be kept, another panel says so instead, in pictures
// and in words.
void buildExitQuestion(TrackFn ok, ModalLevel level) {
    bool kept = !screenHooks().paintingsKept || screenHooks().paintingsKept();
    const char* unkept = kept ? nullptr : unkeptExitArchive();
    if (unkept) buildConfirmation(unkeptExitEntry, ok, level, unkept);
    else buildConfirmation("menu_exit", ok, level);
}

}  // namespace

void buildExitScreen(void*) { buildExitQuestion(confirmExitAction, ModalLevel::screen); }
void buildExitOverScreen(void*) { buildExitQuestion(confirmExitOverScreenAction, ModalLevel::subScreen); }
void buildClearPageScreen(void*) { buildConfirmation("menu_clear", confirmClearPageAction, ModalLevel::screen); }

void openExitScreen() {
    // Main thread only. 0: no unanswered press.
    static uint32_t unansweredAt = 0;
    const uint32_t kSecondPressWithinMs = 2000;
    if (openScreen(ModalLevel::screen, buildExitScreen) || screenArchivesUsable()) {
        unansweredAt = 0;
        return;
    }
    if (unansweredAt != 0 && sceneState().frameTime - unansweredAt <= kSecondPressWithinMs) {
        unansweredAt = 0;
        runScreenAction(screenHooks().quit);
        return;
    }
    unansweredAt = sceneState().frameTime | 1;
}

void openClearPageScreen() { openScreen(ModalLevel::screen, buildClearPageScreen); }

void confirmExitAction(void*) {
    if (!clickedOrKeyOn(ModalLevel::screen, SDLK_RETURN)) return;
    runScreenAction(screenHooks().quit);
}

void confirmExitOverScreenAction(void*) {
    if (!clickedOrKeyOn(ModalLevel::subScreen, SDLK_RETURN)) return;
    runScreenAction(screenHooks().quit);
}

void confirmClearPageAction(void* holder) {
    if (!clickedOrKeyOn(ModalLevel::screen, SDLK_RETURN)) return;
    closeModalScreen(static_cast<SceneNode*>(holder));
    runScreenAction(screenHooks().clearPage);
}

void confirmClearAllAction(void* holder) {
    if (!clickedOrKeyOn(ModalLevel::subScreen, SDLK_RETURN)) return;
    playSound("button.wav", false);
    closeModalScreen(static_cast<SceneNode*>(holder));
    runScreenAction(screenHooks().clearAll);
}
