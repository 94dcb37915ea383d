#include "engine/hover_swell.h"

#include "engine/pick.h"

namespace {

// Reduced motion's two switches for this file's tracks (main thread only), set
// by setHoverSwellOn / setSwellInstant and put back by resetEngineState.
bool swellingOn = true;
bool instantSteps = false;
const ModalLevel levels[] = {ModalLevel::desk, ModalLevel::screen, ModalLevel::subScreen};

}  // namespace

void setHoverSwellOn(bool on) { swellingOn = on; }
void setSwellInstant(bool instant) { instantSteps = instant; }

double swellStep(const Swell& swell, double value, bool hovered, double elapsedMs) {
    double target = hovered && swellingOn ? swell.swollen : swell.rest;
    if (instantSteps) return target;
    double step = elapsedMs / swell.msPerUnit;
    if (value < target) return value + step > target ? target : value + step;
    if (value > target) return value - step < target ? target : value - step;
    return value;
}

double swellScale(SceneNode* node, const Swell& swell, bool hovered, double elapsedMs) {
    double s = node->transform.scale.x;
    double next = swellStep(swell, s, hovered, elapsedMs);
    if (next != s) setScale(node, next, next, next);
    return next;
}

void swellTilt(SceneNode* node, const Swell& swell, bool hovered, double elapsedMs) {
    const Vec3& r = node->transform.rotation;
    double tilt = swellStep(swell, r.x, hovered, elapsedMs);
    if (tilt != r.x) setRotation(node, tilt, r.y, r.z);
}

void buttonSwellTrack(void* level) {
    ModalLevel on = level ? *static_cast<const ModalLevel*>(level) : ModalLevel::desk;
    swellScale(sceneState().currentNode, buttonSwell, isHoveredOn(on), takeTrackTime());
}

void* levelArg(ModalLevel level) { return const_cast<ModalLevel*>(&levels[static_cast<int>(level)]); }
