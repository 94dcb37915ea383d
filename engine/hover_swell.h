// The hover swell: what lies under the pointer grows towards a swollen value
// and goes back to rest once the pointer leaves, at a fixed rate, never
// overshooting either end. Buttons, jars, the glass, wells and drops swell
// their scale (and jars and the glass their tilt) this way.
#pragma once
#include "engine/modal.h"
#include "scene/scene_node.h"

struct Swell {
    double rest = 1.0;
    double swollen = 1.1;
    double msPerUnit = 1100.0;  // the value moves by 1 in this many milliseconds
};

// Every button's swell: to 1.1 in 110 ms.
constexpr Swell buttonSwell = {1.0, 1.1, 1100.0};

// The one switch of every swell: while off, nothing swells and what has
// swollen goes back to rest. On at a fresh start.
void setHoverSwellOn(bool on);
// Reduced motion: every swell step, growing in and shrinking away included,
// reaches its end at once. Off at a fresh start.
void setSwellInstant(bool instant);

// value one step of elapsedMs on: towards swollen while hovered (and swelling
// is on), towards rest otherwise.
double swellStep(const Swell& swell, double value, bool hovered, double elapsedMs);
// The same on node's uniform scale; the scale is left untouched while it is
// already where it is going. Returns the scale.
double swellScale(SceneNode* node, const Swell& swell, bool hovered, double elapsedMs);

// The same on node's tilt, its rotation about x.
void swellTilt(SceneNode* node, const Swell& swell, bool hovered, double elapsedMs);

// Endless track of a button that swells by buttonSwell while hovered on its
// level; arg is levelArg(level).
void buttonSwellTrack(void* level);
void* levelArg(ModalLevel level);
