#include "scene/frame_record.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/byte_io.h"
#include "scene/walk_matrix.h"

namespace {

FrameRecord* recording = nullptr;
bool still = false;
// The lighting the walk is under (setWalkLighting).
bool walkLit = false;
uint8_t walkLights = 0;

void findBounds(const Mesh* mesh) {
    mesh->boundsKnown = true;
    for (int k = 0; k < 3; ++k) {
        mesh->boundsLow[k] = 0;
        mesh->boundsHigh[k] = 0;
    }
    const int32_t count = 3 * mesh->triangleCount;
    if (!mesh->vertices || count <= 0) return;
    for (int32_t v = 0; v < count; ++v) {
        double p[3];
        for (int k = 0; k < 3; ++k) p[k] = unalignedDouble(mesh->vertices, 3 * size_t(v) + size_t(k));
        for (int k = 0; k < 3; ++k) {
            if (v == 0 || p[k] < mesh->boundsLow[k]) mesh->boundsLow[k] = p[k];
            if (v == 0 || p[k] > mesh->boundsHigh[k]) mesh->boundsHigh[k] = p[k];
        }
    }
}

ScreenRect viewRect(const int32_t viewport[4]) {
    return {viewport[0], viewport[1], viewport[0] + viewport[2], viewport[1] + viewport[3]};
}

ScreenRect clipTo(ScreenRect r, const ScreenRect& view) {
    r.x0 = std::max(r.x0, view.x0);
    r.y0 = std::max(r.y0, view.y0);
    r.x1 = std::min(r.x1, view.x1);
    r.y1 = std::min(r.y1, view.y1);
    if (isEmpty(r)) r = ScreenRect{};
    return r;
}

// The window rectangle that the mesh's box covers under the item's matrix, one
// pixel wider on every side than the box's projection (multisample positions
// and rounding stay inside), and the depths it spans. A box reaching behind the
// eye covers the view at every depth. (Projected coordinates are ratios of
// linear functions, so over the box they are extreme at its corners.)
ScreenRect screenRectOf(DrawItem& item, const double projection[16], const int32_t viewport[4]) {
    const ScreenRect view = viewRect(viewport);
    const Mesh* mesh = item.mesh;
    if (!mesh->boundsKnown) findBounds(mesh);
    item.depthLow = -1;
    item.depthHigh = 1;
    if (item.triangleCount <= 0 || !item.vertices) return ScreenRect{};
    double m[16];  // projection * modelview, column-major
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) sum += projection[k * 4 + r] * item.modelview[c * 4 + k];
            m[c * 4 + r] = sum;
        }
    double lowX = 1e300, lowY = 1e300, highX = -1e300, highY = -1e300, lowZ = 1e300, highZ = -1e300;
    for (int corner = 0; corner < 8; ++corner) {
        const double p[3] = {(corner & 1) ? mesh->boundsHigh[0] : mesh->boundsLow[0],
                             (corner & 2) ? mesh->boundsHigh[1] : mesh->boundsLow[1],
                             (corner & 4) ? mesh->boundsHigh[2] : mesh->boundsLow[2]};
        double clip[4];
        for (int r = 0; r < 4; ++r) clip[r] = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r];
        if (!(clip[3] > 1e-9)) return view;
        const double x = viewport[0] + (clip[0] / clip[3] + 1.0) * 0.5 * viewport[2];
        const double y = viewport[1] + (clip[1] / clip[3] + 1.0) * 0.5 * viewport[3];
        const double z = clip[2] / clip[3];
        if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) return view;
        lowZ = std::min(lowZ, z);
        highZ = std::max(highZ, z);
        lowX = std::min(lowX, x);
        lowY = std::min(lowY, y);
        highX = std::max(highX, x);
        highY = std::max(highY, y);
    }
    item.depthLow = lowZ;
    item.depthHigh = highZ;
    const double limit = 1e7;  // far outside any window, and inside int32_t
    ScreenRect r;
    r.x0 = int32_t(std::floor(std::max(lowX, -limit))) - 1;
    r.y0 = int32_t(std::floor(std::max(lowY, -limit))) - 1;
    r.x1 = int32_t(std::ceil(std::min(highX, limit))) + 2;
    r.y1 = int32_t(std::ceil(std::min(highY, limit))) + 2;
    return clipTo(r, view);
}

}  // namespace

bool sameDrawing(const DrawItem& a, const DrawItem& b) { return a.serial == b.serial && sameContent(a, b); }

bool sameContent(const DrawItem& a, const DrawItem& b) {
    return a.material == b.material && a.vertices == b.vertices &&
           a.triangleCount == b.triangleCount && a.texture == b.texture && !a.procedural && !b.procedural &&
           a.translucent == b.translucent && a.hasOverride == b.hasOverride && a.lighting == b.lighting &&
           a.depthTest == b.depthTest && a.lights == b.lights &&
           (!a.hasOverride || std::memcmp(a.color, b.color, sizeof a.color) == 0) &&
           std::memcmp(a.modelview, b.modelview, sizeof a.modelview) == 0;
}

bool recordingFrame() { return recording != nullptr; }

void recordMesh(Mesh* mesh) {
    DrawItem item;
    walkMatrix(item.modelview);
    // Picking draws under the matrix of the frame's traversal.
    std::memcpy(mesh->modelview, item.modelview, sizeof item.modelview);
    item.mesh = mesh;
    item.serial = mesh->serial;
    item.material = mesh->material;
    item.vertices = mesh->vertices;
    item.triangleCount = mesh->triangleCount;
    item.texture = mesh->texture;
    item.procedural = mesh->procedural;
    item.translucent = readMaterial(mesh->material).translucent;
    item.hasOverride = mesh->hasOverride;
    std::memcpy(item.color, mesh->overrideColor, sizeof item.color);
    item.depthTest = true;
    item.lighting = walkLit;
    item.lights = walkLit ? walkLights : 0;
    recording->items.push_back(item);
}

void forgetRecordedMesh(const Mesh* mesh) {
    if (!recording) return;
    for (DrawItem& item : recording->items)
        if (item.mesh == mesh) item.mesh = nullptr;
}

void beginRecording(FrameRecord& record, bool stillWalk) {
    record.items.clear();
    std::memcpy(record.viewport, walkView().viewport, sizeof record.viewport);
    recording = &record;
    still = stillWalk;
}

void setWalkLighting(bool on, uint8_t lights) {
    walkLit = on;
    walkLights = lights;
}

void endRecording() {
    FrameRecord& record = *recording;
    still = false;
    walkLit = false;
    walkLights = 0;
    recording = nullptr;
    std::memcpy(record.projection, walkView().projection, sizeof record.projection);
    for (DrawItem& item : record.items)
        item.rect = item.mesh ? screenRectOf(item, record.projection, record.viewport) : ScreenRect{};
}

bool recordingStill() { return still; }

ScreenRect wholeView(const FrameRecord& record) { return viewRect(record.viewport); }
