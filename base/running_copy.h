// A second start while a copy of the program paints: the running copy's window
// comes to the front instead of a second window (a child who double-clicks
// again should see the book, not nothing).
#pragma once

// Marks the window SDL opened as the one of the copy that paints, so that a
// second copy can find it. Windows: a property on the window; elsewhere nothing.
// Call once the window is open.
void markPaintingWindow();
// Takes the mark away again once the copy has decided to end: a start during its
// last frames must wait for the book, not bring a closing window forward.
void unmarkPaintingWindow();
// Brings the painting copy's window to the front, restored when minimised.
// False when there is no such window (a copy started a moment ago holds its
// book before its window shows: ask again); always false where the system
// offers no way (POSIX).
bool bringPaintingWindowForward();
