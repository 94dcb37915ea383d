#include "book/painting.h"

#include "engine/audio.h"
#include "engine/pick.h"
#include "book/book_state.h"
#include "book/page_store.h"

void endHistory() {
    book().undoAvailable = false;
    book().undoNodes.clear();
    book().undoRecords.clear();
}

void paintElementTrack(void* region) {
    if (!clickedOn(ModalLevel::desk)) return;
    playSound("scena.wav", false);

    int32_t k = static_cast<PageRegion*>(region)->element;
    SceneNode* node = sceneState().currentNode;
    bool painted = isElementPainted(k);
    bool paints = !book().brushClean && !(sameRyb(node->color, book().brushColor) && painted);

    if (paints) {
        ElementColorRecord before;
        before.element = k;
        before.painted = painted;
        before.color = node->color;
        book().undoAvailable = true;
        book().undoNodes.push_back(node);
        book().undoRecords.push_back(before);
        setPaintColor(node, book().brushColor);
        setElementColor(k, book().brushColor, true);
    } else if (painted) {
        // A clean brush (or one with this very paint) picks the region's paint up.
        book().brushClean = false;
        book().brushColor = getElementColor(k);
    }
}

void undoLastStep() {
    if (book().undoNodes.empty()) {
        book().undoAvailable = false;
        return;
    }
    size_t i = book().undoNodes.size() - 1;
    const ElementColorRecord& step = book().undoRecords[i];
    setPaintColor(book().undoNodes[i], step.color);
    setElementColor(step.element, step.color, step.painted);
    book().undoNodes.pop_back();
    book().undoRecords.pop_back();
    if (i == 0) book().undoAvailable = false;
}
