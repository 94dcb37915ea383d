// The colouring book's process-wide state, in one place with one reset.
#pragma once
#include <vector>

#include "book/page_store.h"
#include "book/page_table.h"
#include "book/palette.h"
#include "scene/paint_color.h"
#include "scene/scene_node.h"

struct BookState {
    // Kept in the settings file.
    PageStore pages;
    PaletteWell wells[4];

    // The brush.
    PaintColor brushColor;  // PaintColor starts white
    bool brushClean = true;         // a clean brush carries no paint; brushColor is then unused
    PaintColor washedColor;  // what the brush carried when it was last washed

    // The painting history: one step per fill, oldest first. The nodes are not
    // owned; they belong to the shown page and the history is emptied before the
    // page goes.
    bool undoAvailable = false;
    std::vector<SceneNode*> undoNodes;
    std::vector<ElementColorRecord> undoRecords;
    bool backButtonShown = false;

    // Page swapping: the page the next swap builds (the first frame builds it,
    // because a swap starts pending) and the node holding the shown page.
    const ColoringPage* pendingPage = &pageTable[0];
    bool pageChangePending = true;
    SceneNode* pageHolder = nullptr;
};

extern BookState book;

// Back to the state of a fresh start (one process may start the program again).
void resetBook();
