#include "book/painting.h"

#include "app/audio.h"
#include "app/input.h"
#include "app/pick.h"
#include "book/page_store.h"

PaintColor brushColor = white;
bool brushClean = true;
PaintColor washedColor = white;
bool undoAvailable = false;
std::vector<SceneNode*> undoNodes;
std::vector<ElementColorRecord> undoRecords;
bool backButtonShown = false;

void resetPainting() {
    brushColor = white;
    brushClean = true;
    washedColor = white;
    endHistory();
    backButtonShown = false;
}

void endHistory() {
    undoAvailable = false;
    undoNodes.clear();
    undoRecords.clear();
}

void paintElementTrack(void*) {
    if (!(isHoveredNoScreen() && input.leftClicked)) return;
    playSound("scena.wav", false);

    int32_t k = currentTrack->i0;
    SceneNode* node = currentNode;
    bool painted = isElementPainted(k);
    bool paints = !brushClean && !(sameRyb(node->color, brushColor) && painted);

    if (paints) {
        ElementColorRecord before;
        before.element = k;
        before.painted = painted;
        before.color = node->color;
        undoAvailable = true;
        undoNodes.push_back(node);
        undoRecords.push_back(before);
        setPaintColor(node, brushColor);
        setElementColor(k, brushColor, true);
    } else if (painted) {
        // A clean brush (or one with this very paint) picks the region's paint up.
        brushClean = false;
        brushColor = getElementColor(k);
    }
}

void undoLastStep() {
    if (undoNodes.empty()) {
        undoAvailable = false;
        return;
    }
    size_t i = undoNodes.size() - 1;
    const ElementColorRecord& step = undoRecords[i];
    setPaintColor(undoNodes[i], step.color);
    setElementColor(step.element, step.color, step.painted);
    undoNodes.pop_back();
    undoRecords.pop_back();
    if (i == 0) undoAvailable = false;
}
