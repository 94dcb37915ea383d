// Drawing a recorded frame again inside a rectangle of the presenter's
// multisampled picture, leaving the rest of the picture as it is. The scissor
// test must be on (setGlSwitch). The picture's stencil buffer belongs to its BoxDrawing.
#pragma once
#include <cstdint>
#include <vector>

#include "scene/frame_record.h"
#include "scene/gl_state.h"

struct BoxDrawing {
    uint8_t stencilValue = 0;  // marks the rectangle being drawn again
    // Items wholly behind an opaque sheet covering a box are left out of it
    // (QUILLMEAD_DRAW_HIDDEN=1 draws them all, to compare).
    bool leaveOutHidden = true;
    std::vector<uint8_t> hidden;  // the items left out of the box being drawn
    int64_t itemsHidden = 0;      // left out so far, summed
};


// Draws the frame again inside r only: colour, depth and stencil cleared there
// first (colour not, when covered: an opaque sheet among the items drawn covers
// every sample). Items marked in hidden are left out. Returns the meshes drawn.
int64_t drawInside(BoxDrawing& b, const FrameRecord& record, const ScreenRect& r,
                   const std::vector<uint8_t>* hidden = nullptr, bool covered = false);
// drawInside, leaving out what lies wholly behind an opaque sheet covering most
// of r (scene/hidden_items.h) unless b.leaveOutHidden is off.
int64_t drawInsideLeavingOutHidden(BoxDrawing& b, const FrameRecord& record, const ScreenRect& r);
