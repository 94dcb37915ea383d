#include "engine/frames_ahead.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "base/gl.h"
#include "engine/camera.h"
#include "engine/engine_hooks.h"
#include "scene/animation.h"
#include "scene/mesh.h"
#include "scene/render.h"

namespace {

// Frames in a row that drew nothing before drawing ahead: what a pass sets off
// (a press counted after the pick) may show a frame or two later.
const int32_t kQuietFramesBeforeDrawingAhead = 3;

bool sameView(const FrameRecord& a, const FrameRecord& b) {
    return std::memcmp(a.viewport, b.viewport, sizeof a.viewport) == 0 &&
           std::memcmp(a.projection, b.projection, sizeof a.projection) == 0;
}

// What may come, as the layer above wired it: the node a swap would replace,
// and the one a swap would bring (null: none).
SceneNode* shownNode() {
    const FramesAheadSource& source = engineHooks().comingFrames;
    return source.shown ? source.shown() : nullptr;
}

SceneNode* buildComing(int32_t which, bool* later) {
    const FramesAheadSource& source = engineHooks().comingFrames;
    return source.buildComing ? source.buildComing(which, later) : nullptr;
}

// A detached subtree, bottom-up.
void destroyDetached(SceneNode* node) {
    if (!node) return;
    for (SceneNode* child : node->children) destroyDetached(child);
    destroyNode(node);
}

// Its meshes were drawn once, ahead; their buffers are made again if ever
// drawn once more.
void releaseBuffers(SceneNode* node) {
    for (Mesh* mesh : node->meshes)
        if (mesh) releaseMeshBuffer(mesh->buffer);
    for (SceneNode* child : node->children) releaseBuffers(child);
}

void letFrameGo(FrameAhead& frame, bool contextAlive) {
    destroyDetached(frame.holder);
    if (contextAlive)
        closeOffscreen(frame.colours);
    else
        frame.colours = OffscreenTarget();
    frame.holder = nullptr;
    frame.record.items.clear();
    frame.box = ScreenRect{};
}

// The kept colours' picture of the box's size (opened again when it differs).
bool ensureColours(FrameAhead& frame, const ScreenRect& box) {
    const int32_t w = box.x1 - box.x0, h = box.y1 - box.y0;
    if (frame.colours.framebuffer && frame.colours.width == w && frame.colours.height == h) return true;
    closeOffscreen(frame.colours);
    return openColourOffscreen(frame.colours, w, h);
}

// Looks at the swap `which` again: keeps its frame while the swap would still
// draw the same inside its box, else draws it ahead (or lets it go).
bool checkSwap(FramesAhead& a, BoxDrawing& boxes, int32_t which, SceneNode* root, SceneNode* shown,
               const FrameRecord& shownRecord, OffscreenTarget& picture) {
    FrameAhead& frame = a.frames[which];
    bool later = false;
    SceneNode* coming = buildComing(which, &later);
    a.unchecked[which] = later;
    if (!coming) {
        if (!later) letFrameGo(frame, true);
        return false;
    }
    keepInStillWalks(lightingCallback);
    FrameRecord record;
    recordStillFrameWith(root, shown, coming, record);
    const DrawingState state = currentDrawingState();
    if (frame.holder && sameDrawingState(frame.state, state) && sameView(frame.record, record) &&
        keptBoxRepairs(frame.record, record, frame.box).rects.empty()) {
        destroyDetached(coming);
        return false;
    }
    const ScreenRect box = damageBounds(frameDamage(shownRecord, record));
    if (isEmpty(box) || !ensureColours(frame, box)) {
        destroyDetached(coming);
        letFrameGo(frame, true);
        bindOffscreen(&picture);
        return false;
    }
    // Drawn into the picture and kept; the box is drawn back as shown at the
    // next rest, or with the next frame drawn (flat). None of it counts as a
    // frame's work.
    const int64_t hiddenBefore = boxes.itemsHidden;
    bindOffscreen(&picture);
    setGlSwitch(GlSwitch::scissorTest, true);
    drawInsideLeavingOutHidden(boxes, record, box);
    setGlSwitch(GlSwitch::scissorTest, false);
    boxes.itemsHidden = hiddenBefore;
    a.flat = isEmpty(a.flat) ? box : joined(a.flat, box);
    bool kept = copyOffscreenPart(picture, box.x0, box.y0, box.x1 - box.x0, box.y1 - box.y0, frame.colours, 0, 0);
    // The copy back, once over a pixel of the box: a driver that makes its
    // code for a kind of copy the first time it is asked does so now rather
    // than in the turn's frame (llvmpipe: 20 ms).
    kept = kept && copyOffscreenPart(frame.colours, 0, 0, 1, 1, picture, box.x0, box.y0);
    bindOffscreen(&picture);
    releaseBuffers(coming);
    if (!kept) {
        destroyDetached(coming);
        letFrameGo(frame, true);
        bindOffscreen(&picture);
        return false;
    }
    destroyDetached(frame.holder);
    frame.holder = coming;
    frame.record = std::move(record);
    frame.box = box;
    frame.state = state;
    return true;
}

}  // namespace

bool drawFramesAheadAtRest(FramesAhead& a, BoxDrawing& boxes, SceneNode* root, const FrameRecord& shown,
                           OffscreenTarget& picture) {
    if (++a.quietFrames < kQuietFramesBeforeDrawingAhead || !a.on || !root || root->removing) return false;
    if (!a.unchecked[0] && !a.unchecked[1]) return false;
    SceneNode* node = shownNode();
    if (node != a.shownWhenDrawn) {
        letFramesAheadGo(a);
        a.shownWhenDrawn = node;
        bindOffscreen(&picture);
    }
    if (!node) {
        a.unchecked[0] = a.unchecked[1] = false;
        return false;
    }
    // One swap a frame, in turn: a swap that must wait does not hold the other up.
    for (int32_t k = 0; k < 2; ++k) {
        const int32_t which = (a.nextToCheck + k) % 2;
        if (!a.unchecked[which]) continue;
        a.nextToCheck = 1 - which;
        if (!checkSwap(a, boxes, which, root, node, shown, picture)) return false;
        // The box drawn ahead is drawn back at the next pass, which must come
        // within a frame rather than after a long rest.
        wakeByClock(sceneState().frameTime);
        return true;
    }
    return false;
}

AheadMatch findFrameAhead(const FramesAhead& a, const FrameRecord& now, const Damage& damage,
                          const DrawingState& state) {
    AheadMatch best;
    if (!a.on) return best;
    int64_t bestArea = 0;
    for (int32_t which = 0; which < 2; ++which) {
        const FrameAhead& frame = a.frames[which];
        const int64_t boxArea = area(frame.box);
        if (!frame.holder || damagedArea(damage) * 2 < boxArea || !sameView(frame.record, now)) continue;
        if (!sameDrawingState(frame.state, state)) continue;
        Damage repairs = keptBoxRepairs(frame.record, now, frame.box);
        const int64_t area = damagedArea(repairs);
        // Where much must be drawn anyway, the usual way is as cheap.
        if (area * 2 > boxArea || (best.which >= 0 && area >= bestArea)) continue;
        best.which = which;
        best.repairs = std::move(repairs);
        bestArea = area;
    }
    return best;
}

int64_t drawFromFrameAhead(FramesAhead& a, BoxDrawing& boxes, const FrameRecord& now, const AheadMatch& match,
                           const Damage& damage, OffscreenTarget& picture) {
    const FrameAhead& frame = a.frames[match.which];
    const ScreenRect& box = frame.box;
    if (!copyOffscreenPart(frame.colours, 0, 0, box.x1 - box.x0, box.y1 - box.y0, picture, box.x0, box.y0)) {
        bindOffscreen(&picture);
        return -1;
    }
    int64_t drawn = 0;
    setGlSwitch(GlSwitch::scissorTest, true);
    for (const ScreenRect& r : match.repairs.rects) drawn += drawInsideLeavingOutHidden(boxes, now, r);
    for (const ScreenRect& r : damage.rects)
        for (const ScreenRect& part : partsOutside(r, box)) drawn += drawInsideLeavingOutHidden(boxes, now, part);
    setGlSwitch(GlSwitch::scissorTest, false);
    a.flat = box;
    return drawn;
}

void frameDrawnBesideFramesAhead(FramesAhead& a) {
    a.quietFrames = 0;
    a.unchecked[0] = a.unchecked[1] = true;
    if (!a.frames[0].holder && !a.frames[1].holder) return;
    if (shownNode() != a.shownWhenDrawn) letFramesAheadGo(a);
}

void letFramesAheadGo(FramesAhead& a, bool contextAlive) {
    for (FrameAhead& frame : a.frames) letFrameGo(frame, contextAlive);
}
