#include "engine/frame_presenter.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/gl.h"
#include "engine/camera.h"

FramePresenter presenter;

namespace {

using Clock = std::chrono::steady_clock;

double msBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Draws the frame again inside r only. The scissor box alone is not enough:
// llvmpipe lets multisampled triangles cover samples of the pixels just below
// and left of the box, which would blend translucent meshes there twice. So the
// box is also marked in the stencil buffer with a value no other pixel holds
// (each box of each frame takes the next value; the whole buffer is cleared
// when they run out), and only pixels holding it are drawn.
void drawInside(FramePresenter& p, const FrameRecord& record, const ScreenRect& r) {
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
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glClearStencil(0);
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_EQUAL, p.stencilValue, 0xff);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    drawRecorded(record, &r);
    glDisable(GL_STENCIL_TEST);
}

int64_t countInside(const FrameRecord& record, const ScreenRect* clip) {
    int64_t n = 0;
    for (const DrawItem& item : record.items)
        if (item.mesh && (!clip || overlaps(item.rect, *clip))) ++n;
    return n;
}

// The window-sized pictures, opened again whenever the window's size differs.
bool ensurePicture(OffscreenTarget& target, int32_t samples, bool withStencil, bool* opened = nullptr) {
    if (target.framebuffer && target.width == camera->width && target.height == camera->height) return true;
    if (opened) *opened = true;
    closeOffscreen(target);
    return openMultisampledOffscreen(target, camera->width, camera->height, samples, withStencil);
}

std::vector<uint8_t> windowPixels() {
    std::vector<uint8_t> rgb(size_t(camera->width) * size_t(camera->height) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    readPixels(0, 0, camera->width, camera->height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

// Draws the frame whole into the comparison picture and compares both after
// averaging their samples; leaves the window's back buffer holding the frame.
void compareWithWholeFrame(const FrameRecord& record) {
    FramePresenter& p = presenter;
    if (!ensurePicture(p.whole, camera->pictureSamples, false)) return;
    bindOffscreen(&p.whole);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawRecorded(record, nullptr);
    if (!copyOffscreen(p.whole, nullptr)) return;
    const std::vector<uint8_t> whole = windowPixels();
    if (!copyOffscreen(p.picture, nullptr)) return;
    const std::vector<uint8_t> kept = windowPixels();
    ++p.counts.framesCompared;
    if (whole == kept) return;
    ++p.counts.framesDiffering;
    if (!p.counts.firstDifference.empty()) return;
    for (size_t i = 0; i < whole.size(); ++i) {
        if (whole[i] == kept[i]) continue;
        const size_t pixel = i / 3;
        char text[160];
        std::snprintf(text, sizeof text, "frame %lld, pixel (%zu, %zu from the bottom): kept %u, whole %u",
                      static_cast<long long>(p.counts.frames), pixel % size_t(camera->width),
                      pixel / size_t(camera->width), unsigned(kept[i]), unsigned(whole[i]));
        p.counts.firstDifference = text;
        break;
    }
}

}  // namespace

std::vector<uint8_t> drawWholeFrameRgb(SceneNode* root) {
    FramePresenter& p = presenter;
    FrameRecord& record = p.records[p.current];
    const bool picture = camera->pictureSamples > 0 && !p.noPicture &&
                         ensurePicture(p.picture, camera->pictureSamples, true);
    if (picture) bindOffscreen(&p.picture);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    recordFrame(root, record);
    drawRecorded(record, nullptr);
    if (picture) copyOffscreen(p.picture, nullptr);
    glFinish();
    p.pictureHoldsFrame = false;
    const std::vector<uint8_t> upsideDown = windowPixels();
    const size_t row = size_t(camera->width) * 3;
    std::vector<uint8_t> rows(upsideDown.size());
    for (int32_t y = 0; y < camera->height; ++y)
        std::memcpy(&rows[size_t(y) * row], &upsideDown[size_t(camera->height - 1 - y) * row], row);
    return rows;
}

void redrawWholeNextFrame() { presenter.pictureHoldsFrame = false; }

void closePresenter() {
    if (presenter.counts.framesDiffering > 0)
        std::fprintf(stderr, "quillmead: %lld of %lld frames differed from whole frames; first: %s\n",
                     static_cast<long long>(presenter.counts.framesDiffering),
                     static_cast<long long>(presenter.counts.framesCompared),
                     presenter.counts.firstDifference.c_str());
    closeOffscreen(presenter.picture);
    closeOffscreen(presenter.whole);
    presenter.pictureHoldsFrame = false;
    presenter.noPicture = false;
    for (FrameRecord& r : presenter.records) r.items.clear();
}

bool presentFrame(SceneNode* root) {
    FramePresenter& p = presenter;
    if (p.counts.frames == 0) {
        const char* check = std::getenv("QUILLMEAD_CHECK_FRAMES");
        if (check && std::strcmp(check, "1") == 0) p.checkAgainstWholeFrames = true;
    }
    ++p.counts.frames;
    FrameRecord& now = p.records[p.current];
    const FrameRecord& before = p.records[1 - p.current];
    bool opened = false;
    if (!p.noPicture && camera->pictureSamples > 0 &&
        !ensurePicture(p.picture, camera->pictureSamples, true, &opened))
        p.noPicture = true;
    // A picture opened just now (first frame, a new window size) holds nothing yet.
    if (p.noPicture || opened) p.pictureHoldsFrame = false;
    const bool keepPicture = !p.noPicture && camera->pictureSamples > 0;
    if (!keepPicture) {
        // Straight into the window, whole, every frame.
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        const Clock::time_point started = Clock::now();
        recordFrame(root, now);
        p.counts.recordMs += msBetween(started, Clock::now());
        drawRecorded(now, nullptr);
        p.counts.itemsRecorded += int64_t(now.items.size());
        p.counts.itemsDrawn += countInside(now, nullptr);
        ++p.counts.wholeFrames;
        p.lastDamage.rects.assign(1, wholeView(now));
        p.counts.pixelsDrawn += damagedArea(p.lastDamage);
        SDL_GL_SwapBuffers();
        p.current = 1 - p.current;
        return true;
    }

    bindOffscreen(&p.picture);
    const Clock::time_point started = Clock::now();
    recordFrame(root, now);
    const Clock::time_point recorded = Clock::now();
    p.counts.itemsRecorded += int64_t(now.items.size());
    bool whole = !p.pictureHoldsFrame;
    p.lastDamage = whole ? Damage{{wholeView(now)}} : frameDamage(before, now);
    // Most of the window changed (a page turn, a screen filling it): drawn whole,
    // which spares the scissor boxes and the stencil test their cost.
    const ScreenRect view = wholeView(now);
    const int64_t viewArea = int64_t(view.x1 - view.x0) * (view.y1 - view.y0);
    if (!whole && damagedArea(p.lastDamage) * 2 > viewArea) {
        whole = true;
        p.lastDamage = Damage{{view}};
    }
    p.counts.recordMs += msBetween(started, recorded);
    p.counts.damageMs += msBetween(recorded, Clock::now());
    p.current = 1 - p.current;
    if (p.lastDamage.rects.empty()) {
        ++p.counts.unchangedFrames;
        bindOffscreen(nullptr);
        return false;
    }
    if (whole)
        ++p.counts.wholeFrames;
    else
        ++p.counts.partialFrames;
    if (whole) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        p.stencilValue = 0;
        drawRecorded(now, nullptr);
        p.counts.itemsDrawn += countInside(now, nullptr);
    } else {
        glEnable(GL_SCISSOR_TEST);
        for (const ScreenRect& r : p.lastDamage.rects) {
            drawInside(p, now, r);
            p.counts.itemsDrawn += countInside(now, &r);
        }
        glDisable(GL_SCISSOR_TEST);
    }
    p.counts.pixelsDrawn += damagedArea(p.lastDamage);
    if (p.checkAgainstWholeFrames) compareWithWholeFrame(now);
    if (!copyOffscreen(p.picture, nullptr)) {
        // The copy failed: from now on every frame goes straight to the window.
        closeOffscreen(p.picture);
        p.noPicture = true;
        p.pictureHoldsFrame = false;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawRecorded(now, nullptr);
    } else {
        p.pictureHoldsFrame = true;
    }
    SDL_GL_SwapBuffers();
    return true;
}
