#include "app/page_picture.h"

#include <algorithm>
#include <cstring>

#include "base/gl.h"
#include "engine/offscreen.h"
#include "scene/gl_state.h"
#include "scene/render.h"
#include "scene/walk_matrix.h"
#include "scene/mesh.h"
#include "base/byte_io.h"

namespace {

// The paper is the block's mesh with the paper picture that lies furthest
// forward (the stack of pages under it has the same picture further back).
// Its rounded corners are cut away with this much of its edge.
const char* const kPaperPicture = "paper.png";
const double kCornerInset = 0.4;

// The paper in the page's own frame: x and y across the page, depth its model y.
struct PaperBounds {
    double left = 0, right = 0, bottom = 0, top = 0, depth = 0;
    bool found = false;
};

PaperBounds paperOf(const SceneNode* node) {
    PaperBounds best;
    for (const Mesh* mesh : node->meshes) {
        if (!mesh || !mesh->textureName || std::strcmp(mesh->textureName, kPaperPicture) != 0) continue;
        PaperBounds b;
        for (int32_t i = 0; i < mesh->triangleCount * 3; ++i) {
            // Models lie with z up and -y towards the viewer.
            double x = unalignedDouble(mesh->vertices, size_t(i) * 3), y = unalignedDouble(mesh->vertices, size_t(i) * 3 + 1),
                   z = unalignedDouble(mesh->vertices, size_t(i) * 3 + 2);
            if (i == 0) b = {x, x, z, z, y, true};
            b.left = std::min(b.left, x);
            b.right = std::max(b.right, x);
            b.bottom = std::min(b.bottom, z);
            b.top = std::max(b.top, z);
            b.depth = std::min(b.depth, y);
        }
        if (b.found && (!best.found || b.depth < best.depth)) best = b;
    }
    for (const SceneNode* child : node->children) {
        if (best.found) break;
        best = paperOf(child);
    }
    return best;
}

// The eye looks down -z at the scene frame 100 units away, as in every frame.
const double kSceneDistance = 100.0, kNear = double(0.1f), kFar = 250.0;

// For paper only the drawing is drawn: the regions (untextured) and the line
// art; the paper, the cover round it and the fold's shadow are left out.
const char* const kLineArtPicture = "ink.png";

bool notDrawing(const DrawItem& item) {
    const char* texture = item.mesh ? item.mesh->textureName : nullptr;
    return texture && *texture && std::strcmp(texture, kLineArtPicture) != 0;
}

}  // namespace

PagePicture drawPagePicture(SceneNode* holder, int32_t width, int32_t height, PictureLook look) {
    PagePicture picture;
    PaperBounds paper = holder ? paperOf(holder) : PaperBounds();
    if (!paper.found) return picture;
    OffscreenTarget target;
    if (!openOffscreen(target, width, height)) return picture;

    // The box the paper's rectangle is fitted into, in pixels from the bottom
    // left: the whole picture, or the part inside the printable margins.
    const bool forPaper = look == PictureLook::forPaper;
    const double boxX0 = forPaper ? width * kPrintMarginSide : 0, boxX1 = width - boxX0;
    const double boxY0 = forPaper ? height * kPrintMarginBottom : 0;
    const double boxY1 = height - (forPaper ? height * kPrintMarginTop : 0);
    // The paper's rectangle as the eye sees it, at its distance, fitted into the
    // box: the frustum through the picture's edges at that distance.
    double left = paper.left + kCornerInset, right = paper.right - kCornerInset;
    double bottom = paper.bottom + kCornerInset, top = paper.top - kCornerInset;
    double paperW = right - left, paperH = top - bottom;
    double unitsPerPixel = std::max(paperW / (boxX1 - boxX0), paperH / (boxY1 - boxY0));
    double midX = (left + right) / 2, midY = (bottom + top) / 2;
    const double centreX = (boxX0 + boxX1) / 2, centreY = (boxY0 + boxY1) / 2;
    double atNear = kNear / (kSceneDistance + paper.depth);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glFrustum((midX - centreX * unitsPerPixel) * atNear, (midX + (width - centreX) * unitsPerPixel) * atNear,
              (midY - centreY * unitsPerPixel) * atNear, (midY + (height - centreY) * unitsPerPixel) * atNear,
              kNear, kFar);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    const WalkView frameView = walkView();
    WalkView pictureView;
    pictureView.viewport[2] = width;
    pictureView.viewport[3] = height;
    glGetDoublev(GL_PROJECTION_MATRIX, pictureView.projection);
    setWalkView(pictureView);

    // White margins, then the paper's rectangle alone.
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    clearBuffers(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    setGlSwitch(GlSwitch::scissorTest, true);
    glScissor(GLint(centreX - paperW / unitsPerPixel / 2 + 0.5), GLint(centreY - paperH / unitsPerPixel / 2 + 0.5),
              GLsizei(paperW / unitsPerPixel + 0.5), GLsizei(paperH / unitsPerPixel + 0.5));
    pushWalkMatrix();
    loadWalkIdentity();
    translateWalk(0.0f, 0.0f, float(-kSceneDistance));
    setWalkLighting(true, 1);
    FrameRecord record;
    recordStill(holder, record);
    if (forPaper)
        record.items.erase(std::remove_if(record.items.begin(), record.items.end(), notDrawing), record.items.end());
    drawRecorded(record, nullptr);
    popWalkMatrix();
    setWalkView(frameView);
    setGlSwitch(GlSwitch::scissorTest, false);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);  // the frame's black, which picking relies on

    picture.width = width;
    picture.height = height;
    picture.rgb = readOffscreenRgb(target);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    closeOffscreen(target);
    return picture;
}
