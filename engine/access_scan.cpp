#include "engine/access_scan.h"

#include <cstddef>

namespace {

int32_t countOf(const std::vector<int32_t>& sizes) { return int32_t(sizes.size()); }

int32_t sizeOf(const std::vector<int32_t>& sizes, int32_t group) {
    return group >= 0 && group < countOf(sizes) ? sizes[size_t(group)] : 0;
}

bool singleGroup(const std::vector<int32_t>& sizes) { return countOf(sizes) == 1; }

// The next group with items after group (group itself when it is the only one).
int32_t nextGroup(const std::vector<int32_t>& sizes, int32_t group) {
    for (int32_t k = 1; k <= countOf(sizes); ++k) {
        int32_t g = ((group + k) % countOf(sizes) + countOf(sizes)) % countOf(sizes);
        if (sizeOf(sizes, g) > 0) return g;
    }
    return group;
}

}  // namespace

void clampScan(ScanCursor& cursor, const std::vector<int32_t>& sizes) {
    if (countOf(sizes) == 0) {
        cursor = ScanCursor{cursor.shown, false, 0, 0, 0};
        return;
    }
    if (cursor.group >= countOf(sizes)) cursor.group = countOf(sizes) - 1;
    if (cursor.group < 0) cursor.group = 0;
    int32_t size = sizeOf(sizes, cursor.group);
    if (cursor.item >= size) cursor.item = size - 1;
    if (cursor.item < 0) cursor.item = 0;
    if (singleGroup(sizes)) cursor.inGroup = true;
}

void restartScan(ScanCursor& cursor, const std::vector<int32_t>& sizes) {
    cursor.inGroup = singleGroup(sizes);
    cursor.group = 0;
    cursor.item = 0;
    cursor.rounds = 0;
}

ScanOutcome stepScan(ScanCursor& cursor, const std::vector<int32_t>& sizes, int32_t roundsBeforeLeaving) {
    if (countOf(sizes) == 0) return ScanOutcome::none;
    clampScan(cursor, sizes);
    if (!cursor.shown) {
        cursor.shown = true;
        return ScanOutcome::moved;
    }
    if (!cursor.inGroup) {
        cursor.group = nextGroup(sizes, cursor.group);
        cursor.item = 0;
        cursor.rounds = 0;
        return ScanOutcome::moved;
    }
    if (cursor.item + 1 < sizeOf(sizes, cursor.group)) {
        ++cursor.item;
        return ScanOutcome::moved;
    }
    ++cursor.rounds;
    if (!singleGroup(sizes) && cursor.rounds >= roundsBeforeLeaving) {
        cursor.inGroup = false;
        cursor.item = 0;
        cursor.rounds = 0;
        return ScanOutcome::moved;
    }
    cursor.item = 0;
    return ScanOutcome::moved;
}

ScanOutcome selectScan(ScanCursor& cursor, const std::vector<int32_t>& sizes) {
    if (countOf(sizes) == 0) return ScanOutcome::none;
    clampScan(cursor, sizes);
    if (!cursor.shown) {
        cursor.shown = true;
        return ScanOutcome::moved;
    }
    if (cursor.inGroup) return sizeOf(sizes, cursor.group) > 0 ? ScanOutcome::act : ScanOutcome::none;
    if (sizeOf(sizes, cursor.group) == 0) return ScanOutcome::none;
    cursor.inGroup = true;
    cursor.item = 0;
    cursor.rounds = 0;
    return ScanOutcome::moved;
}

void afterScanAct(ScanCursor& cursor, const std::vector<int32_t>& sizes) {
    cursor.rounds = 0;
    if (singleGroup(sizes)) return;
    cursor.inGroup = false;
    cursor.item = 0;
}

ScanOutcome tabScan(ScanCursor& cursor, const std::vector<int32_t>& sizes, int32_t direction) {
    int32_t total = 0;
    for (int32_t size : sizes) total += size;
    if (total == 0) return ScanOutcome::none;
    clampScan(cursor, sizes);
    int32_t flat = 0;
    for (int32_t g = 0; g < cursor.group; ++g) flat += sizeOf(sizes, g);
    flat += cursor.item;
    if (!cursor.shown) {
        // The first Tab shows the first target, the first Shift+Tab the last.
        flat = direction > 0 ? 0 : total - 1;
    } else if (!cursor.inGroup) {
        // From a group as a whole: its first item, or the last item before it.
        flat = direction > 0 ? flat : (flat - 1 + total) % total;
    } else {
        flat = ((flat + direction) % total + total) % total;
    }
    cursor.shown = true;
    cursor.inGroup = true;
    cursor.rounds = 0;
    for (int32_t g = 0; g < countOf(sizes); ++g) {
        if (flat < sizeOf(sizes, g)) {
            cursor.group = g;
            cursor.item = flat;
            return ScanOutcome::moved;
        }
        flat -= sizeOf(sizes, g);
    }
    return ScanOutcome::moved;
}

bool acceptSwitchPress(SwitchGate& gate, uint32_t now, bool heldSinceAccepted, uint32_t periodMs) {
    if (gate.accepted && heldSinceAccepted && now - gate.acceptedAt < periodMs) return false;
    gate.accepted = true;
    gate.acceptedAt = now;
    return true;
}
