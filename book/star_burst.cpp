#include "book/star_burst.h"

#include <cstdlib>

#include "book/book_state.h"
#include "scene/load_model.h"
#include "resources/desk_entries.h"

namespace {

const int starsPerBurst = 20;
const double jarLifetimeMs = 700, washLifetimeMs = 420;
const double twoPi = 6.28318530717956;

AnimTrack endlessTrack(TrackFn fn, int32_t axis, double a, double b, double c) {
    AnimTrack track;
    initTrack(track, 1, true, 0.0);
    setTrackFn(track, fn, axis, a, b, c);
    return track;
}

SceneNode* makeStar(PaintColor color, StarBurstKind kind) {
    SceneNode* star = createNode();
    loadModel(star, deskArchive, deskEntry::star);
    setRotation(star, -90, 0, 0);
    if (kind == washBurst) setScale(star, 0.18, 0.18, 0.18);
    setPaintColor(star, color);
    // Spins at 100 to 399 degrees a second about its own axis, and shrinks.
    newAction(star->actions);
    addTrack(star->actions, endlessTrack(rotateLinear, 2, randomBelow(300) + 100, 1.0, 0));
    addTrack(star->actions, endlessTrack(kind == jarBurst ? starScaleJar : starScaleBrush, 0, 0, 0, 0));
    play(star->actions, star->actions.current);
    return star;
}

// The carrier sways on every axis, removes itself at the end of its lifetime and
// drifts away from the parent at whole-step speeds.
SceneNode* makeCarrier(StarBurstKind kind) {
    SceneNode* carrier = createNode();
    newAction(carrier->actions);
    for (int32_t axis = 0; axis < 3; ++axis) {
        double amplitude = randomBelow(20) / 10;  // 0 or 1
        double frequency = randomBelow(50) / 10;  // 0..4 radians a second
        double phase = twoPi * randomBelow(100) / 100;
        addTrack(carrier->actions, endlessTrack(oscillatePosition, axis, amplitude, frequency, phase));
    }
    if (kind == jarBurst) {
        addTrack(carrier->actions, endlessTrack(expireTrack, 0, jarLifetimeMs, 0, 0));
        addTrack(carrier->actions, endlessTrack(moveLinear, 0, 2.0 - randomBelow(40) / 10, 0, 0));
        addTrack(carrier->actions, endlessTrack(moveLinear, 2, 2.0 + randomBelow(60) / 10, 0, 0));
    } else {
        addTrack(carrier->actions, endlessTrack(expireTrack, 0, washLifetimeMs, 0, 0));
        for (int32_t axis : {0, 2, 1})
            addTrack(carrier->actions, endlessTrack(moveLinear, axis, 2.5 - randomBelow(50) / 10, 0, 0));
    }
    play(carrier->actions, carrier->actions.current);
    return carrier;
}

}  // namespace

int randomBelow(int n) { return n > 0 ? std::rand() % n : 0; }

void starBurst(SceneNode* parent, PaintColor color, StarBurstKind kind) {
    if (!parent || !book().starBursts) return;
    for (int i = 0; i < starsPerBurst; ++i) {
        SceneNode* star = makeStar(color, kind);
        SceneNode* carrier = makeCarrier(kind);
        addChild(carrier, star);
        addChild(parent, carrier);
    }
}

void starScaleJar(void*) {
    double s = (sceneState().currentTrack->t / -700 + 1.3) * 0.3;
    setScale(sceneState().currentNode, s, s, s);
}

void starScaleBrush(void*) {
    double s = (sceneState().currentTrack->t / -350 + 1.3) * 0.18;
    setScale(sceneState().currentNode, s, s, s);
}
