#include "book/page_catalog.h"

#include <algorithm>
#include <string>
#include <vector>

#include "engine/pick.h"
#include "book/book_state.h"
#include "book/page_hold.h"
#include "book/page_store.h"
#include "book/painting.h"
#include "scene/load_model.h"

void pageSwapTrack(void*) {
    if (!book().pageChangePending) return;
    book().pageChangePending = false;

    SceneNode* holder = createNode();
    AnimTrack build;
    initTrack(build, 1, true, -1.0);
    setTrackFn(build, buildPendingPage, const_cast<ColoringPage*>(book().pendingPage));
    int32_t id = newAction(holder->actions);
    addTrack(holder->actions, build);
    play(holder->actions, id);
    addChild(sceneState().currentNode, holder);

    // The old page goes with its holder; the history's pointers into it are
    // dropped by whoever turned the page.
    if (book().pageHolder) remove(book().pageHolder);
    book().pageHolder = holder;
}

// Regions are built in ascending byte order of their names ("el1", "el10", ...,
// "el2", ...), the order in which a new page's records are created.
static std::vector<int32_t> elementsInNameOrder(int elementCount) {
    std::vector<int32_t> numbers;
    for (int k = 1; k <= elementCount; ++k) numbers.push_back(k);
    std::sort(numbers.begin(), numbers.end(),
              [](int32_t a, int32_t b) { return std::to_string(a) < std::to_string(b); });
    return numbers;
}

void buildPendingPage(void* arg) {
    int first = int(static_cast<const ColoringPage*>(arg) - pageTable);
    for (int tried = 0; tried < kPageCount; ++tried) {
        int index = ((first + tried * book().pendingStep) % kPageCount + kPageCount) % kPageCount;
        if (buildPage(pageTable[index])) {
            book().pendingPage = &pageTable[index];
            return;
        }
    }
}

namespace {

// The block and every region under parent, each in the colour
// color(store, page, k) gives.
void buildPageNodes(SceneNode* parent, const ColoringPage& page, const PageStore& store,
                    PaintColor (*color)(const PageStore&, const ColoringPage&, int32_t)) {
    SceneNode* base = createNode();
    loadModel(base, page.archive, "block");
    addCallback(base, pickableCallback, nullptr);
    setRotation(base, -90, 0, 0);
    addChild(parent, base);

    for (int32_t k : elementsInNameOrder(page.elementCount)) {
        std::string name = "el" + std::to_string(k);
        buildPageElement(parent, page.archive, name.c_str(), k, color(store, page, k));
    }
}

}  // namespace

bool buildPage(const ColoringPage& page) {
    // Held until every node has taken its own references: nothing below can fail.
    PageHold hold;
    if (!pageTryAcquire(page, hold)) return false;
    selectPageList(page.number);
    buildPageNodes(sceneState().currentNode, page, book().pages,
                   [](const PageStore&, const ColoringPage&, int32_t k) { return getElementColor(k); });
    pageRelease(hold);
    return true;
}

void buildPageNodesAsStored(SceneNode* parent, const ColoringPage& page, const PageStore& store) {
    buildPageNodes(parent, page, store, [](const PageStore& from, const ColoringPage& p, int32_t k) {
        return storedElementColor(from, p.number, k);
    });
}

void buildPageElement(SceneNode* parent, const char* archive, const char* name, int32_t k, PaintColor color) {
    SceneNode* element = createNode();
    setRotation(element, -90, 0, 0);
    addCallback(element, pickableCallback, nullptr);
    loadModel(element, archive, name);
    setPaintColor(element, color);
    playTrackWith(element, paintElementTrack, 0.0, ownHandlerState(element, PageRegion{k}));
    addChild(parent, element);
}

void restoreCurrentPage() {
    int32_t n = currentPageNumber();
    book().pages.currentList = -1;
    book().pendingStep = 1;
    for (const ColoringPage& page : pageTable) {
        if (page.number == n) {
            book().pendingPage = &page;
            book().pageChangePending = true;
            return;
        }
    }
}
