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

// Items that now adds to the frame before as one run, the items of before
// standing around it in the same order (typically a screen opening under the
// brush, while a button shrinks back). Empty (count 0) when now is not such a
// frame: nothing added, anything removed or reordered, another view.
struct Insertion {
    size_t first = 0, count = 0;  // now.items[first, first + count)
};
Insertion findInsertion(const FrameRecord& before, const FrameRecord& now);
// Where the picture of before, with the run's items drawn over it, is not yet
// the picture of now and must be drawn again whole: where an item around the
// run changed (where it was and where it is); where an item after the run lies
// over one of the run's (it was drawn before them and must be drawn over them
// again); and where an opaque item of the run lies over a translucent item
// before it, unless wholly in front of it (drawn whole, opaque meshes go first
// and the blend lies over them wherever the depth test lets it).
Damage insertionRepairs(const FrameRecord& before, const FrameRecord& now, const Insertion& run);
