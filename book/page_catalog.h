// The 21 pages of the book and the swap that replaces the shown page.
#pragma once
#include <cstdint>

#include "scene/scene_node.h"

struct ColoringPage {
    int number;            // 1..21
    const char* archive;   // "page01.pak" ... "page21.pak"
    int elementCount;      // regions "el1" ... "el<N>"
};

extern const ColoringPage pageTable[21];

// The page the next swap builds; the first frame builds it because a swap starts pending.
extern const ColoringPage* pendingPage;
extern bool pageChangePending;
// The node whose children are the shown page's nodes.
extern SceneNode* pageHolder;

// Endless track of the book node: builds the pending page under a fresh holder
// and removes the old holder.
void pageSwapTrack(void* arg);
// One-shot track of a fresh holder; arg is the ColoringPage to build.
void buildPage(void* arg);
void buildPageElement(const char* archive, const char* name, int32_t k);
// Back to the state before the first frame (used when the program starts again in one process).
void resetPageSwap();
