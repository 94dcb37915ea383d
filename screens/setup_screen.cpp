// The setup screen and the two screens that open over it.
#include "screens/chooser_entries.h"
#include "screens/chooser_screen.h"
#include "screens/controls.h"
#include "screens/languages.h"
#include "screens/screen_entries.h"
#include "screens/screen_state.h"
#include "screens/screens.h"
#include "screens/web_link.h"
#include "engine/audio.h"
#include "engine/input.h"
#include "engine/pick.h"
#include "engine/switches.h"
#include "scene/load_model.h"

namespace {

// A check box, or while the machine's policy fixes the switch, its picture alone.
void makeSwitchBox(SceneNode* panel, double x, double y, double z, bool* flag, bool fixed) {
    if (!fixed) {
        makeCheckBox(panel, x, y, z, flag);
        return;
    }
    makePicture(panel, commonArchive, *flag ? "check_enable" : "check_disable", x, y, z);
}

}  // namespace

void openSetupScreen() {
    SceneNode* holder = openScreen(ModalLevel::screen, buildSetupScreen);
    if (holder) loadModel(holder, commonArchive, "menu_alpha");
}

void buildSetupScreen(void*) {
    SceneNode* holder = sceneState().currentNode;
    const char* words = languageArchive();
    SceneNode* panel = makePicture(holder, words, "setup", 0.245, -81.5, 0.258);
    makeSwitchBox(panel, -3.212, -0.635, 1.498, &switches().soundOn, screenState().locks.soundFixed);
    makeSwitchBox(panel, -3.212, -0.635, 0.684, &switches().musicOn, screenState().locks.musicFixed);
    // After the panel, so that it sees a click on the music box in the same frame.
    SceneNode* watcher = createNode();
    playTrackWith(watcher, musicWatch, 0.0, ownHandlerState(watcher, MusicWatch{switches().musicOn}));
    addChild(holder, watcher);
    setModalCloseControl(holder, makeButton(panel, commonArchive, "button_close", 3.848, -0.609, 2.171, closeScreen,
                                            holder, ModalLevel::screen));
    makeButton(panel, words, "setup_button_about", 1.886, -0.635, -1.669, openAboutAction, nullptr,
               ModalLevel::screen);
    // The child painting now, back to "Who is painting?": in the empty middle,
    // well away from the check boxes and the close button, and halfway between
    // the longest music label (Russian) and the flowers.
    if (const char* badge = chooserMenuEntry())
        makeButton(panel, chooserArchive, badge, 0.3, -0.635, 0.9, backToChooserAction, holder, ModalLevel::screen);
    if (!screenState().locks.noClearAll)
        makeButton(panel, words, "setup_button_clearall", -2.629, -0.635, -0.501, openClearAllAction, nullptr,
                   ModalLevel::screen);
    if (!screenState().locks.noParentsLink)
        makeButton(panel, words, "setup_button_web", -2.156, -0.635, -1.669, openWebSiteAction, nullptr,
                   ModalLevel::screen);
}

void musicWatch(void* arg) {
    MusicWatch* watch = static_cast<MusicWatch*>(arg);
    bool on = switches().musicOn;
    if (on && !watch->wasOn) playSound("music.wav", true);
    watch->wasOn = on;
}

void openAboutAction(void*) {
    if (!clickedOn(ModalLevel::screen)) return;
    playSound("button.wav", false);
    openScreen(ModalLevel::subScreen, buildAboutScreen);
}

void openClearAllAction(void*) {
    if (!clickedOn(ModalLevel::screen)) return;
    playSound("button.wav", false);
    openScreen(ModalLevel::subScreen, buildClearAllScreen);
}

void buildAboutScreen(void*) {
    SceneNode* holder = sceneState().currentNode;
    SceneNode* panel = makePicture(holder, pictureArchive(), "about", 0.245, -82.5, 0.258);
    makeButton(panel, languageArchive(), "button_ok", -0.078, -0.155, -1.378, closeSubScreen, holder,
               ModalLevel::subScreen);
}

void buildClearAllScreen(void*) {
    SceneNode* holder = sceneState().currentNode;
    const char* words = languageArchive();
    SceneNode* panel = makePicture(holder, words, "menu_clearall", 0.245, -82.5, 0.258);
    // Cancel on the left and OK on the right here, unlike the other confirmations.
    SceneNode* cancel = makeButton(panel, words, "button_cancel", -1.515, -0.155, -0.871, closeSubScreen, holder,
                                   ModalLevel::subScreen);
    setModalFocusStart(holder, cancel);
    makeButton(panel, words, "button_ok", 1.515, -0.155, -0.871, confirmClearAllAction, holder,
               ModalLevel::subScreen);
}
