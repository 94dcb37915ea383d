// Building the shown page, and the swap that replaces it.
#pragma once
#include <cstdint>

#include "book/book_state.h"
#include "book/page_table.h"
#include "scene/scene_node.h"

// Endless track of the book node: builds the pending page under a fresh holder
// and removes the old holder.
void pageSwapTrack(void* arg);
// One-shot track of a fresh holder; arg is the ColoringPage to build. When that
// page cannot be shown, builds the first that can, looking from it in the
// direction BookState::pendingStep and wrapping round, and makes it the pending
// page. When no page can be shown the holder stays empty and no list is current.
void buildPendingPage(void* arg);
// Builds the page's nodes under currentNode and makes its list current, or, when
// its archive cannot be used (pageTryAcquire), builds nothing and returns false.
bool buildPage(const ColoringPage& page);
// The page's nodes under parent, its regions in the colours store keeps for it
// (white where it keeps none); reads store only and touches neither the shown
// book nor currentNode. The caller holds the page (pageTryAcquire). For a
// picture of the page as a turn would show it, and for the exports, whose
// stores are read from settings files.
void buildPageNodesAsStored(SceneNode* parent, const ColoringPage& page, const PageStore& store);
void buildPageElement(SceneNode* parent, const char* archive, const char* name, int32_t k, PaintColor color);
// Sets the pending page from the page store's current list (page 1 when none),
// looking forward from it when it cannot be shown. No list is current until a
// page is built, so that nothing acts on the list of a page that is never shown.
void restoreCurrentPage();
