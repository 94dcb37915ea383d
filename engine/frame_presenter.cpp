#include "engine/frame_presenter.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/gl.h"
#include "base/gl_context.h"
#include "engine/camera.h"
#include "engine/box_drawing.h"
#include "engine/frames_ahead.h"
#include "scene/render.h"

FramePresenter presenter;

namespace {

using Clock = std::chrono::steady_clock;

double msBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
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
        letFramesAheadGo(p.ahead, false);
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
    p.ahead.flat = ScreenRect{};
    return readRgbRows(camera->width, camera->height);
}

void redrawWholeNextFrame() { presenter.pictureHoldsFrame = false; }

void showWindowAgainNextFrame() { presenter.windowStale = true; }

void closePresenter() {
    if (presenter.counts.framesDiffering > 0)
        std::fprintf(stderr, "quillmead: %lld of %lld frames differed from whole frames; first: %s\n",
                     static_cast<long long>(presenter.counts.framesDiffering),
                     static_cast<long long>(presenter.counts.framesCompared),
                     presenter.counts.firstDifference.c_str());
    letFramesAheadGo(presenter.ahead, presenter.context == glContextSerial());
    presenter.ahead.flat = ScreenRect{};
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

void letFramesAheadGo() { letFramesAheadGo(presenter.ahead); }

bool presentFrame(SceneNode* root) {
    FramePresenter& p = presenter;
    if (p.counts.frames == 0) {
        const char* check = std::getenv("QUILLMEAD_CHECK_FRAMES");
        if (check && std::strcmp(check, "1") == 0) p.checkAgainstWholeFrames = true;
        const char* drawHidden = std::getenv("QUILLMEAD_DRAW_HIDDEN");
        if (drawHidden && std::strcmp(drawHidden, "1") == 0) p.boxes.leaveOutHidden = false;
        const char* noneAhead = std::getenv("QUILLMEAD_NO_FRAMES_AHEAD");
        if (noneAhead && std::strcmp(noneAhead, "1") == 0) p.ahead.on = false;
    }
    ++p.counts.frames;
    // What was drawn ahead holds archives and pictures that go with the tree.
    if (!root || root->removing) letFramesAheadGo(p.ahead);
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
    // Samples not drawn for real (copied from a frame drawn ahead, or a box
    // drawn ahead) are drawn before anything reads them: with the frame's
    // damage, or alone when nothing else changed.
    const ScreenRect flat = whole ? ScreenRect{} : p.ahead.flat;
    p.ahead.flat = ScreenRect{};
    // A run of items added to a frame otherwise much the same (a screen opening
    // over the desk) is drawn over the picture kept, however much of the window
    // it covers; only where that picture is not yet right is the frame drawn
    // again inside boxes.
    const int64_t viewArea = int64_t(view.x1 - view.x0) * (view.y1 - view.y0);
    Insertion run;
    Damage repairs;
    AheadMatch ahead;
    if (!whole) {
        run = findInsertion(before, now);
        if (run.count > 0) repairs = insertionRepairs(before, now, run);
        // Where much must be drawn again anyway, the usual way is as cheap.
        if (damagedArea(repairs) * 2 > viewArea) run = Insertion();
        // Over flat samples the run lands on no frame drawn: drawn again there
        // with everything (the usual way would draw that too).
        if (run.count > 0) addDamage(repairs, flat);
    }
    if (run.count > 0) {
        p.lastDamage = repairs;
        for (size_t i = run.first; i < run.first + run.count; ++i) addDamage(p.lastDamage, now.items[i].rect);
    } else {
        p.lastDamage = whole ? Damage{{view}} : frameDamage(before, now);
        if (!p.lastDamage.rects.empty()) addDamage(p.lastDamage, flat);
        // A swap drawn ahead while at rest (a page turn) is copied.
        if (!whole && picture && !p.lastDamage.rects.empty()) ahead = findFrameAhead(p.ahead, now, p.lastDamage);
        // Most of the window changed (a page turn, a screen filling it): drawn
        // whole, which spares the scissor boxes and the stencil test their cost.
        if (!whole && ahead.which < 0 && damagedArea(p.lastDamage) * 2 > viewArea) {
            whole = true;
            p.lastDamage = Damage{{view}};
        }
    }
    p.counts.recordMs += msBetween(started, recorded);
    p.counts.damageMs += msBetween(recorded, Clock::now());
    p.current = 1 - p.current;
    if (p.lastDamage.rects.empty()) {
        ++p.counts.unchangedFrames;
        bool drewUnseen = false;
        if (picture && !isEmpty(flat)) {
            // The window shows the right colours already: drawn, not shown.
            glEnable(GL_SCISSOR_TEST);
            drawInsideLeavingOutHidden(p.boxes, now, flat);
            glDisable(GL_SCISSOR_TEST);
            p.boxes.itemsHidden = 0;
            drewUnseen = true;
        } else if (picture && drawFramesAheadAtRest(p.ahead, p.boxes, root, now, *picture)) {
            ++p.counts.framesDrawnAhead;
            drewUnseen = true;
        }
        // Drawn while the loop rests, not at the start of the next frame (a
        // driver may hold drawing back until something needs its result).
        if (drewUnseen) glFlush();
        // An uncovered window: the picture holds the frame, and showing it
        // needs only the copy and the swap. Without a picture every frame is
        // drawn whole and shown anyway.
        if (p.windowStale && picture) {
            p.windowStale = false;
            ++p.counts.windowShownAgain;
            if (!copyOffscreen(*picture, nullptr)) {
                closeOffscreen(*picture);
                p.noPicture = true;
                drawWhole(now);
            }
            SDL_GL_SwapBuffers();
            return true;
        }
        bindOffscreen(nullptr);
        return false;
    }

    int64_t aheadDrawn = -1;
    if (run.count > 0) {
        ++p.counts.insertedFrames;
        p.counts.itemsDrawn += drawRecorded(now, nullptr, run.first, run.first + run.count);
        glEnable(GL_SCISSOR_TEST);
        for (const ScreenRect& r : repairs.rects) p.counts.itemsDrawn += drawInsideLeavingOutHidden(p.boxes, now, r);
        glDisable(GL_SCISSOR_TEST);
    } else if (ahead.which >= 0 && (aheadDrawn = drawFromFrameAhead(p.ahead, p.boxes, now, ahead, p.lastDamage,
                                                                     *picture)) >= 0) {
        ++p.counts.framesFromAhead;
        p.counts.itemsDrawn += aheadDrawn;
        addDamage(p.lastDamage, p.ahead.flat);
    } else if (whole) {
        ++p.counts.wholeFrames;
        p.boxes.stencilValue = 0;
        p.counts.itemsDrawn += drawWhole(now);
    } else {
        ++p.counts.partialFrames;
        glEnable(GL_SCISSOR_TEST);
        for (const ScreenRect& r : p.lastDamage.rects) p.counts.itemsDrawn += drawInsideLeavingOutHidden(p.boxes, now, r);
        glDisable(GL_SCISSOR_TEST);
    }
    p.counts.itemsHidden += p.boxes.itemsHidden;
    p.boxes.itemsHidden = 0;
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
    frameDrawnBesideFramesAhead(p.ahead);
    p.windowStale = false;
    SDL_GL_SwapBuffers();
    return true;
}
