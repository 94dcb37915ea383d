// What a repair box may leave out. Inside a rectangle, an item lying wholly
// behind an opaque flat sheet that covers every sample of it changes no sample,
// whatever order the two are drawn in: the sheet is nearer at every sample, so
// the item is never the last to pass the depth test there and never lowers the
// depth another item is tested against below what the sheet leaves; blended
// items come after every opaque one and fail against the sheet's depth.
//
// The rules this relies on, all checked against the record: the sheet is drawn
// opaque (not translucent, no alpha test, depth test on; opaque items are drawn
// with depth writes, no blending and every colour written), the depth function
// is GL_LEQUAL or GL_LESS over the whole depth range, no face is culled, no
// polygon offset applies and nothing changes the stencil while items are drawn
// (the presenter's rules); the sheet is flat and convex without holes
// (scene/flat_outline.h) and wholly inside the depth range; its projection
// holds the rectangle with a pixel to spare on every side; and every corner of the
// hidden item's box lies behind the sheet's plane, as seen from the eye, by a
// margin of many steps of a 24-bit depth buffer. The item itself must be drawn
// with the depth test on. Only a perspective projection from the eye (as the
// camera's) is handled; under any other nothing is hidden.
#pragma once
#include <cstdint>
#include <vector>

#include "scene/frame_record.h"

// Looks for the sheet that hides the most inside box: inside is set to the
// part of box it covers (a rectangle holding at least half of box; the rest of
// box must be drawn whole) and hidden (resized to the record's items, cleared
// first) marks the items that need not be drawn inside it. Returns how many
// are marked; 0 when no sheet hides anything there (inside is then empty).
size_t findHiddenItems(const FrameRecord& record, const ScreenRect& box, ScreenRect& inside,
                       std::vector<uint8_t>& hidden);
