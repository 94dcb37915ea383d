// Flat shapes lying in the model's x-z plane and facing the viewer (-y): filled
// polygons with holes, and strokes of even width with round joins and caps.
#include <GL/glu.h>

#include <cmath>
#include <deque>

#include "tools/artkit/artkit.h"

namespace artkit {

namespace {

const V3 kTowardViewer = {0, -1, 0};

// Every corner is listed counter-clockwise as the viewer sees it (x right, z up),
// which makes the geometric normal agree with the stored one.
void addFacingTriangle(MeshBuilder& m, V2 a, V2 b, V2 c, double depth) {
    double area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
    if (area < 0) std::swap(b, c);
    V3 pa = {a.x, depth, a.y}, pb = {b.x, depth, b.y}, pc = {c.x, depth, c.y};
    addTriangle(m, pa, pb, pc, kTowardViewer, kTowardViewer, kTowardViewer, {0.5, 0.5}, {0.5, 0.5},
                {0.5, 0.5});
}

// State of one tessellation. GLU hands back pointers to vertex records it was
// given or that the combine callback made, so those live in a deque that never
// moves its elements.
struct TessState {
    std::deque<V2> points;
    std::vector<V2> pending;  // corners of the triangle being assembled
    MeshBuilder* mesh = nullptr;
    double depth = 0;
};

void tessBegin(GLenum, void*) {}
void tessEnd(void*) {}
// Registering an edge-flag callback makes GLU emit plain triangles only.
void tessEdgeFlag(GLboolean, void*) {}

void tessVertex(void* vertex, void* user) {
    TessState* s = static_cast<TessState*>(user);
    s->pending.push_back(*static_cast<V2*>(vertex));
    if (s->pending.size() == 3) {
        addFacingTriangle(*s->mesh, s->pending[0], s->pending[1], s->pending[2], s->depth);
        s->pending.clear();
    }
}

void tessCombine(GLdouble coords[3], void* [4], GLfloat[4], void** out, void* user) {
    TessState* s = static_cast<TessState*>(user);
    s->points.push_back({coords[0], coords[1]});
    *out = &s->points.back();
}

typedef void (*TessFn)();

}  // namespace

void addFlatPolygon(MeshBuilder& m, const std::vector<std::vector<V2>>& contours, double depth) {
    GLUtesselator* tess = gluNewTess();
    if (!tess) return;
    TessState state;
    state.mesh = &m;
    state.depth = depth;
    gluTessCallback(tess, GLU_TESS_BEGIN_DATA, reinterpret_cast<TessFn>(tessBegin));
    gluTessCallback(tess, GLU_TESS_END_DATA, reinterpret_cast<TessFn>(tessEnd));
    gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<TessFn>(tessVertex));
    gluTessCallback(tess, GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<TessFn>(tessEdgeFlag));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<TessFn>(tessCombine));
    // Odd winding: holes cut out whichever way their contours run.
    gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_ODD);
    gluTessNormal(tess, 0, 0, 1);

    std::vector<std::vector<GLdouble>> coords;
    for (const auto& contour : contours) {
        std::vector<GLdouble> c;
        for (V2 p : contour) {
            state.points.push_back(p);
            c.insert(c.end(), {p.x, p.y, 0.0});
        }
        coords.push_back(std::move(c));
    }

    gluTessBeginPolygon(tess, &state);
    size_t next = 0;
    for (size_t ci = 0; ci < contours.size(); ++ci) {
        gluTessBeginContour(tess);
        for (size_t i = 0; i < contours[ci].size(); ++i, ++next)
            gluTessVertex(tess, &coords[ci][i * 3], &state.points[next]);
        gluTessEndContour(tess);
    }
    gluTessEndPolygon(tess);
    gluDeleteTess(tess);
}

namespace {

V2 sub(V2 a, V2 b) { return {a.x - b.x, a.y - b.y}; }
V2 add(V2 a, V2 b) { return {a.x + b.x, a.y + b.y}; }
V2 scaled(V2 a, double s) { return {a.x * s, a.y * s}; }
double length(V2 a) { return std::sqrt(a.x * a.x + a.y * a.y); }

// Steps of a round join or cap: fine enough that the rim of a pen of this
// radius shows no corners (the sagitta stays below a hundredth of a unit).
int arcSteps(double radius, double angle) {
    double maxStep = 2.0 * std::acos(std::max(-1.0, 1.0 - 0.01 / std::max(radius, 0.01)));
    return std::max(1, int(std::ceil(std::fabs(angle) / std::max(maxStep, 0.05))));
}

// A fan of the pen's disc around centre from direction angle a0 to a1.
void addPenArc(MeshBuilder& m, V2 centre, double radius, double a0, double a1, double depth) {
    int steps = arcSteps(radius, a1 - a0);
    V2 prev = {centre.x + radius * std::cos(a0), centre.y + radius * std::sin(a0)};
    for (int i = 1; i <= steps; ++i) {
        double a = a0 + (a1 - a0) * i / steps;
        V2 p = {centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)};
        addFacingTriangle(m, centre, prev, p, depth);
        prev = p;
    }
}

}  // namespace

void addThickPolyline(MeshBuilder& m, const std::vector<V2>& input, bool closed, double width, double depth) {
    // Repeated points would give segments without a direction.
    std::vector<V2> pts;
    for (V2 p : input)
        if (pts.empty() || length(sub(p, pts.back())) > 1e-9) pts.push_back(p);
    if (closed && pts.size() > 1 && length(sub(pts.front(), pts.back())) <= 1e-9) pts.pop_back();
    double r = width * 0.5;
    if (pts.size() == 1) {
        addPenArc(m, pts[0], r, 0, 2 * M_PI, depth);
        return;
    }
    if (pts.size() < 2 || (closed && pts.size() < 3)) {
        if (pts.size() == 2) closed = false;
        else return;
    }

    size_t n = pts.size();
    size_t segments = closed ? n : n - 1;
    auto direction = [&](size_t i) {  // of segment i, from point i to point i + 1
        V2 d = sub(pts[(i + 1) % n], pts[i]);
        return scaled(d, 1.0 / length(d));
    };
    // Where each segment's two edges start and end. At a gentle bend both
    // neighbours share mitred corners, so the stroke is one seamless strip; at a
    // sharp bend each keeps square ends and a round wedge fills the outside.
    std::vector<V2> startLeft(segments), startRight(segments), endLeft(segments), endRight(segments);
    const double gentle = 0.5;  // radians; the mitre is then at most 3 % longer than the pen
    for (size_t i = 0; i < segments; ++i) {
        V2 d = direction(i), side = {-d.y * r, d.x * r};
        startLeft[i] = add(pts[i], side);
        startRight[i] = sub(pts[i], side);
        V2 e = pts[(i + 1) % n];
        endLeft[i] = add(e, side);
        endRight[i] = sub(e, side);
    }
    size_t firstJoin = closed ? 0 : 1;
    size_t lastJoin = closed ? n : n - 1;
    for (size_t j = firstJoin; j < lastJoin; ++j) {
        size_t in = (j + segments - 1) % segments, out = j % segments;
        V2 dIn = direction(in), dOut = direction(out);
        double turn = std::atan2(dIn.x * dOut.y - dIn.y * dOut.x, dIn.x * dOut.x + dIn.y * dOut.y);
        V2 here = pts[j % n];
        if (std::fabs(turn) < gentle) {
            V2 bis = {-(dIn.y + dOut.y), dIn.x + dOut.x};
            double len = length(bis);
            if (len < 1e-12) continue;
            V2 miter = scaled(bis, r / std::cos(turn * 0.5) / len);
            endLeft[in] = startLeft[out] = add(here, miter);
            endRight[in] = startRight[out] = sub(here, miter);
        } else {
            double aIn = std::atan2(dIn.y, dIn.x);
            // A left turn opens a gap on the right side, and the other way round.
            double from = turn > 0 ? aIn - M_PI / 2 : aIn + M_PI / 2;
            addPenArc(m, here, r, from, from + turn, depth);
        }
    }
    for (size_t i = 0; i < segments; ++i) {
        addFacingTriangle(m, startLeft[i], startRight[i], endRight[i], depth);
        addFacingTriangle(m, startLeft[i], endRight[i], endLeft[i], depth);
    }

    if (!closed) {
        V2 a = pts[0], b = pts[1];
        double aStart = std::atan2(a.y - b.y, a.x - b.x);
        addPenArc(m, a, r, aStart - M_PI / 2, aStart + M_PI / 2, depth);
        V2 y = pts[n - 1], x = pts[n - 2];
        double aEnd = std::atan2(y.y - x.y, y.x - x.x);
        addPenArc(m, y, r, aEnd - M_PI / 2, aEnd + M_PI / 2, depth);
    }
}

}  // namespace artkit
