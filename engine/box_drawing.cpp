#include "engine/box_drawing.h"

#include "base/gl.h"
#include "scene/frame_damage.h"
#include "scene/hidden_items.h"

namespace {

// The nearer sample wins (GL_LESS or GL_LEQUAL) at the depth its triangle
// gives (no offset, the whole depth range), no triangle is culled, and opaque
// items write their depth and every colour: what leaving out hidden items
// relies on.
bool depthKeepsNearest() {
    const DrawingState s = currentDrawingState();
    return !s.cullFace && !s.polygonOffset && s.depthRange[0] == 0 && s.depthRange[1] == 1 &&
           (s.depthFunc == GL_LESS || s.depthFunc == GL_LEQUAL) && s.depthWrites && s.colourWrites[0] &&
           s.colourWrites[1] && s.colourWrites[2] && s.colourWrites[3];
}

}  // namespace

// Draws the frame again inside r only. The scissor box alone is not enough:
// llvmpipe lets multisampled triangles cover samples of the pixels just below
// and left of the box, which would blend translucent meshes there twice. So the
// box is also marked in the stencil buffer with a value no other pixel holds
// (each box of each frame takes the next value; the whole buffer is cleared
// when they run out), and only pixels holding it are drawn. The items marked
// in hidden are left out; where an opaque sheet among the others covers every
// sample, the colour need not be cleared first (covered).
int64_t drawInside(BoxDrawing& b, const FrameRecord& record, const ScreenRect& r, const std::vector<uint8_t>* hidden,
                   bool covered) {
    if (b.stencilValue == 255) {
        setGlSwitch(GlSwitch::scissorTest, false);
        glClearStencil(0);
        clearBuffers(GL_STENCIL_BUFFER_BIT);
        setGlSwitch(GlSwitch::scissorTest, true);
        b.stencilValue = 0;
    }
    ++b.stencilValue;
    glScissor(r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0);
    glClearStencil(b.stencilValue);
    clearBuffers((covered ? 0 : GL_COLOR_BUFFER_BIT) | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glClearStencil(0);
    setGlSwitch(GlSwitch::stencilTest, true);
    glStencilFunc(GL_EQUAL, b.stencilValue, 0xff);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    const int64_t drawn = drawRecorded(record, &r, 0, SIZE_MAX, hidden);
    setGlSwitch(GlSwitch::stencilTest, false);
    return drawn;
}

// Draws the frame again inside r, leaving out what lies wholly behind an
// opaque sheet covering most of it (scene/hidden_items.h): the part the sheet
// covers is drawn without those items, the strips around it with everything.
// Only where the state items are drawn under is the one that relies on.
int64_t drawInsideLeavingOutHidden(BoxDrawing& b, const FrameRecord& record, const ScreenRect& r) {
    ScreenRect inside;
    const size_t count = b.leaveOutHidden && depthKeepsNearest() ? findHiddenItems(record, r, inside, b.hidden) : 0;
    if (count == 0) return drawInside(b, record, r);
    b.itemsHidden += int64_t(count);
    int64_t drawn = drawInside(b, record, inside, &b.hidden, true);
    for (const ScreenRect& strip : partsOutside(r, inside)) drawn += drawInside(b, record, strip);
    return drawn;
}

