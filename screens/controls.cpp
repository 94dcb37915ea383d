#include "screens/controls.h"

#include "base/gl.h"
#include "engine/audio.h"
#include "engine/hover_swell.h"
#include "engine/input.h"
#include "engine/pick.h"
#include "engine/switches.h"
#include "scene/load_model.h"
#include "screens/screen_entries.h"

namespace {

void addEndlessTrack(SceneNode* node, TrackFn fn, void* arg) {
    AnimTrack track;
    initTrack(track, 1, true, 0.0);
    setTrackFn(track, fn, arg);
    addTrack(node->actions, track);
}

}  // namespace

SceneNode* makePicture(SceneNode* parent, const char* archive, const char* entry, double x, double y, double z) {
    SceneNode* node = createNode();
    loadModel(node, archive, entry);
    setPosition(node, x, y, z);
    addChild(parent, node);
    return node;
}

SceneNode* makeButton(SceneNode* parent, const char* archive, const char* entry, double x, double y, double z,
                      TrackFn handler, void* handlerArg, ModalLevel level) {
    SceneNode* node = createNode();
    addCallback(node, pickableCallback, nullptr);
    loadModel(node, archive, entry);
    setPosition(node, x, y, z);
    // The click track runs before the hover track, so a click on a button that
    // is still growing fires at once: the growth is only for the eye.
    int32_t action = newAction(node->actions);
    addEndlessTrack(node, handler, handlerArg);
    addEndlessTrack(node, buttonSwellTrack, levelArg(level));
    play(node->actions, action);
    addChild(parent, node);
    return node;
}

SceneNode* makeCheckBox(SceneNode* parent, double x, double y, double z, bool* flag) {
    SceneNode* node = createNode();
    setPosition(node, x, y, z);
    // Shown as the opposite of the value, so the first watch adds the picture.
    playTrackWith(node, checkBoxWatch, 0.0, ownHandlerState(node, CheckBox{flag, !*flag}));
    addChild(parent, node);
    return node;
}

void checkBoxWatch(void* arg) {
    CheckBox* box = static_cast<CheckBox*>(arg);
    bool value = *box->flag;
    if (value == box->shown) return;
    box->shown = value;
    SceneNode* picture = createNode();
    loadModel(picture, commonArchive, value ? "check_enable" : "check_disable");
    addCallback(picture, pickableCallback, nullptr);
    playTrackWith(picture, checkBoxToggle, 0.0, box->flag);
    addChild(sceneState().currentNode, picture);
}

void checkBoxToggle(void* arg) {
    // Check boxes lie on top-level screens (setup, help). A second-level screen
    // over them (about, clear all) hides them, though its card takes no clicks
    // of its own: so, like the setup screen's buttons, a box reacts only while
    // no screen covers its own.
    if (!clickedOn(ModalLevel::screen)) return;
    bool* flag = static_cast<bool*>(arg);
    playSound("button.wav", false);
    setSwitch(*flag, !*flag);
    remove(sceneState().currentNode);
}


void closeScreen(void* holder) {
    // The key is looked at only when the click did not fire, and only while this
    // screen is the topmost one.
    if (!clickedOrKeyOn(ModalLevel::screen, SDLK_ESCAPE)) return;
    playSound("button.wav", false);
    closeModalScreen(static_cast<SceneNode*>(holder));
}

void closeSubScreen(void* holder) {
    if (!clickedOrKeyOn(ModalLevel::subScreen, SDLK_ESCAPE)) return;
    playSound("button.wav", false);
    closeModalScreen(static_cast<SceneNode*>(holder));
}
