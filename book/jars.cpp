// The nine paint jars: a body of paint and glass that grows and tilts under the
// pointer, and a lid that swings open when the jar is clicked.
#include <cmath>

#include "engine/audio.h"
#include "engine/hover_swell.h"
#include "engine/pick.h"
#include "book/book_state.h"
#include "book/painting.h"
#include "book/star_burst.h"
#include "scene/load_model.h"
#include "resources/desk_entries.h"

namespace {

const double lidX = -0.606, lidY = -0.001, lidZ = 0.612;
// The lid's hinge when the jar has swollen fully.
const double swollenLidX = -0.726;
const Swell jarSwell = {1.0, 1.2, 300.0};
const Swell jarTilt = {0.0, 8.0, 10.0};  // degrees about x

// Keeps the lid on the rim while the body grows: the hinge moves out with the scale.
void placeLid(SceneNode* lid, double scale) {
    double x = scale == jarSwell.rest ? lidX : scale == jarSwell.swollen ? swollenLidX
                                                                         : -0.12 * 5 * (scale - 1) + lidX;
    setPosition(lid, x, lidY, lidZ);
}

void swellJar(SceneNode* body, SceneNode* lid, bool hovered, double ms) {
    double before = body->transform.scale.x;
    double scale = swellScale(body, jarSwell, hovered, ms);
    if (scale != before) {
        setScale(lid, scale, scale, scale);
        placeLid(lid, scale);
    }
    swellTilt(body, jarTilt, hovered, ms);
}

// The brush takes the jar's paint; the lid swings and stars fly.
void dipBrush(SceneNode* body, SceneNode* lid) {
    playSound("banka.wav", false);
    if (book().lidSwings) play(lid->actions, 0);
    starBurst(body, body->color, jarBurst);
    book().brushClean = false;
    book().brushColor = body->color;
}

}  // namespace

void buildJar(void* arg) {
    const JarPaint* p = static_cast<const JarPaint*>(arg);
    PaintColor paint = makePaint(p->red, p->yellow, p->blue);

    SceneNode* lid = createNode();
    loadModel(lid, deskArchive, deskEntry::jarLid);
    setPaintColor(lid, paint);
    setPosition(lid, lidX, lidY, lidZ);
    // The swing is played by each click, not now.
    AnimTrack swing;
    initTrack(swing, 1, true, 0.0);
    setTrackFn(swing, lidSwingTrack, nullptr);
    newAction(lid->actions);
    addTrack(lid->actions, swing);

    SceneNode* body = createNode();
    addCallback(body, pickableCallback, nullptr);
    loadModel(body, deskArchive, deskEntry::jarPaint);
    loadModel(body, deskArchive, deskEntry::jarGlass);
    setPaintColor(body, paint);
    playTrackWith(body, jarTrack, 0.0, ownHandlerState(body, Jar{lid}));

    addChild(body, lid);
    addChild(sceneState().currentNode, body);
}

void jarTrack(void* arg) {
    SceneNode* body = sceneState().currentNode;
    SceneNode* lid = static_cast<Jar*>(arg)->lid;
    swellJar(body, lid, isHoveredOn(ModalLevel::desk), takeTrackTime());
    if (clickedOn(ModalLevel::desk)) dipBrush(body, lid);
}

void lidSwingTrack(void*) {
    const double pi = 3.14159265358978;
    double t = sceneState().currentTrack->t;
    setRotation(sceneState().currentNode, 0, -150 * std::sin(t / 1500 * pi), 0);
    if (t > 1500) {
        setRotation(sceneState().currentNode, 0, 0, 0);
        sceneState().currentTrack->finished = true;
    }
}
