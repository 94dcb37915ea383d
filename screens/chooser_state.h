// Who may paint, and who is painting now: what the program tells the chooser
// at start-up (the screens sit below the program, which owns the books; a
// choice goes up through screenHooks()), and the menu's picture of the child
// painting now. Read by the
// chooser and by what prepares the screens ahead.
#pragma once
#include <cstdint>
#include <vector>

struct ChooserState {
    std::vector<int32_t> animals;  // the animals offered (indices of animalNames), in order
    int32_t current = -1;          // the animal whose book is open; -1 while none is
    bool closable = false;         // before a book is open: a close button that asks "Stop painting?"
};
// What the program wired into the chooser for this run (main thread only);
// filled when the start screen opens, not by resetScreens.
ChooserState& chooserState();

// The menu's button: the current child's small picture, or null while no
// book of a child is open (without profiles).
const char* chooserMenuEntry();
