// What changed on screen between two recorded frames: a few disjoint window
// rectangles that together cover every pixel whose drawing may differ.
#pragma once
#include <vector>

#include "scene/frame_record.h"

struct Damage {
    std::vector<ScreenRect> rects;  // disjoint; empty: nothing changed
};

// Adds r, merging so the rectangles stay disjoint and at most `limit` of them
// remain (two are merged where their joint box adds the least area).
void addDamage(Damage& damage, const ScreenRect& r, size_t limit = 8);
// The damage from before to now: every item added, removed, drawn differently
// or reordered against another contributes where it was and where it is; an
// animated picture counts as changed every frame.
Damage frameDamage(const FrameRecord& before, const FrameRecord& now);
int64_t damagedArea(const Damage& damage);
