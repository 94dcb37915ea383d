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
// The parts of r outside hole, at most four rectangles (the rows below and
// above it, then the columns beside it), none empty.
std::vector<ScreenRect> partsOutside(const ScreenRect& r, const ScreenRect& hole);
// The smallest rectangle holding all of damage (empty when it is).
ScreenRect damageBounds(const Damage& damage);
// Where inside box a picture of kept is not the picture of now, when the two
// frames' items are matched by what they draw (sameContent) rather than by
// mesh, so that a frame recorded from other nodes built alike can stand in:
// among the items reaching into box, taken in order, those of now that follow
// matched items of kept in the same order draw the same pixels there; the
// rectangles of every other item of either (clipped to box) must be drawn
// again. Both frames must share their view and projection.
Damage keptBoxRepairs(const FrameRecord& kept, const FrameRecord& now, const ScreenRect& box);

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
