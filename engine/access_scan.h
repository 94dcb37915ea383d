// Scanning: the focus walking over groups of targets and their items, as
// switches and keys drive it. Pure rules over group sizes; what a focus move or
// an act does to the program is engine/access.h's.
#pragma once
#include <cstdint>
#include <vector>

// How a child reaches the targets besides a pointer: keys only (Tab, Space),
// two switches (Space steps, Enter selects), one switch with the focus moving
// by itself, or dwelling with a head pointer or eye gaze.
enum class AccessMethod : int32_t { keys = 0, switch2 = 1, switch1 = 2, dwell = 3 };

struct ScanCursor {
    bool shown = false;    // a focus is on screen
    bool inGroup = false;  // on an item of group; else on the group as a whole
    int32_t group = 0, item = 0;
    int32_t rounds = 0;  // full passes over the group's items without a selection
};

enum class ScanOutcome { none, moved, act };

// The next step of a switch or of the clock. At the group level: the next group
// (round and round). In a group: the next item; past the last item a group is
// left for the group level once it was passed over roundsBeforeLeaving times
// (two switches: once; one switch: twice), else it starts again at its first
// item. With a single group there is no group level: its items go round.
ScanOutcome stepScan(ScanCursor& cursor, const std::vector<int32_t>& groupSizes, int32_t roundsBeforeLeaving);
// The select switch: enters the group under focus at its first item, or acts
// on the item under focus.
ScanOutcome selectScan(ScanCursor& cursor, const std::vector<int32_t>& groupSizes);
// After an act: back to the group level on the group just used (a single group
// keeps its item).
void afterScanAct(ScanCursor& cursor, const std::vector<int32_t>& groupSizes);
// Tab (+1) and Shift+Tab (-1): item by item over all groups, round and round.
ScanOutcome tabScan(ScanCursor& cursor, const std::vector<int32_t>& groupSizes, int32_t direction);
// Back to the first group at the group level (or the single group's first item).
void restartScan(ScanCursor& cursor, const std::vector<int32_t>& groupSizes);
// Keeps group and item inside the sizes after targets went or came.
void clampScan(ScanCursor& cursor, const std::vector<int32_t>& groupSizes);

// A switch held down repeats (the keyboard's repeat): a press that comes while
// the switch has not been let go since the last accepted one counts only once a
// whole scan period has passed.
struct SwitchGate {
    bool accepted = false;
    uint32_t acceptedAt = 0;
};
bool acceptSwitchPress(SwitchGate& gate, uint32_t now, bool heldSinceAccepted, uint32_t periodMs);
