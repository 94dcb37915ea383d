// The glass of water: a click with a loaded brush washes it clean. The wash
// burst of stars is thrown by the brush tip when it sees the brush clean.
#include "book/book_state.h"
#include "book/palette.h"
#include "engine/audio.h"
#include "engine/hover_swell.h"
#include "engine/pick.h"

namespace {

const Swell glassSwell = {1.0, 1.1, 300.0};
// Stands at -90 degrees about x and tilts towards the child by up to 7.
const Swell glassTilt = {-90.0, -83.0, 12.5};

void washBrush() {
    playSound("stakan.wav", false);
    book().washedColor = book().brushColor;
    book().brushClean = true;
    // The brush shows white; its paint amounts are left as they were.
    book().brushColor.r = book().brushColor.g = book().brushColor.b = 1.0;
}

}  // namespace

void glassTrack(void*) {
    SceneNode* glass = sceneState().currentNode;
    double ms = takeTrackTime();
    bool hovered = isHoveredOn(ModalLevel::desk);
    if (clickedOn(ModalLevel::desk) && !book().brushClean) washBrush();
    swellScale(glass, glassSwell, hovered, ms);
    swellTilt(glass, glassTilt, hovered, ms);
}
