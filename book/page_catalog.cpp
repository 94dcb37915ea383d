#include "book/page_catalog.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/pick.h"
#include "book/book.h"
#include "book/page_store.h"
#include "book/painting.h"
#include "resources/model.h"

const ColoringPage pageTable[21] = {
    {1, "page01.pak", 23},  {2, "page02.pak", 35},  {3, "page03.pak", 20},  {4, "page04.pak", 26},
    {5, "page05.pak", 25},  {6, "page06.pak", 43},  {7, "page07.pak", 31},  {8, "page08.pak", 28},
    {9, "page09.pak", 18},  {10, "page10.pak", 36}, {11, "page11.pak", 28}, {12, "page12.pak", 28},
    {13, "page13.pak", 28}, {14, "page14.pak", 34}, {15, "page15.pak", 23}, {16, "page16.pak", 31},
    {17, "page17.pak", 23}, {18, "page18.pak", 54}, {19, "page19.pak", 17}, {20, "page20.pak", 23},
    {21, "page21.pak", 45},
};

const ColoringPage* pendingPage = &pageTable[0];
bool pageChangePending = true;
SceneNode* pageHolder = nullptr;

void resetPageSwap() {
    pendingPage = &pageTable[0];
    pageChangePending = true;
    pageHolder = nullptr;
}

void pageSwapTrack(void*) {
    if (!pageChangePending) return;
    pageChangePending = false;

    SceneNode* holder = createNode();
    AnimTrack build;
    initTrack(build, 1, true, -1.0);
    setTrackFn(build, buildPage, const_cast<ColoringPage*>(pendingPage));
    int32_t id = newAction(holder->actions);
    addTrack(holder->actions, build);
    play(holder->actions, id);
    addChild(currentNode, holder);

    // The old page goes with its holder; the history's pointers into it are
    // dropped by whoever turned the page.
    if (pageHolder) remove(pageHolder);
    pageHolder = holder;
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

void buildPage(void* arg) {
    const ColoringPage* page = static_cast<const ColoringPage*>(arg);
    selectPageList(page->number);

    SceneNode* base = createNode();
    loadModel(base, page->archive, "block");
    addCallback(base, pickableCallback, nullptr);
    setRotation(base, -90, 0, 0);
    addChild(currentNode, base);

    for (int32_t k : elementsInNameOrder(page->elementCount)) {
        std::string name = "el" + std::to_string(k);
        buildPageElement(page->archive, name.c_str(), k);
    }
}

void buildPageElement(const char* archive, const char* name, int32_t k) {
    SceneNode* element = createNode();
    setRotation(element, -90, 0, 0);
    addCallback(element, pickableCallback, nullptr);
    loadModel(element, archive, name);
    setPaintColor(element, getElementColor(k));
    playOneTrack(element, paintElementTrack, 0.0, k);
    addChild(currentNode, element);
}

void restoreCurrentPage() {
    int32_t n = currentPageNumber();
    if (n == 0) return;
    for (const ColoringPage& page : pageTable) {
        if (page.number == n) {
            pendingPage = &page;
            pageChangePending = true;
            return;
        }
    }
}
