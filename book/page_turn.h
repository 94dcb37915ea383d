// Turning and clearing pages: the arrows beside the book, the back and clear
// buttons, and what the clear confirmations do to the book.
#pragma once

// Click tracks of the left and right HUD arrows (also the arrow keys).
void previousPageAction(void* arg);
void nextPageAction(void* arg);
// Endless tracks of the HUD node that create the back and clear buttons.
void backButtonWatch(void* arg);
void clearButtonWatch(void* arg);
