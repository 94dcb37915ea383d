#include "book/page_store.h"

#include <vector>

#include "app/settings.h"

// The list of the shown page. Settings guarantees currentList is -1 or a valid index.
static std::vector<ElementColorRecord>* currentRecords() {
    if (!settings || settings->currentList < 0 ||
        settings->currentList >= int32_t(settings->pageLists.size()))
        return nullptr;
    return &settings->pageLists[settings->currentList];
}

static ElementColorRecord* findRecord(int32_t k) {
    std::vector<ElementColorRecord>* list = currentRecords();
    if (!list) return nullptr;
    for (ElementColorRecord& r : *list)
        if (r.element == k) return &r;
    return nullptr;
}

void selectPageList(int32_t page) {
    for (size_t i = 0; i < settings->pageKeys.size(); ++i) {
        if (settings->pageKeys[i] == page) {
            settings->currentList = int32_t(i);
            return;
        }
    }
    settings->pageKeys.push_back(page);
    settings->pageLists.emplace_back();
    settings->currentList = int32_t(settings->pageKeys.size()) - 1;
}

int32_t currentPageNumber() {
    if (!currentRecords()) return 0;
    return settings->pageKeys[settings->currentList];
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
    for (std::vector<ElementColorRecord>& list : settings->pageLists) clearRecords(list);
}
