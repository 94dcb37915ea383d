#include "engine/access.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

#include "base/gl.h"
#include "engine/audio.h"
#include "engine/input.h"
#include "engine/modal.h"
#include "engine/pick.h"
#include "engine/targets.h"

AccessState accessState;
const char kFocusTickSound[] = "tick.wav";

namespace {

std::vector<int32_t> groupSizes() {
    std::vector<int32_t> sizes;
    for (int32_t g = 0; g < groupCount(targetList); ++g) sizes.push_back(groupSize(targetList, g));
    return sizes;
}

// The focus's node and spot follow the cursor.
void noteFocus() {
    AccessState& a = accessState;
    const Target* first = targetAt(targetList, a.cursor.group, 0);
    a.focusGroupId = first ? first->group : -1;
    const Target* item = a.cursor.inGroup ? targetAt(targetList, a.cursor.group, a.cursor.item) : nullptr;
    a.focusNode = item ? item->node : nullptr;
    if (item) a.focusSpot = item->spot;
}

void focusMoved() {
    noteFocus();
    ++accessState.focusMoves;
    playSound(kFocusTickSound, false);
}

void requestAct(SceneNode* node, bool movePointer) {
    if (!node) return;
    accessState.actPending = true;
    accessState.actNode = node;
    accessState.actMovesPointer = movePointer;
    accessState.spotsWanted = true;
}

void actOnFocus() {
    const Target* item = targetAt(targetList, accessState.cursor.group, accessState.cursor.item);
    if (item) requestAct(item->node, true);
}

// The mouse's click, made on the target: pointer, hover and press.
void carryOutAct() {
    AccessState& a = accessState;
    if (!a.actPending) return;
    a.actPending = false;
    int32_t index = targetIndexOf(targetList, a.actNode);
    if (index < 0) return;  // gone since it was chosen
    const Target& target = targetList.targets[size_t(index)];
    pressNode(target.node, a.actMovesPointer, std::max(0, target.spot.x), std::max(0, target.spot.y));
    ++a.acts;
}

bool scanning() { return accessState.settings.method == AccessMethod::switch2 || accessState.settings.method == AccessMethod::switch1; }

// A switch's press, let through by its gate (see acceptSwitchPress).
bool switchPressed(int key, SwitchGate& gate, bool& releasedSince) {
    if (!isKeyPressed(key)) return false;
    consumeKey();
    bool held = !releasedSince;
    if (!acceptSwitchPress(gate, accessNow(), held, accessState.settings.scanMs)) return false;
    releasedSince = false;
    return true;
}

bool stepReleased = true, selectReleased = true;

void watchReleases() {
    if (!isKeyHeld(SDLK_SPACE)) stepReleased = true;
    if (!isKeyHeld(SDLK_RETURN)) selectReleased = true;
}

// A select that acts starts the one-switch rest and the scan again on the group level.
void select() {
    std::vector<int32_t> sizes = groupSizes();
    ScanOutcome outcome = selectScan(accessState.cursor, sizes);
    if (outcome == ScanOutcome::act) {
        actOnFocus();
        afterScanAct(accessState.cursor, sizes);
        noteFocus();
        if (accessState.settings.method == AccessMethod::switch1) {
            accessState.restUntil = accessNow() + accessState.settings.scanMs;
            accessState.nextStepAt = accessState.restUntil + accessState.settings.scanMs;
        }
    } else if (outcome == ScanOutcome::moved) {
        focusMoved();
        accessState.nextStepAt = accessNow() + accessState.settings.scanMs;
    }
}

void readKeys() {
    AccessState& a = accessState;
    std::vector<int32_t> sizes = groupSizes();
    const bool wasHidden = a.focusHidden;
    if (isKeyPressed(SDLK_TAB) || isKeyPressed(SDLK_SPACE)) a.focusHidden = false;
    if (isKeyPressed(SDLK_TAB)) {
        consumeKey();
        int32_t direction = (input().lastKey.keysym.mod & KMOD_SHIFT) ? -1 : 1;
        // The first key of a keyboard user: the targets are found after this
        // pass's pick, and the focus moves then.
        if (a.targetsStale) {
            a.pendingTab = direction;
            return;
        }
        if (tabScan(a.cursor, sizes, direction) == ScanOutcome::moved) {
            focusMoved();
            a.nextStepAt = accessNow() + a.settings.scanMs;
        }
        return;
    }
    switch (a.settings.method) {
        case AccessMethod::keys:
        case AccessMethod::dwell:
            if (isKeyPressed(SDLK_SPACE) && consumeKey()) {
                if (a.targetsStale)
                    a.pendingTab = 1;
                else if (wasHidden && a.cursor.shown)
                    noteFocus();  // shown again where it was; the next Space acts
                else if (a.cursor.shown && a.cursor.inGroup)
                    actOnFocus();
                else if (tabScan(a.cursor, sizes, 1) == ScanOutcome::moved)
                    focusMoved();
            }
            break;
        case AccessMethod::switch2:
            if (switchPressed(SDLK_SPACE, a.stepGate, stepReleased)) {
                if (stepScan(a.cursor, sizes, 1) == ScanOutcome::moved) focusMoved();
            } else if (switchPressed(SDLK_RETURN, a.selectGate, selectReleased)) {
                select();
            }
            break;
        case AccessMethod::switch1:
            if (switchPressed(SDLK_SPACE, a.selectGate, stepReleased)) {
                // The rest after an act swallows presses: no second act by accident.
                if (int32_t(accessNow() - a.restUntil) >= 0) select();
            }
            break;
    }
}

void runScanClock() {
    AccessState& a = accessState;
    if (a.settings.method != AccessMethod::switch1) return;
    uint32_t now = accessNow();
    if (!a.started) {
        a.started = true;
        a.nextStepAt = now + a.settings.scanMs;
        return;
    }
    if (int32_t(now - a.nextStepAt) < 0) return;
    a.nextStepAt = now + a.settings.scanMs;
    if (stepScan(a.cursor, groupSizes(), 2) == ScanOutcome::moved) focusMoved();
}

// The focused target went (a drop that vanished, a page that turned): the
// nearest remaining target of its group takes the focus; a group that went
// whole leaves the focus on the group level.
void passFocusOn() {
    AccessState& a = accessState;
    if (a.focusGroupId < 0) return;
    int32_t best = -1;
    double bestDistance = 0;
    int32_t groupStart = -1;
    for (size_t i = 0; i < targetList.targets.size(); ++i) {
        const Target& t = targetList.targets[i];
        if (t.group != a.focusGroupId) continue;
        if (groupStart < 0) groupStart = int32_t(i);
        double distance = std::hypot(double(t.spot.x - a.focusSpot.x), double(t.spot.y - a.focusSpot.y));
        if (best < 0 || distance < bestDistance) {
            best = int32_t(i);
            bestDistance = distance;
        }
    }
    std::vector<int32_t> sizes = groupSizes();
    if (!scanning()) {
        // Keys and dwell have no group level: the nearest target, or the first
        // of the group that now stands where the focused one stood.
        if (best >= 0) groupAndItemOf(targetList, best, a.cursor.group, a.cursor.item);
        else a.cursor.item = 0;
        clampScan(a.cursor, sizes);
        a.cursor.inGroup = true;
        return;
    }
    if (!a.cursor.inGroup || best < 0) {
        // At the group level, or the group is empty: the same group if it is still there.
        int32_t group = 0, item = 0;
        if (groupStart >= 0) groupAndItemOf(targetList, groupStart, group, item);
        a.cursor.group = group;
        a.cursor.item = 0;
        if (best < 0) a.cursor.inGroup = false;
    } else {
        groupAndItemOf(targetList, best, a.cursor.group, a.cursor.item);
    }
    clampScan(a.cursor, sizes);
}

// Where the focus was on a level when a screen opened over it, to go back to
// when that screen closes.
struct LevelFocus {
    bool kept = false;
    ScanCursor cursor;
    SceneNode* node = nullptr;  // compared, never dereferenced
    int32_t groupId = -1;
    TargetSpot spot;
};
LevelFocus levelFocus[3];

LevelFocus& keptFocusOf(ModalLevel level) { return levelFocus[std::clamp(int32_t(level), 0, 2)]; }

// A screen opened: its controls from the start, or from the one the screen
// named (a question's safe answer).
void startOnScreen(const std::vector<int32_t>& sizes) {
    AccessState& a = accessState;
    bool shown = a.cursor.shown;
    restartScan(a.cursor, sizes);
    a.cursor.shown = shown || scanning();
    if (!scanning()) a.cursor.inGroup = true;
    int32_t start = targetIndexOf(targetList, modalFocusStart(targetList.level));
    if (start >= 0 && (a.cursor.inGroup || groupCount(targetList) == 1)) {
        groupAndItemOf(targetList, start, a.cursor.group, a.cursor.item);
        a.cursor.inGroup = true;
    }
}

// A screen closed: the focus where it was on the level now on top; a target
// that went meanwhile passes it to its group, as when it goes in place.
void returnToLevel(const std::vector<int32_t>& sizes) {
    AccessState& a = accessState;
    LevelFocus& kept = keptFocusOf(targetList.level);
    if (!kept.kept) {
        startOnScreen(sizes);
        return;
    }
    kept.kept = false;
    bool shown = a.cursor.shown;
    a.cursor = kept.cursor;
    a.cursor.shown = shown || scanning();
    a.focusNode = kept.node;
    a.focusGroupId = kept.groupId;
    a.focusSpot = kept.spot;
    int32_t index = targetIndexOf(targetList, kept.node);
    if (index >= 0 && a.cursor.inGroup) {
        groupAndItemOf(targetList, index, a.cursor.group, a.cursor.item);
        clampScan(a.cursor, sizes);
    } else {
        passFocusOn();  // at the group level: the same group if it is still there
    }
}

// The holder of the level the focus is on; another screen that took the place
// of a closed one at the same level (the menu's way to the chooser) starts anew.
SceneNode* focusHolder = nullptr;  // compared, never dereferenced

void followListChange() {
    AccessState& a = accessState;
    std::vector<int32_t> sizes = groupSizes();
    // Nothing to act on for a moment (a frame between two pages): the focus
    // waits for the targets to come back.
    if (sizes.empty()) return;
    SceneNode* holder = modalHolder(targetList.level);
    if (targetList.level != a.focusLevel || !a.listSeen || holder != focusHolder) {
        const bool opened = int32_t(targetList.level) >= int32_t(a.focusLevel) || !a.listSeen;
        focusHolder = holder;
        if (opened && a.listSeen && targetList.level != a.focusLevel) {
            LevelFocus& kept = keptFocusOf(a.focusLevel);
            kept.kept = true;
            kept.cursor = a.cursor;
            kept.node = a.focusNode;
            kept.groupId = a.focusGroupId;
            kept.spot = a.focusSpot;
        }
        for (int32_t level = int32_t(targetList.level) + 1; level < 3; ++level) levelFocus[level].kept = false;
        a.focusLevel = targetList.level;
        a.listSeen = true;
        if (opened)
            startOnScreen(sizes);
        else
            returnToLevel(sizes);
        // The first step gets a whole period in which the switch counts: it
        // starts when the rest after the act that changed the level is over.
        const uint32_t now = accessNow();
        const uint32_t from = int32_t(a.restUntil - now) > 0 ? a.restUntil : now;
        a.nextStepAt = from + a.settings.scanMs;
    } else {
        int32_t index = targetIndexOf(targetList, a.focusNode);
        if (index >= 0 && a.cursor.inGroup)
            groupAndItemOf(targetList, index, a.cursor.group, a.cursor.item);
        else
            passFocusOn();
    }
    noteFocus();
}

// The target a dwell counts for this pass: the one under the pointer, held
// to the dwell's own target within its radius, and through short excursions.
SceneNode* dwellTarget(uint32_t now) {
    AccessState& a = accessState;
    SceneNode* under = targetIndexOf(targetList, pickState().hovered) >= 0 ? pickState().hovered : nullptr;
    const bool kept = a.dwellNode && targetIndexOf(targetList, a.dwellNode) >= 0;
    if (!kept || under == a.dwellNode) {
        if (kept && a.awaySince) a.dwellSince += now - a.awaySince;  // the excursion does not count
        a.awaySince = 0;
        return under;
    }
    const double off = std::hypot(double(input().mouseX) - a.dwellX, double(input().mouseY) - a.dwellY);
    if (off <= double(a.settings.dwellRadius)) {
        if (a.awaySince) a.dwellSince += now - a.awaySince;
        a.awaySince = 0;
        return a.dwellNode;
    }
    if (!a.awaySince || under != a.awayNode) {
        if (!a.awaySince) a.awaySince = now;
        a.awayNode = under;
        a.awayNodeSince = now;
    }
    if (now - a.awaySince <= a.settings.dwellGraceMs) return a.dwellNode;
    // Away for good: the target under the pointer counts from when it came.
    a.awaySince = 0;
    a.dwellNode = under;
    a.dwellSince = a.awayNodeSince;
    a.dwellX = input().mouseX;
    a.dwellY = input().mouseY;
    return under;
}

void runDwell() {
    AccessState& a = accessState;
    if (a.settings.method != AccessMethod::dwell) {
        a.dwellProgress = 0;
        return;
    }
    uint32_t now = accessNow();
    SceneNode* under = dwellTarget(now);
    if (under != a.dwellNode) {
        a.dwellNode = under;
        a.dwellSince = now;
        a.dwellX = input().mouseX;
        a.dwellY = input().mouseY;
    }
    // Left: the target acted on counts again once the pointer comes back. A
    // target rebuilt by the act (a well that filled) under a pointer that has
    // not moved is still the one acted on.
    if (a.dwellSpent && under != a.dwellSpent) {
        if (input().mouseX != a.spentX || input().mouseY != a.spentY)
            a.dwellSpent = nullptr;
        else if (under)
            a.dwellSpent = under;
    }
    if (!a.dwellNode || a.dwellNode == a.dwellSpent || a.actPending) {
        a.dwellProgress = 0;
        return;
    }
    // Off the target for a moment: the progress waits where it was.
    if (a.awaySince) return;
    a.dwellProgress = std::min(1.0, double(now - a.dwellSince) / double(std::max<uint32_t>(1, a.settings.dwellMs)));
    if (now - a.dwellSince < a.settings.dwellMs) return;
    requestAct(a.dwellNode, false);
    a.dwellSpent = a.dwellNode;
    a.spentX = input().mouseX;
    a.spentY = input().mouseY;
    a.dwellProgress = 0;
}

}  // namespace

uint32_t accessNow() { return accessState.clock ? accessState.clock() : SDL_GetTicks(); }

namespace {

using WorkClock = std::chrono::steady_clock;

double msSince(WorkClock::time_point start) {
    return std::chrono::duration<double, std::milli>(WorkClock::now() - start).count();
}

// Half of a pass's work, counted when the pass ends (in accessAfterPick).
double beforeFrameMs = 0;

}  // namespace

void accessBeforeFrame() {
    WorkClock::time_point start = WorkClock::now();
    // A hand on the mouse: the keyboard's frame steps aside until the next key.
    if (input().movedThisPass && !scanning()) accessState.focusHidden = true;
    carryOutAct();
    watchReleases();
    if (input().keyPressed && !input().keyConsumed) readKeys();
    runScanClock();
    beforeFrameMs = msSince(start);
}

void accessAfterPick(int32_t windowWidth, int32_t windowHeight) {
    AccessState& a = accessState;
    WorkClock::time_point start = WorkClock::now();
    const uint64_t generation = targetList.generation;
    // A keyboard user who has not pressed a key yet, and every mouse user,
    // pays nothing for the targets.
    const bool wanted = a.settings.method != AccessMethod::keys || a.cursor.shown || a.actPending || a.pendingTab;
    if (!wanted) {
        a.targetsStale = true;
        ++a.counts.passes;
        a.counts.ms += beforeFrameMs + msSince(start);
        beforeFrameMs = 0;
        return;
    }
    const bool spotsWanted = a.spotsWanted || a.targetsStale;
    bool fresh = updateTargets(pickState().lastPickables, windowWidth, windowHeight, spotsWanted);
    a.targetsStale = false;
    if (fresh || spotsWanted || generation != targetList.generation) {
        ++a.counts.spotPasses;
        a.counts.spotMs += msSince(start);
    }
    a.spotsWanted = false;
    if (fresh || a.listGeneration != targetList.generation) {
        a.listGeneration = targetList.generation;
        followListChange();
    } else if (a.cursor.inGroup) {
        const Target* item = targetAt(targetList, a.cursor.group, a.cursor.item);
        if (item) a.focusSpot = item->spot;
    }
    if (a.pendingTab) {
        if (tabScan(a.cursor, groupSizes(), a.pendingTab) == ScanOutcome::moved) focusMoved();
        a.pendingTab = 0;
    }
    runDwell();
    const double passMs = beforeFrameMs + msSince(start);
    beforeFrameMs = 0;
    ++a.counts.passes;
    a.counts.ms += passMs;
    a.counts.slowestMs = std::max(a.counts.slowestMs, passMs);
}

namespace {

bool boxesTouch(const SpotBox& a, const SpotBox& b, int32_t gap) {
    return a.x0 - gap < b.x1 && b.x0 - gap < a.x1 && a.y0 - gap < b.y1 && b.y0 - gap < a.y1;
}

// Joins boxes that overlap or come within gap pixels until none do.
void joinOverlapping(std::vector<SpotBox>& boxes, int32_t gap) {
    for (bool joined = true; joined;) {
        joined = false;
        for (size_t i = 0; i < boxes.size() && !joined; ++i)
            for (size_t j = i + 1; j < boxes.size() && !joined; ++j)
                if (boxesTouch(boxes[i], boxes[j], gap)) {
                    SpotBox& a = boxes[i];
                    const SpotBox& b = boxes[j];
                    a = SpotBox{std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
                    boxes.erase(boxes.begin() + long(j));
                    joined = true;
                }
    }
}

}  // namespace

std::vector<SpotBox> accessFocusBoxes() {
    const AccessState& a = accessState;
    std::vector<SpotBox> boxes;
    if (!a.cursor.shown || a.focusHidden || groupCount(targetList) == 0) return boxes;
    int32_t first = a.cursor.inGroup ? a.cursor.item : 0;
    int32_t last = a.cursor.inGroup ? a.cursor.item : groupSize(targetList, a.cursor.group) - 1;
    // Each member in one box round all its parts; members whose boxes overlap
    // (a page's regions) in one box together.
    for (int32_t i = first; i <= last; ++i)
        if (const Target* t = targetAt(targetList, a.cursor.group, i)) {
            std::vector<SpotBox> parts = t->spot.parts;
            joinOverlapping(parts, 1 << 20);
            boxes.insert(boxes.end(), parts.begin(), parts.end());
        }
    joinOverlapping(boxes, 2);
    return boxes;
}

void resetAccess() {
    accessState = AccessState();
    for (LevelFocus& kept : levelFocus) kept = LevelFocus();
    focusHolder = nullptr;
    stepReleased = selectReleased = true;
    resetTargets();
}
