// The colouring book's process-wide state, in one place with one reset.
#pragma once
#include <vector>

#include "book/page_table.h"
#include "scene/paint_color.h"
#include "scene/scene_node.h"

// The state's records. The functions that work on them live in the parts of
// the book that use them (page_store.h, palette.h), which include this file.

// The colour of one region of a page.
struct ElementColorRecord {
    int32_t element = 0;
    bool painted = false;
    PaintColor color;
};

// For every page the child has opened, the colour of each of its regions.
struct PageStore {
    int32_t currentList = -1;  // -1 or an index into pageKeys
    std::vector<int32_t> pageKeys;
    std::vector<std::vector<ElementColorRecord>> pageLists;  // parallel to pageKeys
};

struct PaletteWell {
    bool empty = true;
    PaintColor color;
};

struct BookState {
    // Kept in the settings file.
    PageStore pages;
    PaletteWell wells[4];

    // The brush.
    PaintColor brushColor;  // PaintColor starts white
    bool brushClean = true;         // a clean brush carries no paint; brushColor is then unused
    bool starBursts = true;         // off for reduced motion: jars and the glass throw no stars
    bool lidSwings = true;          // off for reduced motion: a jar's lid stays shut when dipped into
    PaintColor washedColor;  // what the brush carried when it was last washed

    // The painting history: one step per fill, oldest first. The nodes are not
    // owned; they belong to the shown page. Rule: the history is emptied wherever
    // undoAvailable goes false (endHistory), so it never holds a step of a page
    // that has been turned or cleared away.
    bool undoAvailable = false;
    std::vector<SceneNode*> undoNodes;
    std::vector<ElementColorRecord> undoRecords;
    bool backButtonShown = false;

    // The palette (owned by the scene tree; set by its builder). Per well: its
    // node must be built again next pass; its colour before the last fill or
    // mix; its previous-colour drop exists / must vanish. None of these is kept
    // in the settings file: after a restart full wells show only their clear drops.
    SceneNode* paletteNode = nullptr;
    bool wellRebuild[4] = {true, true, true, true};
    PaintColor wellPreviousColor[4];
    bool mixDropShown[4] = {};
    bool mixDropRemove[4] = {};

    // The clear button exists; its click asks bookHooks().openClearPageScreen.
    bool clearButtonShown = false;

    // Page swapping: the page the next swap builds (the first frame builds it,
    // because a swap starts pending) and the node holding the shown page. When
    // the pending page cannot be shown, the swap looks for one that can in the
    // direction pendingStep (+1 or -1) and builds that instead.
    const ColoringPage* pendingPage = &pageTable[0];
    int pendingStep = 1;
    bool pageChangePending = true;
    SceneNode* pageHolder = nullptr;
    // Pages (by number - 1) whose archive has been named on stderr this run.
    bool pageFailureReported[kPageCount] = {};
};

// The book on show (main thread only). The exports build their pages from
// stores of their own and never touch it.
BookState& book();

// Back to the state of a fresh start (one process may start the program again).
void resetBook();
