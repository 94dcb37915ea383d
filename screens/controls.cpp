#include "screens/controls.h"

#include "base/gl.h"
#include "engine/audio.h"
#include "engine/input.h"
#include "engine/pick.h"
#include "engine/switches.h"
#include "scene/load_model.h"

namespace {

const double kGrownScale = 1.1;
const double kGrowthPerMs = 1.0 / 1100.0;  // 1.0 to 1.1 in 110 ms
const char kCommonArchive[] = "langall.pak";

bool hoveredIn(int32_t hoverMode) {
    if (hoverMode == hoverTopLevel) return isHoveredOn(ModalLevel::screen);
    if (hoverMode == hoverSecondLevel) return isHovered();
    return false;
}

void addEndlessTrack(SceneNode* node, TrackFn fn, void* arg, int32_t i0 = 0) {
    AnimTrack track;
    initTrack(track, 1, true, 0.0);
    setTrackFn(track, fn, arg);
    track.i0 = i0;
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
                      TrackFn handler, void* handlerArg, HoverMode hoverMode) {
    SceneNode* node = createNode();
    addCallback(node, pickableCallback, nullptr);
    loadModel(node, archive, entry);
    setPosition(node, x, y, z);
    // The click track runs before the hover track, so a click on a button that
    // is still growing fires at once: the growth is only for the eye.
    int32_t action = newAction(node->actions);
    addEndlessTrack(node, handler, handlerArg);
    addEndlessTrack(node, hoverGrow, nullptr, hoverMode);
    play(node->actions, action);
    addChild(parent, node);
    return node;
}

SceneNode* makeCheckBox(SceneNode* parent, double x, double y, double z, bool* flag) {
    SceneNode* node = createNode();
    setPosition(node, x, y, z);
    // Shown as the opposite of the value, so the first watch adds the picture.
    playOneTrack(node, checkBoxWatch, 0.0, *flag ? 0 : 1, 0, 0, 0, 0, 0, flag);
    addChild(parent, node);
    return node;
}

void checkBoxWatch(void* arg) {
    bool* flag = static_cast<bool*>(arg);
    int32_t value = *flag ? 1 : 0;
    if (value == currentTrack->i0) return;
    currentTrack->i0 = value;
    SceneNode* picture = createNode();
    loadModel(picture, kCommonArchive, value ? "check_enable" : "check_disable");
    addCallback(picture, pickableCallback, nullptr);
    playOneTrack(picture, checkBoxToggle, 0.0, 0, 0, 0, 0, 0, 0, flag);
    addChild(currentNode, picture);
}

void checkBoxToggle(void* arg) {
    if (!(isHovered() && input.leftClicked)) return;
    bool* flag = static_cast<bool*>(arg);
    playSound("button.wav", false);
    setSwitch(*flag, !*flag);
    remove(currentNode);
}

void hoverGrow(void*) {
    SceneNode* node = currentNode;
    double step = currentTrack->t * kGrowthPerMs;
    double s = node->transform.scale.x;
    if (hoveredIn(currentTrack->i0)) {
        if (s < kGrownScale) {
            scaleBy(node, step, step, step);
            if (node->transform.scale.x > kGrownScale) setScale(node, kGrownScale, kGrownScale, kGrownScale);
        }
    } else if (s > 1.0) {
        scaleBy(node, -step, -step, -step);
        if (node->transform.scale.x < 1.0) setScale(node, 1.0, 1.0, 1.0);
    }
    currentTrack->t = 0;
}

bool returnPressed() { return isKeyPressed(SDLK_RETURN) && consumeKey(); }
bool escapePressed() { return isKeyPressed(SDLK_ESCAPE) && consumeKey(); }

void closeScreen(void* holder) {
    // The key is looked at only when the click did not fire, and only while this
    // screen is the topmost one.
    bool fired = (isHoveredOn(ModalLevel::screen) && input.leftClicked) ||
                 (topmostOpenLevel() == ModalLevel::screen && escapePressed());
    if (!fired) return;
    playSound("button.wav", false);
    closeModalScreen(static_cast<SceneNode*>(holder));
}

void closeSubScreen(void* holder) {
    bool fired = (isHovered() && input.leftClicked) || escapePressed();
    if (!fired) return;
    playSound("button.wav", false);
    closeModalScreen(static_cast<SceneNode*>(holder));
}
