#include "engine/frame_presenter.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/gl.h"
#include "base/gl_context.h"
#include "engine/camera.h"
#include "scene/hidden_items.h"
#include "scene/render.h"

FramePresenter presenter;

namespace {

using Clock = std::chrono::steady_clock;

// The nearer sample wins (GL_LESS or GL_LEQUAL) at the depth its triangle
// gives (no offset, the whole depth range), no triangle is culled, and opaque
// items write their depth and every colour: what leaving out hidden items
// relies on.
bool depthKeepsNearest() {
    if (glIsEnabled(GL_CULL_FACE) || glIsEnabled(GL_POLYGON_OFFSET_FILL)) return false;
    GLdouble range[2] = {0, 0};
    glGetDoublev(GL_DEPTH_RANGE, range);
    if (range[0] != 0 || range[1] != 1) return false;
    GLint func = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &func);
    GLboolean colors[4] = {GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE};
    glGetBooleanv(GL_COLOR_WRITEMASK, colors);
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    return (func == GL_LESS || func == GL_LEQUAL) && depthWrites && colors[0] && colors[1] && colors[2] &&
           colors[3];
}

double msBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Draws the frame again inside r only. The scissor box alone is not enough:
// llvmpipe lets multisampled triangles cover samples of the pixels just below
// and left of the box, which would blend translucent meshes there twice. So the
// box is also marked in the stencil buffer with a value no other pixel holds
// (each box of each frame takes the next value; the whole buffer is cleared
// when they run out), and only pixels holding it are drawn. The items marked
// in hidden are left out; where an opaque sheet among the others covers every
// sample, the colour need not be cleared first (covered).
int64_t drawInside(FramePresenter& p, const FrameRecord& record, const ScreenRect& r,
                   const std::vector<uint8_t>* hidden = nullptr, bool covered = false) {
    if (p.stencilValue == 255) {
        glDisable(GL_SCISSOR_TEST);
        glClearStencil(0);
        glClear(GL_STENCIL_BUFFER_BIT);
        glEnable(GL_SCISSOR_TEST);
        p.stencilValue = 0;
    }
    ++p.stencilValue;
    glScissor(r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0);
    glClearStencil(p.stencilValue);
    glClear((covered ? 0 : GL_COLOR_BUFFER_BIT) | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glClearStencil(0);
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_EQUAL, p.stencilValue, 0xff);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    const int64_t drawn = drawRecorded(record, &r, 0, SIZE_MAX, hidden);
    glDisable(GL_STENCIL_TEST);
    return drawn;
}

// Draws the frame again inside r, leaving out what lies wholly behind an
// opaque sheet covering most of it (scene/hidden_items.h): the part the sheet
// covers is drawn without those items, the strips around it with everything.
// Only where the state items are drawn under is the one that relies on.
int64_t drawInsideLeavingOutHidden(FramePresenter& p, const FrameRecord& record, const ScreenRect& r) {
    ScreenRect inside;
    const size_t count = p.leaveOutHidden && depthKeepsNearest() ? findHiddenItems(record, r, inside, p.hidden) : 0;
    if (count == 0) return drawInside(p, record, r);
    p.counts.itemsHidden += int64_t(count);
    int64_t drawn = drawInside(p, record, inside, &p.hidden, true);
    const ScreenRect strips[4] = {{r.x0, r.y0, r.x1, inside.y0},
                                  {r.x0, inside.y1, r.x1, r.y1},
                                  {r.x0, inside.y0, inside.x0, inside.y1},
                                  {inside.x1, inside.y0, r.x1, inside.y1}};
    for (const ScreenRect& strip : strips)
        if (!isEmpty(strip)) drawn += drawInside(p, record, strip);
    return drawn;
}

// Clears everything and draws every recorded mesh.
int64_t drawWhole(const FrameRecord& record) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    return drawRecorded(record, nullptr);
}

// The window-sized pictures, opened again whenever the window's size differs.
bool ensurePicture(OffscreenTarget& target, int32_t samples, bool withStencil, bool* opened = nullptr) {
    if (target.framebuffer && target.width == camera->width && target.height == camera->height) return true;
    if (opened) *opened = true;
    closeOffscreen(target);
    return openMultisampledOffscreen(target, camera->width, camera->height, samples, withStencil);
}

// Draws the frame whole into the comparison picture and compares both after
// averaging their samples; leaves the window's back buffer holding the frame.
void compareWithWholeFrame(const FrameRecord& record) {
    FramePresenter& p = presenter;
    if (!ensurePicture(p.whole, camera->pictureSamples, false)) return;
    bindOffscreen(&p.whole);
    drawWhole(record);
    if (!copyOffscreen(p.whole, nullptr)) return;
    const std::vector<uint8_t> whole = readRgbRows(camera->width, camera->height);
    if (!copyOffscreen(p.picture, nullptr)) return;
    const std::vector<uint8_t> kept = readRgbRows(camera->width, camera->height);
    ++p.counts.framesCompared;
    if (whole == kept) return;
    ++p.counts.framesDiffering;
    if (!p.counts.firstDifference.empty()) return;
    for (size_t i = 0; i < whole.size(); ++i) {
        if (whole[i] == kept[i]) continue;
        const size_t pixel = i / 3;
        char text[160];
        std::snprintf(text, sizeof text, "frame %lld, pixel (%zu, %zu from the top): kept %u, whole %u",
                      static_cast<long long>(p.counts.frames), pixel % size_t(camera->width),
                      pixel / size_t(camera->width), unsigned(kept[i]), unsigned(whole[i]));
        p.counts.firstDifference = text;
        break;
    }
}

// The picture where frames are kept in one, opened for the window's size; null
// where frames go straight into the window. A picture opened just now (first
// frame, a new size) or none at all means the next frame is drawn whole.
OffscreenTarget* keptPicture(FramePresenter& p) {
    if (p.context != glContextSerial()) {
        p.picture = OffscreenTarget();
        p.whole = OffscreenTarget();
        p.noPicture = false;
        p.pictureHoldsFrame = false;
        p.context = glContextSerial();
    }
    bool opened = false;
    if (!p.noPicture && camera->pictureSamples > 0 &&
        !ensurePicture(p.picture, camera->pictureSamples, true, &opened))
        p.noPicture = true;
    if (p.noPicture || opened || camera->pictureSamples == 0) p.pictureHoldsFrame = false;
    return p.noPicture || camera->pictureSamples == 0 ? nullptr : &p.picture;
}

}  // namespace

std::vector<uint8_t> drawWholeFrameRgb(SceneNode* root) {
    FramePresenter& p = presenter;
    FrameRecord& record = p.records[p.current];
    OffscreenTarget* picture = keptPicture(p);
    bindOffscreen(picture);
    recordFrame(root, record);
    drawWhole(record);
    if (picture) copyOffscreen(*picture, nullptr);
    p.pictureHoldsFrame = false;
    return readRgbRows(camera->width, camera->height);
}

void redrawWholeNextFrame() { presenter.pictureHoldsFrame = false; }

void closePresenter() {
    if (presenter.counts.framesDiffering > 0)
        std::fprintf(stderr, "quillmead: %lld of %lld frames differed from whole frames; first: %s\n",
                     static_cast<long long>(presenter.counts.framesDiffering),
                     static_cast<long long>(presenter.counts.framesCompared),
                     presenter.counts.firstDifference.c_str());
    if (presenter.context == glContextSerial()) {
        closeOffscreen(presenter.picture);
        closeOffscreen(presenter.whole);
    }
    presenter.picture = OffscreenTarget();
    presenter.whole = OffscreenTarget();
    presenter.pictureHoldsFrame = false;
    presenter.noPicture = false;
    for (FrameRecord& r : presenter.records) r.items.clear();
}

bool presentFrame(SceneNode* root) {
    FramePresenter& p = presenter;
    if (p.counts.frames == 0) {
        const char* check = std::getenv("QUILLMEAD_CHECK_FRAMES");
        if (check && std::strcmp(check, "1") == 0) p.checkAgainstWholeFrames = true;
        const char* drawHidden = std::getenv("QUILLMEAD_DRAW_HIDDEN");
        if (drawHidden && std::strcmp(drawHidden, "1") == 0) p.leaveOutHidden = false;
    }
    ++p.counts.frames;
    FrameRecord& now = p.records[p.current];
    const FrameRecord& before = p.records[1 - p.current];
    OffscreenTarget* picture = keptPicture(p);
    bindOffscreen(picture);

    const Clock::time_point started = Clock::now();
    recordFrame(root, now);
    const Clock::time_point recorded = Clock::now();
    p.counts.itemsRecorded += int64_t(now.items.size());
    const ScreenRect view = wholeView(now);
    bool whole = !p.pictureHoldsFrame;
    // A run of items added to a frame otherwise much the same (a screen opening
    // over the desk) is drawn over the picture kept, however much of the window
    // it covers; only where that picture is not yet right is the frame drawn
    // again inside boxes.
    const int64_t viewArea = int64_t(view.x1 - view.x0) * (view.y1 - view.y0);
    Insertion run;
    Damage repairs;
    if (!whole) {
        run = findInsertion(before, now);
        if (run.count > 0) repairs = insertionRepairs(before, now, run);
        // Where much must be drawn again anyway, the usual way is as cheap.
        if (damagedArea(repairs) * 2 > viewArea) run = Insertion();
    }
    if (run.count > 0) {
        p.lastDamage = repairs;
        for (size_t i = run.first; i < run.first + run.count; ++i) addDamage(p.lastDamage, now.items[i].rect);
    } else {
        p.lastDamage = whole ? Damage{{view}} : frameDamage(before, now);
        // Most of the window changed (a page turn, a screen filling it): drawn
        // whole, which spares the scissor boxes and the stencil test their cost.
        if (!whole && damagedArea(p.lastDamage) * 2 > viewArea) {
            whole = true;
            p.lastDamage = Damage{{view}};
        }
    }
    p.counts.recordMs += msBetween(started, recorded);
    p.counts.damageMs += msBetween(recorded, Clock::now());
    p.current = 1 - p.current;
    if (p.lastDamage.rects.empty()) {
        ++p.counts.unchangedFrames;
        bindOffscreen(nullptr);
        return false;
    }

    if (run.count > 0) {
        ++p.counts.insertedFrames;
        p.counts.itemsDrawn += drawRecorded(now, nullptr, run.first, run.first + run.count);
        glEnable(GL_SCISSOR_TEST);
        for (const ScreenRect& r : repairs.rects) p.counts.itemsDrawn += drawInsideLeavingOutHidden(p, now, r);
        glDisable(GL_SCISSOR_TEST);
    } else if (whole) {
        ++p.counts.wholeFrames;
        p.stencilValue = 0;
        p.counts.itemsDrawn += drawWhole(now);
    } else {
        ++p.counts.partialFrames;
        glEnable(GL_SCISSOR_TEST);
        for (const ScreenRect& r : p.lastDamage.rects) p.counts.itemsDrawn += drawInsideLeavingOutHidden(p, now, r);
        glDisable(GL_SCISSOR_TEST);
    }
    p.counts.pixelsDrawn += damagedArea(p.lastDamage);
    if (picture) {
        if (p.checkAgainstWholeFrames) compareWithWholeFrame(now);
        p.pictureHoldsFrame = copyOffscreen(*picture, nullptr);
        if (!p.pictureHoldsFrame) {
            // The copy failed: from now on every frame goes straight to the window.
            closeOffscreen(*picture);
            p.noPicture = true;
            drawWhole(now);
        }
    }
    SDL_GL_SwapBuffers();
    return true;
}
