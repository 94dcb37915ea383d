#include "book/page_turn.h"

#include <string>

#include "base/gl.h"
#include "book/book_hooks.h"
#include "book/book_state.h"
#include "book/page_catalog.h"
#include "book/page_hold.h"
#include "book/page_neighbours.h"
#include "book/page_store.h"
#include "book/painting.h"
#include "engine/audio.h"
#include "engine/hover_swell.h"
#include "engine/modal.h"
#include "engine/pick.h"
#include "scene/load_model.h"
#include "scene/picture_preparer.h"
#include "resources/desk_entries.h"

namespace {

// The state buttons grow in from 0.3 to 1 in 420 ms, swell like every button,
// and once hiding shrink at the growing-in rate, removed 450 ms after it began.
const double stateButtonFirstScale = 0.3;
const Swell growingIn = {1.0, buttonSwell.swollen, 600.0};
const Swell hidingAway = {0.01, 0.01, 600.0};
const double hiddenAfterMs = 450;

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
    book().pendingPage = &pageTable[(index + kPageCount) % kPageCount];
    book().pendingStep = step;
    book().pageChangePending = true;
}

void makeStateButton(const char* model, double x, StateButtonKind kind) {
    SceneNode* button = createNode();
    addCallback(button, pickableCallback, nullptr);
    setScale(button, stateButtonFirstScale, stateButtonFirstScale, stateButtonFirstScale);
    loadModel(button, deskArchive, model);
    setRotation(button, -90, 0, 0);
    setPosition(button, x, 14.85, 61.0);
    StateButton state;
    state.kind = kind;
    playTrackWith(button, hudButtonTrack, 0.0, ownHandlerState(button, state));
    addChild(sceneState().currentNode, button);
}

// Its condition over, the button starts to hide. The back button's history is
// already empty wherever undoAvailable went false; emptying it here too keeps
// the rule in one more place at no cost.
bool conditionEnded(const StateButton& button) {
    if (button.kind == StateButtonKind::clear && isPageClean()) {
        book().clearButtonShown = false;
        return true;
    }
    if (button.kind == StateButtonKind::back && !book().undoAvailable) {
        endHistory();
        book().backButtonShown = false;
        return true;
    }
    return false;
}

void stateButtonClicked(const StateButton& button) {
    if (button.kind == StateButtonKind::clear && book().clearButtonShown) {
        playSound("button.wav", false);
        if (bookHooks().openClearPageScreen) bookHooks().openClearPageScreen();
    } else if (button.kind == StateButtonKind::back && book().backButtonShown) {
        playSound("button.wav", false);
        undoLastStep();
    }
}

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

SceneNode* shownPageNode() { return book().pageChangePending ? nullptr : book().pageHolder; }

SceneNode* buildPageATurnBrings(int32_t which, bool* later) {
    *later = false;
    const int shown = shownPageIndex();
    if (!shownPageNode() || shown < 0) return nullptr;
    // No turn while a screen is open.
    if (modalLevelOpen(ModalLevel::screen)) {
        *later = true;
        return nullptr;
    }
    const ColoringPage& page = pageTable[(shown + (which == 0 ? 1 : -1) + kPageCount) % kPageCount];
    const PreparedArchive* record = checkedArchive(page.archive);
    std::string why;
    if (!record || !record->ready || !preparedVerdict(page.archive, pageModels(page), why)) {
        *later = true;
        return nullptr;
    }
    PageHold hold;
    if (!why.empty() || !pageTryAcquire(page, hold)) return nullptr;
    SceneNode* holder = createNode();
    buildPageNodesAsStored(holder, page, book().pages);
    pageRelease(hold);
    return holder;
}

void previousPageAction(void*) {
    if (clickedOrKeyOn(ModalLevel::desk, SDLK_LEFT)) turnPage(false);
}

void nextPageAction(void*) {
    if (clickedOrKeyOn(ModalLevel::desk, SDLK_RIGHT)) turnPage(true);
}

void backButtonWatch(void*) {
    if (!book().undoAvailable || book().backButtonShown) return;
    makeStateButton(deskEntry::backButton, -2.781, StateButtonKind::back);
    book().backButtonShown = true;
}

void clearButtonWatch(void*) {
    if (isPageClean() || book().clearButtonShown) return;
    makeStateButton(deskEntry::clearButton, 1.781, StateButtonKind::clear);
    book().clearButtonShown = true;
}

void hudButtonTrack(void* arg) {
    SceneNode* node = sceneState().currentNode;
    StateButton* button = static_cast<StateButton*>(arg);
    double ms = takeTrackTime();
    if (!button->hiding && conditionEnded(*button)) {
        button->hiding = true;
        playOneTrack(node, expireTrack, 0.0, 0, 0, 0, hiddenAfterMs);
    }
    if (clickedOn(ModalLevel::desk)) stateButtonClicked(*button);
    if (button->hiding) {
        swellScale(node, hidingAway, false, ms);
        return;
    }
    bool hovered = isHoveredOn(ModalLevel::desk);
    bool growingInNow = button->appearing && !hovered;
    double scale = swellScale(node, growingInNow ? growingIn : buttonSwell, hovered, ms);
    if (scale >= buttonSwell.rest) button->appearing = false;
}

void confirmClearPage() {
    book().pageChangePending = true;
    clearCurrentPage();
    endHistory();
}

void confirmClearAll() {
    book().pageChangePending = true;
    clearAllPages();
    endHistory();
}
