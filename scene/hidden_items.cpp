#include "scene/hidden_items.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "resources/model.h"
#include "scene/flat_outline.h"
#include "scene/mesh.h"

namespace {

// Normalised device depth a hidden corner must lie behind the sheet by: eight
// steps of a 24-bit depth buffer (2 / 2^24 each) and more.
const double kDepthMargin = 1e-6;
// Window pixels the sheet must reach beyond the box on every side.
const double kCoverMargin = 1.0;

struct Sheet {
    size_t item = 0;
    double normal[3] = {0, 0, 0};  // its plane in eye coordinates: normal . p = offset
    double offset = 0;
    std::vector<double> x, y;  // its outline in window pixels, counter-clockwise
};

// Eye coordinates of a point of an item.
void toEye(const double m[16], const double p[3], double out[3]) {
    for (int r = 0; r < 3; ++r) out[r] = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r];
}

// A projection whose depth and w depend on the eye depth alone and whose rays
// all pass through the eye: clip w = -z, clip z = a z + b.
bool perspectiveFromEye(const double p[16]) {
    return p[3] == 0 && p[7] == 0 && p[11] == -1 && p[15] == 0 && p[2] == 0 && p[6] == 0 && p[12] == 0 &&
           p[13] == 0;
}

// The mesh's outline, decided at the first box that asks.
const FlatOutline& flatOutlineOf(const Mesh* mesh) {
    FlatOutline& outline = mesh->outline;
    if (outline.triangleCount != mesh->triangleCount || outline.source != mesh->vertices)
        outline = decideFlatOutline(mesh->vertices, mesh->triangleCount);
    return outline;
}

double deviceDepth(const double projection[16], double eyeZ) { return (projection[10] * eyeZ + projection[14]) / -eyeZ; }

// The item as an opaque flat sheet on screen, when it is one.
bool sheetOf(const FrameRecord& record, size_t index, Sheet& sheet) {
    const DrawItem& item = record.items[index];
    if (!item.mesh || item.translucent || !item.depthTest || !item.material) return false;
    if (readMaterial(item.material).alphaTest) return false;
    const FlatOutline& outline = flatOutlineOf(item.mesh);
    if (!outline.flat) return false;
    const double* projection = record.projection;
    const int32_t* viewport = record.viewport;
    const size_t corners = outline.hull.size() / 3;
    sheet.x.resize(corners);
    sheet.y.resize(corners);
    std::vector<double> eye(3 * corners);
    for (size_t i = 0; i < corners; ++i) {
        double* e = &eye[3 * i];
        toEye(item.modelview, &outline.hull[3 * i], e);
        if (!(e[2] < 0)) return false;
        const double w = -e[2];
        const double z = deviceDepth(projection, e[2]);
        if (!(z > -1 + kDepthMargin && z < 1 - kDepthMargin)) return false;
        const double cx = projection[0] * e[0] + projection[4] * e[1] + projection[8] * e[2];
        const double cy = projection[1] * e[0] + projection[5] * e[1] + projection[9] * e[2];
        sheet.x[i] = viewport[0] + (cx / w + 1.0) * 0.5 * viewport[2];
        sheet.y[i] = viewport[1] + (cy / w + 1.0) * 0.5 * viewport[3];
        if (!std::isfinite(sheet.x[i]) || !std::isfinite(sheet.y[i])) return false;
    }
    double normal[3] = {0, 0, 0}, twiceArea = 0;
    for (size_t i = 0; i < corners; ++i) {
        const size_t j = (i + 1) % corners;
        twiceArea += sheet.x[i] * sheet.y[j] - sheet.x[j] * sheet.y[i];
        const double *a = &eye[3 * i], *b = &eye[3 * j];
        normal[0] += (a[1] - b[1]) * (a[2] + b[2]);
        normal[1] += (a[2] - b[2]) * (a[0] + b[0]);
        normal[2] += (a[0] - b[0]) * (a[1] + b[1]);
    }
    // Seen edge on, or too small to matter.
    if (!(std::fabs(twiceArea) > 2.0)) return false;
    if (twiceArea < 0) {
        std::reverse(sheet.x.begin(), sheet.x.end());
        std::reverse(sheet.y.begin(), sheet.y.end());
    }
    const double length = std::sqrt(normal[0] * normal[0] + normal[1] * normal[1] + normal[2] * normal[2]);
    if (!(length > 0)) return false;
    sheet.item = index;
    double offset = 0;
    for (int k = 0; k < 3; ++k) sheet.normal[k] = normal[k] / length;
    for (size_t i = 0; i < corners; ++i)
        for (int k = 0; k < 3; ++k) offset += sheet.normal[k] * eye[3 * i + size_t(k)];
    sheet.offset = offset / double(corners);
    return true;
}

bool holds(const Sheet& sheet, double px, double py) {
    const size_t n = sheet.x.size();
    for (size_t i = 0; i < n; ++i) {
        const size_t j = (i + 1) % n;
        if (!((sheet.x[j] - sheet.x[i]) * (py - sheet.y[i]) - (sheet.y[j] - sheet.y[i]) * (px - sheet.x[i]) > 0))
            return false;
    }
    return true;
}

// Where a line across the sheet (at height `at` when across x, else at x = at)
// enters and leaves it; false when it misses.
bool sheetSpan(const Sheet& sheet, bool alongX, double at, double& low, double& high) {
    const std::vector<double>& u = alongX ? sheet.y : sheet.x;  // the line's fixed coordinate
    const std::vector<double>& v = alongX ? sheet.x : sheet.y;
    low = 1e300;
    high = -1e300;
    const size_t n = u.size();
    for (size_t i = 0; i < n; ++i) {
        const size_t j = (i + 1) % n;
        if ((u[i] < at && u[j] < at) || (u[i] > at && u[j] > at) || u[i] == u[j]) continue;
        const double t = (at - u[i]) / (u[j] - u[i]);
        const double cross = v[i] + t * (v[j] - v[i]);
        low = std::min(low, cross);
        high = std::max(high, cross);
    }
    return low <= high;
}

int64_t areaOf(const ScreenRect& r) { return isEmpty(r) ? 0 : int64_t(r.x1 - r.x0) * (r.y1 - r.y0); }

// r with one side moved in, by a pixel at least, so that the corner at (px,
// py) comes inside the sheet: a side across x (alongX) or across y, the far
// one or the near one. Empty when the line through the corner misses the sheet.
ScreenRect sideMovedIn(const Sheet& sheet, ScreenRect r, bool alongX, bool far, double px, double py) {
    double low, high;
    if (!sheetSpan(sheet, alongX, alongX ? py : px, low, high)) return ScreenRect{};
    int32_t& side = alongX ? (far ? r.x1 : r.x0) : (far ? r.y1 : r.y0);
    side = far ? std::min(side - 1, int32_t(std::floor(high - kCoverMargin - 1e-6)))
               : std::max(side + 1, int32_t(std::ceil(low + kCoverMargin + 1e-6)));
    return r;
}

// The rectangle of box the sheet covers, every sample with a margin: from the
// part of box inside the sheet's extent, the side a corner sticks out past is
// moved in, whichever of the two costs less area, until no corner does. Empty
// when that leaves less than half of box.
ScreenRect coveredPart(const Sheet& sheet, const ScreenRect& box) {
    const double m = kCoverMargin;
    ScreenRect r = box;
    r.x0 = std::max(r.x0, int32_t(std::ceil(*std::min_element(sheet.x.begin(), sheet.x.end()) + m)));
    r.x1 = std::min(r.x1, int32_t(std::floor(*std::max_element(sheet.x.begin(), sheet.x.end()) - m)));
    r.y0 = std::max(r.y0, int32_t(std::ceil(*std::min_element(sheet.y.begin(), sheet.y.end()) + m)));
    r.y1 = std::min(r.y1, int32_t(std::floor(*std::max_element(sheet.y.begin(), sheet.y.end()) - m)));
    for (int round = 0; round < 32 && areaOf(r) * 2 >= areaOf(box); ++round) {
        bool moved = false;
        for (int corner = 0; corner < 4 && !moved; ++corner) {
            const bool right = corner & 1, top = corner & 2;
            const double px = right ? r.x1 + m : r.x0 - m, py = top ? r.y1 + m : r.y0 - m;
            if (holds(sheet, px, py)) continue;
            moved = true;
            const ScreenRect byX = sideMovedIn(sheet, r, true, right, px, py);
            const ScreenRect byY = sideMovedIn(sheet, r, false, top, px, py);
            r = areaOf(byX) >= areaOf(byY) ? byX : byY;
        }
        if (!moved) return r;
    }
    return ScreenRect{};
}

// Every corner of the item's box lies behind the sheet along its ray from the
// eye, by the margin. (The depth difference between a point and the sheet on
// its ray is a ratio of two linear functions of the point whose denominator
// keeps its sign in front of the eye, so over the box it is least at a corner.)
bool whollyBehind(const FrameRecord& record, const DrawItem& item, const Sheet& sheet) {
    const Mesh* mesh = item.mesh;
    if (!mesh || !item.depthTest || !mesh->boundsKnown || isEmpty(item.rect)) return false;
    for (int corner = 0; corner < 8; ++corner) {
        const double p[3] = {(corner & 1) ? mesh->boundsHigh[0] : mesh->boundsLow[0],
                             (corner & 2) ? mesh->boundsHigh[1] : mesh->boundsLow[1],
                             (corner & 4) ? mesh->boundsHigh[2] : mesh->boundsLow[2]};
        double e[3];
        toEye(item.modelview, p, e);
        if (!(e[2] < 0)) return false;
        const double across = sheet.normal[0] * e[0] + sheet.normal[1] * e[1] + sheet.normal[2] * e[2];
        if (across == 0) return false;
        const double reach = sheet.offset / across;  // the sheet meets the ray at reach * e
        if (!(reach > 0 && reach < 1)) return false;
        const double gap = deviceDepth(record.projection, e[2]) - deviceDepth(record.projection, reach * e[2]);
        if (!(gap > kDepthMargin)) return false;
    }
    return true;
}

}  // namespace

size_t findHiddenItems(const FrameRecord& record, const ScreenRect& box, ScreenRect& inside,
                       std::vector<uint8_t>& hidden) {
    hidden.assign(record.items.size(), 0);
    inside = ScreenRect{};
    if (isEmpty(box) || !perspectiveFromEye(record.projection)) return 0;
    // The sheet whose hidden items would have filled the most of its part.
    Sheet sheet;
    size_t best = SIZE_MAX;
    int64_t bestFill = 0;
    for (size_t c = 0; c < record.items.size(); ++c) {
        const ScreenRect& rect = record.items[c].rect;
        const ScreenRect common{std::max(rect.x0, box.x0), std::max(rect.y0, box.y0), std::min(rect.x1, box.x1),
                                std::min(rect.y1, box.y1)};
        if (areaOf(common) * 2 < areaOf(box) || !sheetOf(record, c, sheet)) continue;
        const ScreenRect part = coveredPart(sheet, box);
        if (isEmpty(part)) continue;
        int64_t fill = 0;
        for (size_t i = 0; i < record.items.size(); ++i) {
            const ScreenRect& r = record.items[i].rect;
            if (i == c || !overlaps(r, part) || !whollyBehind(record, record.items[i], sheet)) continue;
            fill += areaOf({std::max(r.x0, part.x0), std::max(r.y0, part.y0), std::min(r.x1, part.x1),
                            std::min(r.y1, part.y1)});
        }
        if (fill > bestFill) {
            bestFill = fill;
            best = c;
        }
    }
    if (best == SIZE_MAX || !sheetOf(record, best, sheet)) return 0;
    inside = coveredPart(sheet, box);
    size_t marked = 0;
    for (size_t i = 0; i < record.items.size(); ++i)
        if (i != best && overlaps(record.items[i].rect, inside) && whollyBehind(record, record.items[i], sheet)) {
            hidden[i] = 1;
            ++marked;
        }
    return marked;
}
