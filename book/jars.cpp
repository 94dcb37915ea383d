// The nine paint jars: a body of paint and glass that grows and tilts under the
// pointer, and a lid that swings open when the jar is clicked.
#include <cmath>

#include "engine/audio.h"
#include "engine/input.h"
#include "engine/pick.h"
#include "book/book_state.h"
#include "book/painting.h"
#include "book/star_burst.h"
#include "scene/load_model.h"

static const double lidX = -0.606, lidY = -0.001, lidZ = 0.612;

void buildJar(void*) {
    PaintColor paint = makePaint(currentTrack->a, currentTrack->b, currentTrack->c);

    SceneNode* lid = createNode();
    loadModel(lid, "interface.pak", "banka_kriska");
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
    loadModel(body, "interface.pak", "banka_kraska");
    loadModel(body, "interface.pak", "banka_steclo");
    setPaintColor(body, paint);
    playOneTrack(body, jarTrack, 0.0, 0, 0, 0, paint.red, paint.yellow, paint.blue, lid);

    addChild(body, lid);
    addChild(currentNode, body);
}

// Keeps the lid on the rim while the body grows: the hinge moves out with the scale.
static void placeLid(SceneNode* lid, double scale) {
    setPosition(lid, -0.12 * 5 * (scale - 1) + lidX, lidY, lidZ);
}

void jarTrack(void* arg) {
    SceneNode* body = currentNode;
    SceneNode* lid = static_cast<SceneNode*>(arg);
    double s = body->transform.scale.x;
    double d = currentTrack->t;

    if (isHoveredOn(ModalLevel::desk)) {
        if (s < 1.2) {
            scaleBy(body, d / 300, d / 300, d / 300);
            scaleBy(lid, d / 300, d / 300, d / 300);
            double grown = body->transform.scale.x;
            placeLid(lid, grown);
            if (grown >= 1.2) {
                setScale(body, 1.2, 1.2, 1.2);
                setScale(lid, 1.2, 1.2, 1.2);
                setPosition(lid, -0.726, lidY, lidZ);
            }
        }
        if (body->transform.rotation.x < 8) {
            rotate(body, d * 5 / 50, 0, 0);
            if (body->transform.rotation.x > 8) setRotation(body, 8, 0, 0);
        }
        if (input.leftClicked) {
            playSound("banka.wav", false);
            play(lid->actions, 0);
            starBurst(body, body->color, jarBurst);
            book.brushClean = false;
            book.brushColor = body->color;
        }
    } else {
        if (s > 1) {
            scaleBy(body, -d / 300, -d / 300, -d / 300);
            scaleBy(lid, -d / 300, -d / 300, -d / 300);
            double shrunk = body->transform.scale.x;
            placeLid(lid, shrunk);
            if (shrunk <= 1) {
                setScale(body, 1, 1, 1);
                setScale(lid, 1, 1, 1);
                setPosition(lid, lidX, lidY, lidZ);
            }
        }
        if (body->transform.rotation.x > 0) {
            rotate(body, -d * 5 / 50, 0, 0);
            if (body->transform.rotation.x < 0) setRotation(body, 0, 0, 0);
        }
    }
    currentTrack->t = 0;
}

void lidSwingTrack(void*) {
    const double pi = 3.14159265358978;
    double t = currentTrack->t;
    setRotation(currentNode, 0, -150 * std::sin(t / 1500 * pi), 0);
    if (t > 1500) {
        setRotation(currentNode, 0, 0, 0);
        currentTrack->finished = true;
    }
}
