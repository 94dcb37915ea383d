// Trying a page's archive before any of its nodes is built. A page archive that
// cannot be opened or is damaged costs that page only: the book passes over it.
// The desk's own archives stay fatal (pakAcquireOrExit).
#pragma once
#include <vector>

#include "base/gl.h"
#include "book/page_table.h"

// What a usable page holds while its nodes are built: one reference on its
// archive and one on each picture its models name, so that the build finds
// everything open and cannot stop part-way. Zero means nothing is held.
struct PageHold {
    const char* archive = nullptr;
    std::vector<GLuint> pictures;  // one textureRelease each
};

// Opens the page's archive and tries all its nodes will need: the block and
// every region are entries holding whole models, and every picture those models
// name decodes. On failure nothing stays held, and one line on stderr names the
// file (once per page per run, BookState::pageFailureReported).
bool pageTryAcquire(const ColoringPage& page, PageHold& hold);
void pageRelease(PageHold& hold);
