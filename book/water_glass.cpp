// The glass of water: a click with a loaded brush washes it clean. The wash
// burst of stars is thrown by the brush tip when it sees the brush clean.
#include "book/book_state.h"
#include "book/palette.h"
#include "engine/audio.h"
#include "engine/input.h"
#include "engine/pick.h"

void glassTrack(void*) {
    SceneNode* glass = currentNode;
    double s = glass->transform.scale.x;
    double r = glass->transform.rotation.x;
    double d = currentTrack->t;
    currentTrack->t = 0;

    if (!isHoveredOn(ModalLevel::desk)) {
        if (s > 1) {
            scaleBy(glass, -d / 300, -d / 300, -d / 300);
            if (glass->transform.scale.x < 1) setScale(glass, 1, 1, 1);
        }
        if (r > -90) {
            rotate(glass, -d * 4 / 50, 0, 0);
            if (glass->transform.rotation.x < -90) setRotation(glass, -90, 0, 0);
        }
        return;
    }

    if (input.leftClicked && !book.brushClean) {
        playSound("stakan.wav", false);
        book.washedColor = book.brushColor;
        book.brushClean = true;
        // The brush shows white; its paint amounts are left as they were.
        book.brushColor.r = book.brushColor.g = book.brushColor.b = 1.0;
    }
    if (s < 1.1) {
        scaleBy(glass, d / 300, d / 300, d / 300);
        if (glass->transform.scale.x > 1.1) setScale(glass, 1.1, 1.1, 1.1);
    }
    // Tilts towards the child by up to 7 degrees.
    if (r < -83) {
        rotate(glass, d * 4 / 50, 0, 0);
        if (glass->transform.rotation.x > -83) setRotation(glass, -83, 0, 0);
    }
}
