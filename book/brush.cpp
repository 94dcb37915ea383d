// The brush: a handle that follows the pointer and a tip that shows the paint.
#include "app/desk.h"
#include "book/painting.h"
#include "book/star_burst.h"
#include "resources/model.h"

void buildBrush(void*) {
    SceneNode* handle = createNode();
    setRotation(handle, -125, 0, 180);
    loadModel(handle, "interface.pak", "kist_ruchka");
    playOneTrack(handle, followPointerTrack, 0.0);
    addChild(currentNode, handle);

    SceneNode* tip = createNode();
    loadModel(tip, "interface.pak", "kist_vors_color");
    playOneTrack(tip, brushTipTrack, 0.0, 0);
    addChild(handle, tip);
}

// i0 remembers that the brush was loaded, so that washing it throws one burst.
void brushTipTrack(void*) {
    SceneNode* tip = currentNode;
    setPaintColor(tip, brushColor);
    if (!brushClean) {
        currentTrack->i0 = 1;
        setScale(tip, 1, 1, 1);
        return;
    }
    if (currentTrack->i0 != 0) {
        currentTrack->i0 = 0;
        starBurst(tip, washedColor, washBurst);
    }
    // A clean brush looks thinner.
    setScale(tip, 0.92, 0.92, 1);
}
