#include "book/page_store.h"

#include <vector>

#include "book/book_state.h"

// The list of the shown page, null when none is current or the index is stale.
static std::vector<ElementColorRecord>* currentRecords() {
    const PageStore& store = book().pages;
    if (store.currentList < 0 || store.currentList >= int32_t(store.pageLists.size())) return nullptr;
    return &book().pages.pageLists[size_t(store.currentList)];
}

static ElementColorRecord* findRecord(int32_t k) {
    std::vector<ElementColorRecord>* list = currentRecords();
    if (!list) return nullptr;
    for (ElementColorRecord& r : *list)
        if (r.element == k) return &r;
    return nullptr;
}

void selectPageList(int32_t page) {
    for (size_t i = 0; i < book().pages.pageKeys.size(); ++i) {
        if (book().pages.pageKeys[i] == page) {
            book().pages.currentList = int32_t(i);
            return;
        }
    }
    book().pages.pageKeys.push_back(page);
    book().pages.pageLists.emplace_back();
    book().pages.currentList = int32_t(book().pages.pageKeys.size()) - 1;
}

int32_t currentPageNumber() {
    if (!currentRecords()) return 0;
    return book().pages.pageKeys[book().pages.currentList];
}

PaintColor getElementColor(int32_t k) {
    if (ElementColorRecord* r = findRecord(k)) return r->color;
    std::vector<ElementColorRecord>* list = currentRecords();
    if (list) {
        ElementColorRecord fresh;
        fresh.element = k;
        fresh.painted = false;
        fresh.color = white;
        list->push_back(fresh);
    }
    return white;
}

PaintColor storedElementColor(const PageStore& store, int32_t page, int32_t k) {
    for (size_t i = 0; i < store.pageKeys.size() && i < store.pageLists.size(); ++i) {
        if (store.pageKeys[i] != page) continue;
        for (const ElementColorRecord& r : store.pageLists[i])
            if (r.element == k) return r.color;
    }
    return white;
}

void setElementColor(int32_t k, const PaintColor& color, bool painted) {
    if (ElementColorRecord* r = findRecord(k)) {
        r->color = color;
        r->painted = painted;
        return;
    }
    std::vector<ElementColorRecord>* list = currentRecords();
    if (!list) return;
    ElementColorRecord fresh;
    fresh.element = k;
    fresh.painted = painted;
    fresh.color = color;
    list->push_back(fresh);
}

bool isElementPainted(int32_t k) {
    ElementColorRecord* r = findRecord(k);
    return r && r->painted;
}

bool isPageClean() {
    std::vector<ElementColorRecord>* list = currentRecords();
    if (!list) return true;
    for (const ElementColorRecord& r : *list)
        if (r.painted) return false;
    return true;
}

static void clearRecords(std::vector<ElementColorRecord>& list) {
    for (ElementColorRecord& r : list) {
        r.color = white;
        r.painted = false;
    }
}

void clearCurrentPage() {
    if (std::vector<ElementColorRecord>* list = currentRecords()) clearRecords(*list);
}

void clearAllPages() {
    for (std::vector<ElementColorRecord>& list : book().pages.pageLists) clearRecords(list);
}
