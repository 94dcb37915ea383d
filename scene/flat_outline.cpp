#include "scene/flat_outline.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <map>
#include <utility>

#include "base/byte_io.h"

namespace {

// Larger meshes are not looked at: deciding costs a sort and a map of edges.
const int32_t kMostTriangles = 4096;

struct Point2 {
    double x = 0, y = 0;
    size_t vertex = 0;  // index into the mesh's corners
};

double cross2(const Point2& o, const Point2& a, const Point2& b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// Counter-clockwise hull without collinear points (Andrew's monotone chain).
std::vector<Point2> convexHull(std::vector<Point2> points) {
    std::sort(points.begin(), points.end(),
              [](const Point2& a, const Point2& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    if (points.size() < 3) return {};
    std::vector<Point2> hull(2 * points.size());
    size_t k = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        while (k >= 2 && cross2(hull[k - 2], hull[k - 1], points[i]) <= 0) --k;
        hull[k++] = points[i];
    }
    for (size_t i = points.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && cross2(hull[k - 2], hull[k - 1], points[i]) <= 0) --k;
        hull[k++] = points[i];
    }
    hull.resize(k - 1);
    return hull;
}

// True when q lies on the segment from a to b, within tolerance.
bool onSegment(const Point2& a, const Point2& b, const Point2& q, double tolerance) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length <= 0) return false;
    const double across = ((q.x - a.x) * dy - (q.y - a.y) * dx) / length;
    const double along = ((q.x - a.x) * dx + (q.y - a.y) * dy) / length;
    return std::fabs(across) <= tolerance && along >= -tolerance && along <= length + tolerance;
}

bool decideFlat(const double* vertices, int32_t triangles, FlatOutline& out) {
    if (!vertices || triangles < 1 || triangles > kMostTriangles) return false;
    const size_t corners = 3 * size_t(triangles);
    std::vector<std::array<double, 3>> p(corners);
    double low[3] = {1e300, 1e300, 1e300}, high[3] = {-1e300, -1e300, -1e300};
    for (size_t i = 0; i < corners; ++i)
        for (size_t k = 0; k < 3; ++k) {
            p[i][k] = unalignedDouble(vertices, 3 * i + k);
            if (!std::isfinite(p[i][k])) return false;
            low[k] = std::min(low[k], p[i][k]);
            high[k] = std::max(high[k], p[i][k]);
        }
    const double extent = std::max({high[0] - low[0], high[1] - low[1], high[2] - low[2]});
    if (!(extent > 0)) return false;
    const double tolerance = 1e-7 * extent;

    // The plane: the sum of the triangles' area vectors, which every one of
    // them must point along.
    std::vector<std::array<double, 3>> areas(size_t(triangles), std::array<double, 3>{0, 0, 0});
    double normal[3] = {0, 0, 0};
    for (size_t t = 0; t < size_t(triangles); ++t) {
        const auto &a = p[3 * t], &b = p[3 * t + 1], &c = p[3 * t + 2];
        const double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const double v[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        areas[t] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
        for (int k = 0; k < 3; ++k) normal[k] += areas[t][size_t(k)];
    }
    const double length = std::sqrt(normal[0] * normal[0] + normal[1] * normal[1] + normal[2] * normal[2]);
    if (!(length > 0)) return false;
    for (double& n : normal) n /= length;
    for (const auto& area : areas) {
        const double size = std::sqrt(area[0] * area[0] + area[1] * area[1] + area[2] * area[2]);
        const double along = area[0] * normal[0] + area[1] * normal[1] + area[2] * normal[2];
        if (!(size > 1e-12 * extent * extent) || along < size * (1 - 1e-9)) return false;
    }
    const double offset = normal[0] * p[0][0] + normal[1] * p[0][1] + normal[2] * p[0][2];
    for (const auto& q : p)
        if (std::fabs(normal[0] * q[0] + normal[1] * q[1] + normal[2] * q[2] - offset) > tolerance) return false;

    // Coordinates in the plane, turned so that the triangles run counter-clockwise.
    double side[3] = {0, 0, 0};
    const int least = std::fabs(normal[0]) <= std::fabs(normal[1]) && std::fabs(normal[0]) <= std::fabs(normal[2])
                          ? 0
                          : (std::fabs(normal[1]) <= std::fabs(normal[2]) ? 1 : 2);
    side[least] = 1;
    double u[3] = {side[1] * normal[2] - side[2] * normal[1], side[2] * normal[0] - side[0] * normal[2],
                   side[0] * normal[1] - side[1] * normal[0]};
    const double uLength = std::sqrt(u[0] * u[0] + u[1] * u[1] + u[2] * u[2]);
    for (double& x : u) x /= uLength;
    const double v[3] = {normal[1] * u[2] - normal[2] * u[1], normal[2] * u[0] - normal[0] * u[2],
                         normal[0] * u[1] - normal[1] * u[0]};
    std::vector<Point2> flat(corners);
    for (size_t i = 0; i < corners; ++i)
        flat[i] = {u[0] * p[i][0] + u[1] * p[i][1] + u[2] * p[i][2], v[0] * p[i][0] + v[1] * p[i][1] + v[2] * p[i][2],
                   i};
    double triangleArea = 0;
    for (size_t t = 0; t < size_t(triangles); ++t) {
        const double twice = cross2(flat[3 * t], flat[3 * t + 1], flat[3 * t + 2]);
        if (!(twice > 0)) return false;
        triangleArea += 0.5 * twice;
    }
    const std::vector<Point2> hull = convexHull(flat);
    if (hull.size() < 3) return false;
    double hullArea = 0;
    for (size_t i = 1; i + 1 < hull.size(); ++i) hullArea += 0.5 * cross2(hull[0], hull[i], hull[i + 1]);
    if (!(std::fabs(triangleArea - hullArea) <= 1e-7 * hullArea)) return false;

    // Edges between the same two vertices (bit for bit): inner ones run once
    // each way, outer ones lie on the hull's border.
    std::map<std::array<uint64_t, 3>, size_t> ids;
    std::vector<size_t> id(corners);
    for (size_t i = 0; i < corners; ++i) {
        std::array<uint64_t, 3> bits;
        std::memcpy(bits.data(), p[i].data(), sizeof bits);
        id[i] = ids.emplace(bits, ids.size()).first->second;
    }
    std::map<std::pair<size_t, size_t>, size_t> edges;  // directed edge -> a corner it starts at
    for (size_t t = 0; t < size_t(triangles); ++t)
        for (size_t e = 0; e < 3; ++e) {
            const size_t from = 3 * t + e, to = 3 * t + (e + 1) % 3;
            if (!edges.emplace(std::make_pair(id[from], id[to]), from).second) return false;
        }
    for (const auto& edge : edges) {
        if (edges.count({edge.first.second, edge.first.first})) continue;
        const size_t from = edge.second, to = from % 3 == 2 ? from - 2 : from + 1;
        bool border = false;
        for (size_t h = 0; h < hull.size() && !border; ++h) {
            const Point2 &a = hull[h], &b = hull[(h + 1) % hull.size()];
            border = onSegment(a, b, flat[from], tolerance) && onSegment(a, b, flat[to], tolerance);
        }
        if (!border) return false;
    }
    out.hull.clear();
    for (const Point2& corner : hull)
        for (size_t k = 0; k < 3; ++k) out.hull.push_back(p[corner.vertex][k]);
    return true;
}

}  // namespace

FlatOutline decideFlatOutline(const double* vertices, int32_t triangleCount) {
    FlatOutline outline;
    outline.source = vertices;
    outline.triangleCount = triangleCount;
    outline.flat = decideFlat(vertices, triangleCount, outline);
    return outline;
}
