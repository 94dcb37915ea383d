// The ways in besides a mouse: a keyboard focus (Tab, Shift+Tab, Space) in
// every method, two switches, one switch with automatic scanning, and dwell.
// All of them end in the mouse's own click: the pointer is put on the target's
// spot, the target becomes the hovered node and the pass carries a left click,
// so the handlers never learn a second way in.
//
// Each pass of the main loop calls accessBeforeFrame right after the input is
// polled and accessAfterPick right after the pick; nothing else writes the
// state below.
#pragma once
#include <cstdint>
#include <vector>

#include "engine/access_scan.h"
#include "engine/modal.h"
#include "engine/target_spots.h"
#include "scene/scene_node.h"

// How the adult set the program up. The defaults are a keyboard user's.
struct AccessSettings {
    AccessMethod method = AccessMethod::keys;
    uint32_t scanMs = 1500;   // one switch: how long the focus rests on each step
    uint32_t dwellMs = 1000;  // dwell: how long the pointer rests before it clicks
    // Dwell for eye gaze, which never rests: a dwell under way keeps its target
    // while the pointer stays within dwellRadius pixels of where it began (a
    // small target, a detail drawn inside a region), and keeps its progress
    // through excursions off it shorter than dwellGraceMs.
    uint32_t dwellGraceMs = 400;
    int32_t dwellRadius = 24;
    bool reducedMotion = false;
};
constexpr uint32_t kLeastScanMs = 500, kMostScanMs = 5000;
constexpr uint32_t kLeastDwellMs = 300, kMostDwellMs = 5000;
constexpr uint32_t kMostDwellGraceMs = 2000;
constexpr int32_t kMostDwellRadius = 200;

struct AccessState {
    AccessSettings settings;
    ScanCursor cursor;
    SceneNode* focusNode = nullptr;  // the item under focus; compared, never dereferenced
    int32_t focusGroupId = -1;       // its group's number in the target list
    TargetSpot focusSpot;            // where it showed, for passing the focus on
    uint64_t listGeneration = 0;
    ModalLevel focusLevel = ModalLevel::desk;  // the level the focus is on
    bool spotsWanted = false;  // find the targets' spots again after the next pick
    // Keys only, no focus yet: the targets are not kept up to date until a key
    // asks for them (pendingTab, the direction of the Tab that asked).
    bool targetsStale = true;
    int32_t pendingTab = 0;
    bool listSeen = false;  // the first list was taken in
    // Keys and dwell: the pointer moved since the last key, so the frame is
    // hidden; it keeps its place, and the next Tab moves on from there.
    bool focusHidden = false;
    // An act decided in one pass is carried out at the start of the next, once
    // the spots are fresh.
    bool actPending = false;
    bool actMovesPointer = false;
    SceneNode* actNode = nullptr;
    // One switch: the clock's next step, and the rest after an act.
    uint32_t nextStepAt = 0;
    uint32_t restUntil = 0;
    bool started = false;
    SwitchGate stepGate, selectGate;
    // Dwell: the target resting under the pointer, since when, and the one
    // acted on, which must be left before it counts again.
    SceneNode* dwellNode = nullptr;
    uint32_t dwellSince = 0;
    uint16_t dwellX = 0, dwellY = 0;  // where the pointer was when it began
    // Off the target (beyond the radius) since awaySince, 0 while on it; the
    // target under the pointer meanwhile, and since when it has been.
    uint32_t awaySince = 0;
    SceneNode* awayNode = nullptr;
    uint32_t awayNodeSince = 0;
    SceneNode* dwellSpent = nullptr;
    uint16_t spentX = 0, spentY = 0;  // where the pointer was when it acted
    double dwellProgress = 0;  // 0..1, the ring around the brush
    // What happened, for the sound and for tests.
    int64_t focusMoves = 0;
    int64_t acts = 0;
    // The work it costs, for the benchmark: every pass's two calls, and among
    // them the passes that found the targets' spots.
    struct Counts {
        int64_t passes = 0;
        double ms = 0, slowestMs = 0;
        int64_t spotPasses = 0;
        double spotMs = 0;
    } counts;
    // The clock scanning and dwell run by; null: SDL's milliseconds.
    uint32_t (*clock)() = nullptr;
};

extern AccessState accessState;

uint32_t accessNow();
// After the input is polled: carries out the act decided in the last pass,
// then reads Tab, Space and Enter (taking the keys it uses) and the clock of
// the one-switch scan.
void accessBeforeFrame();
// After the pick: the target list brought up to date with the window's size,
// the focus passed on when its target went, the dwell timer.
void accessAfterPick(int32_t windowWidth, int32_t windowHeight);

// The window boxes (rows from the top) the focus frame goes round, so that it
// outlines what an act changes: one box round every visible part of the
// focused item (all the rays of a sun), or one round each member of the
// focused group, those that overlap joined (a page's regions make the page),
// not one box across the space between them. Empty when no focus shows.
std::vector<SpotBox> accessFocusBoxes();

// The sound of a focus move; played only while sounds are on.
extern const char kFocusTickSound[];

// Back to a fresh start's state, the settings included.
void resetAccess();
