#include "book/page_turn.h"

#include "base/gl.h"
#include "book/book_state.h"
#include "book/page_store.h"
#include "book/painting.h"
#include "engine/audio.h"
#include "engine/input.h"
#include "engine/pick.h"
#include "scene/load_model.h"

namespace {

const int32_t backMode = 0, clearMode = 1;

// A click on the arrow, or its key while no screen is open.
bool pressed(int key) {
    if (isHoveredOn(ModalLevel::desk) && input.leftClicked) return true;
    return topmostOpenLevel() == ModalLevel::desk && isKeyPressed(key) && consumeKey();
}

// Index of the shown page in pageTable, -1 when none is selected.
int shownPageIndex() {
    int32_t n = currentPageNumber();
    for (int i = 0; i < kPageCount; ++i)
        if (pageTable[i].number == n) return i;
    return -1;
}

// step is the direction of the turn: a page that cannot be shown is passed over
// in it.
void requestPageAt(int index, int step) {
    book.pendingPage = &pageTable[(index + kPageCount) % kPageCount];
    book.pendingStep = step;
    book.pageChangePending = true;
}

// The state-driven buttons start small at 0.3 and grow in (i1 = appearing).
void makeStateButton(const char* model, double x, int32_t mode) {
    SceneNode* button = createNode();
    addCallback(button, pickableCallback, nullptr);
    setScale(button, 0.3, 0.3, 0.3);
    loadModel(button, "interface.pak", model);
    setRotation(button, -90, 0, 0);
    setPosition(button, x, 14.85, 61.0);
    playOneTrack(button, hudButtonTrack, 0.0, 0, 1, mode);
    addChild(currentNode, button);
}

// Every scale change of these buttons is the same on all three axes.
void scaleButton(SceneNode* button, double by) { scaleBy(button, by, by, by); }

}  // namespace

void previousPage() {
    int i = shownPageIndex();
    if (i >= 0) requestPageAt(i - 1, -1);
}

void nextPage() {
    int i = shownPageIndex();
    if (i >= 0) requestPageAt(i + 1, 1);
}

void turnPage(bool forward) {
    playSound("button.wav", false);
    endHistory();
    if (forward)
        nextPage();
    else
        previousPage();
}

void previousPageAction(void*) {
    if (pressed(SDLK_LEFT)) turnPage(false);
}

void nextPageAction(void*) {
    if (pressed(SDLK_RIGHT)) turnPage(true);
}

void backButtonWatch(void*) {
    if (!book.undoAvailable || book.backButtonShown) return;
    makeStateButton("knopka_back", -2.781, backMode);
    book.backButtonShown = true;
}

void clearButtonWatch(void*) {
    if (isPageClean() || book.clearButtonShown) return;
    makeStateButton("knopka_clear", 1.781, clearMode);
    book.clearButtonShown = true;
}

void hudButtonTrack(void*) {
    SceneNode* button = currentNode;
    AnimTrack* track = currentTrack;
    int32_t mode = track->i2;
    double s = button->transform.scale.x;
    double d = track->t;
    track->t = 0;

    // Its condition over, the button hides. The back button's history is
    // already empty wherever undoAvailable went false; emptying it here too
    // keeps the rule in one more place at no cost.
    bool hidingStarts = false;
    if (track->i0 == 0) {
        if (mode == clearMode && isPageClean()) {
            book.clearButtonShown = false;
            hidingStarts = true;
        } else if (mode == backMode && !book.undoAvailable) {
            endHistory();
            book.backButtonShown = false;
            hidingStarts = true;
        }
        if (hidingStarts) track->i0 = 1;
    }
    bool hiding = track->i0 != 0;

    if (isHoveredOn(ModalLevel::desk)) {
        if (input.leftClicked) {
            if (mode == clearMode && book.clearButtonShown) {
                playSound("button.wav", false);
                if (book.openClearPageScreen) book.openClearPageScreen();
            } else if (mode == backMode && book.backButtonShown) {
                playSound("button.wav", false);
                undoLastStep();
            }
        }
        if (!hiding) {
            if (s < 1.1) {
                scaleButton(button, d / 1100);
                if (button->transform.scale.x >= 1.1) {
                    setScale(button, 1.1, 1.1, 1.1);
                    track->i1 = 0;
                }
            }
            return;
        }
    }

    if (track->i1 == 0 || hiding) {
        if (s > 1 || hiding) {
            scaleButton(button, hiding ? -d / 600 : -d / 1100);
            double now = button->transform.scale.x;
            if (!hiding && now < 1) setScale(button, 1, 1, 1);
            if (hiding && now < 0.01) setScale(button, 0.01, 0.01, 0.01);
        }
        // Removed 450 ms after it began to hide.
        if (hidingStarts) playOneTrack(button, expireTrack, 0.0, 0, 0, 0, 450);
        return;
    }

    // Appearing: from 0.3 to 1 in 420 ms.
    if (s < 1) {
        scaleButton(button, d / 600);
        if (button->transform.scale.x >= 1) {
            setScale(button, 1, 1, 1);
            track->i1 = 0;
        }
    }
}

void confirmClearPage() {
    book.pageChangePending = true;
    clearCurrentPage();
    endHistory();
}

void confirmClearAll() {
    book.pageChangePending = true;
    clearAllPages();
    endHistory();
}
