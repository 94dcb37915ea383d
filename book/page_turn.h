// Turning and clearing pages: the arrows beside the book, the back and clear
// buttons, and what the clear confirmations do to the book.
#pragma once
#include <cstdint>

#include "scene/scene_node.h"

// Click tracks of the left and right HUD arrows (also the arrow keys, while no
// screen is open).
void previousPageAction(void* arg);
void nextPageAction(void* arg);
// What an arrow does when pressed: its sound, the end of the painting history,
// and the request for the neighbouring page.
void turnPage(bool forward);

// Request the neighbouring page of the one shown, wrapping round at both ends.
// Both compute from the shown page, so two requests before the swap move one
// page. Nothing happens while no page has been selected yet.
void previousPage();
void nextPage();

// The node showing the page a turn replaces; null while none is shown or a
// change of page is pending.
SceneNode* shownPageNode();
// The page a turn would bring (which: 0 the next, 1 the previous), built as it
// would show under a detached node the caller owns (its subtree is freed
// bottom-up), from the page's prepared pictures only: nothing is read or
// decoded, and the page store is left as it is. Null when no turn would bring
// one (nothing shown, the page passed over as damaged), with *later set when
// one may come once it is ready (a screen open, its pictures not prepared).
SceneNode* buildPageATurnBrings(int32_t which, bool* later);

// Endless tracks of the HUD node that create the back and clear buttons when
// they become useful (something to undo; a painted region on the page).
void backButtonWatch(void* arg);
void clearButtonWatch(void* arg);
// The back and clear buttons above the book: they grow in when their
// condition starts and shrink away when it ends.
enum class StateButtonKind : int32_t { back = 0, clear = 1 };
struct StateButton {
    StateButtonKind kind = StateButtonKind::back;
    bool appearing = true;  // growing in from its first size
    bool hiding = false;    // its condition is over: shrinking, soon removed
};
// Endless track of the back and clear buttons; arg is its StateButton. Grows
// them in, swells them under the pointer, hides and removes them when their
// condition ends. A click undoes a step, or opens the clear-page confirmation
// through BookState::openClearPageScreen.
void hudButtonTrack(void* button);

// The book's part of the clear confirmations' OK (the screens remove themselves
// and play their sound): the shown page, or every page, turns white and is
// rebuilt, and the painting history ends.
void confirmClearPage();
void confirmClearAll();
