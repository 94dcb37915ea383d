// Building the shown page, and the swap that replaces it.
#pragma once
#include <cstdint>

#include "book/page_table.h"
#include "scene/scene_node.h"

// Endless track of the book node: builds the pending page under a fresh holder
// and removes the old holder.
void pageSwapTrack(void* arg);
// One-shot track of a fresh holder; arg is the ColoringPage to build.
void buildPage(void* arg);
void buildPageElement(const char* archive, const char* name, int32_t k);
// Sets the pending page from the page store's current list (page 1 when none).
void restoreCurrentPage();
