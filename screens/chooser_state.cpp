#include "screens/chooser_state.h"

#include <string>

#include "screens/chooser_entries.h"

ChooserState& chooserState() {
    static ChooserState wired;
    return wired;
}

namespace {

// What chooserMenuEntry's answer points into (main thread only).
std::string menuEntry;

}  // namespace

const char* chooserMenuEntry() {
    if (chooserState().current < 0 || chooserState().current >= animalCount) return nullptr;
    menuEntry = std::string("animal_") + animalNames[chooserState().current] + "_switch";
    return menuEntry.c_str();
}
