// The brush: a handle that follows the pointer and a tip that shows the paint.
#include "book/book_state.h"
#include "engine/camera.h"
#include "engine/input.h"
#include "book/painting.h"
#include "book/star_burst.h"
#include "scene/load_model.h"
#include "resources/desk_entries.h"

void buildBrush(void*) {
    SceneNode* handle = createNode();
    setRotation(handle, -125, 0, 180);
    loadModel(handle, deskArchive, deskEntry::brushHandle);
    playOneTrack(handle, followPointerTrack, 0.0);
    addChild(sceneState().currentNode, handle);

    SceneNode* tip = createNode();
    loadModel(tip, deskArchive, deskEntry::brushTip);
    playTrackWith(tip, brushTipTrack, 0.0, ownHandlerState(tip, BrushTip()));
    addChild(handle, tip);
}

void brushTipTrack(void* arg) {
    BrushTip* state = static_cast<BrushTip*>(arg);
    SceneNode* tip = sceneState().currentNode;
    setPaintColor(tip, book().brushColor);
    if (!book().brushClean) {
        state->wasLoaded = true;
        setScale(tip, 1, 1, 1);
        return;
    }
    if (state->wasLoaded) {
        state->wasLoaded = false;
        starBurst(tip, book().washedColor, washBurst);
    }
    // A clean brush looks thinner.
    setScale(tip, 0.92, 0.92, 1);
}

void followPointerTrack(void*) {
    double edgeX = viewEdgeX(-17), edgeY = viewEdgeY(-17);
    double w = camera() ? camera()->width : 1, h = camera() ? camera()->height : 1;
    if (w <= 0) w = 1;
    if (h <= 0) h = 1;
    setPosition(sceneState().currentNode, -edgeX * (2.0 * input().mouseX / w - 1), edgeY * (2.0 * input().mouseY / h - 1), 83);
}
