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
#include "engine/frame_plan.h"
#include "scene/gl_state.h"
#include "scene/render.h"

FramePresenter presenter;

namespace {

using Clock = std::chrono::steady_clock;

double msBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Clears everything and draws every recorded mesh.
int64_t drawWhole(const FrameRecord& record) {
    clearBuffers(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    return drawRecorded(record, nullptr);
}

// The window-sized pictures, opened again whenever the window's size differs.
bool ensurePicture(OffscreenTarget& target, int32_t samples, bool withStencil, bool* opened = nullptr) {
    if (target.framebuffer && target.width == camera()->width && target.height == camera()->height) return true;
    if (opened) *opened = true;
    closeOffscreen(target);
    return openMultisampledOffscreen(target, camera()->width, camera()->height, samples, withStencil);
}

// Draws the frame whole into the comparison picture and compares both after
// averaging their samples; leaves the window's back buffer holding the frame.
void compareWithWholeFrame(const FrameRecord& record) {
    FramePresenter& p = presenter;
    if (!ensurePicture(p.whole, camera()->pictureSamples, false)) return;
    bindOffscreen(&p.whole);
    drawWhole(record);
    if (!copyOffscreen(p.whole, nullptr)) return;
    const std::vector<uint8_t> whole = readRgbRows(camera()->width, camera()->height);
    if (!copyOffscreen(p.picture, nullptr)) return;
    const std::vector<uint8_t> kept = readRgbRows(camera()->width, camera()->height);
    ++p.counts.framesCompared;
    if (whole == kept) return;
    ++p.counts.framesDiffering;
    if (!p.counts.firstDifference.empty()) return;
    for (size_t i = 0; i < whole.size(); ++i) {
        if (whole[i] == kept[i]) continue;
        const size_t pixel = i / 3;
        char text[160];
        std::snprintf(text, sizeof text, "frame %lld, pixel (%zu, %zu from the top): kept %u, whole %u",
                      static_cast<long long>(p.counts.frames), pixel % size_t(camera()->width),
                      pixel / size_t(camera()->width), unsigned(kept[i]), unsigned(whole[i]));
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
    if (!p.noPicture && camera()->pictureSamples > 0 &&
        !ensurePicture(p.picture, camera()->pictureSamples, true, &opened))
        p.noPicture = true;
    if (p.noPicture || opened || camera()->pictureSamples == 0) p.pictureHoldsFrame = false;
    return p.noPicture || camera()->pictureSamples == 0 ? nullptr : &p.picture;
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
    return readRgbRows(camera()->width, camera()->height);
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

namespace {

// The boxes of rects drawn again, leaving out what lies hidden in each.
int64_t drawBoxes(FramePresenter& p, const FrameRecord& now, const std::vector<ScreenRect>& rects) {
    int64_t drawn = 0;
    setGlSwitch(GlSwitch::scissorTest, true);
    for (const ScreenRect& r : rects) drawn += drawInsideLeavingOutHidden(p.boxes, now, r);
    setGlSwitch(GlSwitch::scissorTest, false);
    return drawn;
}

// Nothing changed: flat samples are drawn back as shown, else a turn may be
// drawn ahead; neither is shown. Drawn while the loop rests, not at the start
// of the next frame (a driver may hold drawing back until something needs its
// result). An uncovered window is shown the picture kept again (true): that
// needs only the copy and the swap; without a picture every frame is drawn
// whole and shown anyway.
bool rest(FramePresenter& p, SceneNode* root, const FrameRecord& now, OffscreenTarget* picture,
          const ScreenRect& flat) {
    ++p.counts.unchangedFrames;
    bool drewUnseen = false;
    if (picture && !isEmpty(flat)) {
        drawBoxes(p, now, {flat});
        p.boxes.itemsHidden = 0;
        drewUnseen = true;
    } else if (picture && drawFramesAheadAtRest(p.ahead, p.boxes, root, now, *picture)) {
        ++p.counts.framesDrawnAhead;
        drewUnseen = true;
    }
    if (drewUnseen) glFlush();
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

// Carries out a plan that draws; damage grows by the box a turn drawn ahead
// leaves flat.
void drawPlanned(FramePresenter& p, const FrameRecord& now, const FramePlan& plan, OffscreenTarget* picture,
                 Damage& damage) {
    PresenterCounts& c = p.counts;
    if (plan.work == FrameWork::Inserted) {
        ++c.insertedFrames;
        c.itemsDrawn += drawRecorded(now, nullptr, plan.run.first, plan.run.first + plan.run.count);
        c.itemsDrawn += drawBoxes(p, now, plan.repairs.rects);
        return;
    }
    if (plan.work == FrameWork::FromAhead) {
        const int64_t drawn = drawFromFrameAhead(p.ahead, p.boxes, now, plan.ahead, damage, *picture);
        if (drawn >= 0) {
            ++c.framesFromAhead;
            c.itemsDrawn += drawn;
            addDamage(damage, p.ahead.flat);
            return;
        }
    }
    if (plan.work == FrameWork::Whole) {
        ++c.wholeFrames;
        p.boxes.stencilValue = 0;
        c.itemsDrawn += drawWhole(now);
        return;
    }
    ++c.partialFrames;  // the boxes, or a turn whose copy failed
    c.itemsDrawn += drawBoxes(p, now, damage.rects);
}

// The kept picture copied to the window (compared with a whole frame first
// when asked) and swapped in.
void show(FramePresenter& p, const FrameRecord& now, OffscreenTarget* picture) {
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
}

KeptPictures keptPictures(const FramePresenter& p, const OffscreenTarget* picture) {
    KeptPictures kept;
    kept.kept = picture != nullptr;
    kept.holdsFrame = p.pictureHoldsFrame;
    kept.flat = p.ahead.flat;
    kept.ahead = &p.ahead;
    if (p.ahead.frames[0].holder || p.ahead.frames[1].holder) kept.state = currentDrawingState();
    return kept;
}

}  // namespace

PresenterOptions presenterOptionsFromEnvironment() {
    auto on = [](const char* name) {
        const char* value = std::getenv(name);
        return value && std::strcmp(value, "1") == 0;
    };
    PresenterOptions o;
    o.checkAgainstWholeFrames = on("QUILLMEAD_CHECK_FRAMES");
    o.drawHidden = on("QUILLMEAD_DRAW_HIDDEN");
    o.noFramesAhead = on("QUILLMEAD_NO_FRAMES_AHEAD");
    return o;
}

void setPresenterOptions(const PresenterOptions& options) {
    presenter.checkAgainstWholeFrames = options.checkAgainstWholeFrames;
    presenter.boxes.leaveOutHidden = !options.drawHidden;
    presenter.ahead.on = !options.noFramesAhead;
}

bool presentFrame(SceneNode* root) {
    FramePresenter& p = presenter;
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
    const FramePlan plan = planFrame(before, now, keptPictures(p, picture));
    p.ahead.flat = ScreenRect{};
    p.lastDamage = plan.damage;
    p.counts.recordMs += msBetween(started, recorded);
    p.counts.damageMs += msBetween(recorded, Clock::now());
    p.current = 1 - p.current;
    if (plan.work == FrameWork::Rest) return rest(p, root, now, picture, plan.flat);
    drawPlanned(p, now, plan, picture, p.lastDamage);
    p.counts.itemsHidden += p.boxes.itemsHidden;
    p.boxes.itemsHidden = 0;
    p.counts.pixelsDrawn += damagedArea(p.lastDamage);
    show(p, now, picture);
    return true;
}
