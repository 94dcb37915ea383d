// Frames drawn ahead of a key that swaps one node of the tree for another (a
// page turn), so that the key's first frame copies a picture instead of
// drawing it.
//
// While the loop rests, the frame each such key would show is recorded (the
// tree walked still, with the node that would come in the shown one's place),
// drawn into the presenter's picture inside the box where it differs from the
// frame shown, and that box's colours kept in a picture of their own, one
// sample a pixel; the box is then drawn back as it was. When the key comes and
// its frame draws the same inside the box, item by item by content (the nodes
// are new), the kept colours are copied into every sample of the box and only
// the rectangles of items that differ are drawn. Those samples are flat (a
// pixel's samples alike, the depth not drawn), so the box counts as changed in
// the next frame and is drawn for real before anything reads it.
//
// Ownership: the presenter owns its frames ahead. Each owns the detached nodes
// its record was walked with, which keep the arrays and pictures the record
// names alive (so that memory used again can never pass for the same
// content), and its colours' picture, of the window's context like the
// presenter's own. Drawing ahead happens once after each frame drawn, never
// at every pass.
#pragma once
#include <cstdint>

#include "engine/box_drawing.h"
#include "engine/offscreen.h"
#include "scene/frame_damage.h"
#include "scene/frame_record.h"
#include "scene/scene_node.h"

struct FrameAhead {
    FrameRecord record;     // the frame the swap would show
    ScreenRect box;         // where it differs from the frame shown when drawn
    OffscreenTarget colours;  // the box's colours, box-sized, one sample a pixel
    SceneNode* holder = nullptr;  // owned, detached: what record was walked with
    DrawingState state;     // what it was drawn under
};

// What may come is asked of engineHooks().comingFrames.
struct FramesAhead {
    // false: nothing is drawn ahead (QUILLMEAD_NO_FRAMES_AHEAD=1, to compare).
    bool on = true;
    FrameAhead frames[2];
    const SceneNode* shownWhenDrawn = nullptr;
    bool unchecked[2] = {true, true};  // a frame was drawn since it was last looked at
    int32_t nextToCheck = 0;
    int32_t quietFrames = 0;  // frames in a row that drew nothing
    // Samples of the presenter's picture copied from a kept box, not drawn:
    // part of the next frame's damage, and nothing may read them before.
    ScreenRect flat;
};

// A frame drawn ahead that the frame now can be drawn from, and the rectangles
// of its box to draw for real.
struct AheadMatch {
    int32_t which = -1;  // none
    Damage repairs;
};

// The presenter's frame drew nothing (shown is the frame on screen, held by
// picture, boxes its drawing): after a few such frames, looks again at one
// swap whose frame may have changed and draws it ahead when it did. True when
// it drew one.
bool drawFramesAheadAtRest(FramesAhead& a, BoxDrawing& boxes, SceneNode* root, const FrameRecord& shown,
                           OffscreenTarget& picture);
// The frame drawn ahead that now can be drawn from, when damage (now against
// the frame shown) covers most of its box and frames are drawn under state, as
// it was drawn. Reads only what it is given.
AheadMatch findFrameAhead(const FramesAhead& a, const FrameRecord& now, const Damage& damage,
                          const DrawingState& state);
// Draws now into picture from the match: the kept colours into the box, its
// repairs, and the parts of damage outside the box; the box is then flat.
// Returns the meshes drawn; -1, with nothing drawn, when the copy failed.
int64_t drawFromFrameAhead(FramesAhead& a, BoxDrawing& boxes, const FrameRecord& now, const AheadMatch& match,
                           const Damage& damage, OffscreenTarget& picture);
// After every frame drawn: each swap is looked at again at the next rest, and
// frames drawn for a node no longer shown are let go.
void frameDrawnBesideFramesAhead(FramesAhead& a);
// Lets every frame ahead go (memory short, the tree coming down). With the
// context gone, its pictures are forgotten rather than deleted.
void letFramesAheadGo(FramesAhead& a, bool contextAlive = true);
