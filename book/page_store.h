// The page colour store: for every page the child has opened, the colour of each
// of its regions. It lives in the book's state and is kept in the settings file.
// All operations but selectPageList and storedElementColor work on the current
// list of the book's store.
#pragma once
#include <cstdint>
#include <vector>

#include "book/book_state.h"
#include "scene/paint_color.h"

// Makes the page's list current, creating an empty one the first time.
void selectPageList(int32_t page);
// 0 when no list is current.
int32_t currentPageNumber();
// Creates the record {k, unpainted, white} the first time a region is asked for.
PaintColor getElementColor(int32_t k);
// The colour region k of that page has in store (the book's or one read from a
// settings file), white when it has none; creates nothing.
PaintColor storedElementColor(const PageStore& store, int32_t page, int32_t k);
void setElementColor(int32_t k, const PaintColor& color, bool painted);
bool isElementPainted(int32_t k);
// True when no list is current or no record of it is painted.
bool isPageClean();
// Records are kept and turned white and unpainted, never removed.
void clearCurrentPage();
void clearAllPages();
