#include "book/page_neighbours.h"

#include "book/page_store.h"
#include "scene/picture_preparer.h"

std::vector<std::string> pageModels(const ColoringPage& page) {
    std::vector<std::string> models{"block"};
    for (int k = 1; k <= page.elementCount; ++k) models.push_back("el" + std::to_string(k));
    return models;
}

void prepareNeighbourPages() {
    int32_t shown = currentPageNumber();
    int at = -1;
    for (int i = 0; i < kPageCount; ++i)
        if (pageTable[i].number == shown) at = i;
    if (at < 0) return;
    // The shown page first: its pictures are alive, so only its models are
    // checked, and it stays ready for the turn back.
    const ColoringPage* around[3] = {&pageTable[at], &pageTable[(at + 1) % kPageCount],
                                     &pageTable[(at + kPageCount - 1) % kPageCount]};
    bool allPrepared = true;
    for (const ColoringPage* page : around) allPrepared = allPrepared && isPrepared(page->archive);
    int held = 0;
    for (const PreparedArchive* record : picturePreparer().records)
        if (record->group == preparedPages && !record->leaving) ++held;
    if (allPrepared && held == 3) return;
    letGroupGoExcept(preparedPages, {around[0]->archive, around[1]->archive, around[2]->archive});
    for (const ColoringPage* page : around) prepareArchive(page->archive, preparedPages, pageModels(*page));
}
