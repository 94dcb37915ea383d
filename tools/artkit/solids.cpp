// Solids made from a two-dimensional outline: surfaces of revolution and prisms.
#include <cmath>

#include "tools/artkit/artkit.h"

namespace artkit {

namespace {

const double kPi = 3.14159265358979323846;

bool samePoint(V2 a, V2 b) { return std::fabs(a.x - b.x) < 1e-12 && std::fabs(a.y - b.y) < 1e-12; }

// Outward normal of a profile segment in the (radius, z) plane: a wall that goes
// up faces away from the axis, a top that goes in faces up.
V2 segmentNormal(V2 a, V2 b) {
    double dr = b.x - a.x, dz = b.y - a.y;
    double len = std::sqrt(dr * dr + dz * dz);
    return {dz / len, -dr / len};
}

V2 normalized2(V2 v) {
    double len = std::sqrt(v.x * v.x + v.y * v.y);
    if (len < 1e-12) return {0, 1};
    return {v.x / len, v.y / len};
}

// Ear clipping of a simple polygon given counter-clockwise; returns index triples.
std::vector<int> triangulate(const std::vector<V2>& poly) {
    std::vector<int> out;
    std::vector<int> left;
    for (int i = 0; i < int(poly.size()); ++i) left.push_back(i);
    auto crossAt = [&](int a, int b, int c) {
        V2 pa = poly[size_t(a)], pb = poly[size_t(b)], pc = poly[size_t(c)];
        return (pb.x - pa.x) * (pc.y - pa.y) - (pb.y - pa.y) * (pc.x - pa.x);
    };
    auto inside = [&](int p, int a, int b, int c) {
        return crossAt(a, b, p) >= 0 && crossAt(b, c, p) >= 0 && crossAt(c, a, p) >= 0;
    };
    int guard = 0;
    while (left.size() > 3 && guard < 100000) {
        ++guard;
        bool clipped = false;
        int n = int(left.size());
        for (int i = 0; i < n; ++i) {
            int a = left[size_t((i + n - 1) % n)], b = left[size_t(i)], c = left[size_t((i + 1) % n)];
            if (crossAt(a, b, c) <= 1e-14) continue;  // reflex or flat corner
            bool empty = true;
            for (int k : left) {
                if (k == a || k == b || k == c) continue;
                if (samePoint(poly[size_t(k)], poly[size_t(a)]) || samePoint(poly[size_t(k)], poly[size_t(b)]) ||
                    samePoint(poly[size_t(k)], poly[size_t(c)]))
                    continue;
                if (inside(k, a, b, c)) {
                    empty = false;
                    break;
                }
            }
            if (!empty) continue;
            out.insert(out.end(), {a, b, c});
            left.erase(left.begin() + i);
            clipped = true;
            break;
        }
        // A polygon that is not simple leaves no ear; cut the flattest corner so
        // that the cap is still closed rather than missing.
        if (!clipped) {
            out.insert(out.end(), {left[left.size() - 1], left[0], left[1]});
            left.erase(left.begin());
        }
    }
    if (left.size() == 3) out.insert(out.end(), {left[0], left[1], left[2]});
    return out;
}

}  // namespace

void addRevolution(MeshBuilder& m, const std::vector<V2>& profile, int segments, V3 center) {
    size_t n = profile.size();
    if (n < 2 || segments < 3) return;

    // A repeated point marks a crease: the segments on either side keep their own
    // normals there instead of sharing an averaged one.
    std::vector<bool> valid(n - 1);
    std::vector<V2> segN(n - 1);
    for (size_t s = 0; s + 1 < n; ++s) {
        valid[s] = !samePoint(profile[s], profile[s + 1]);
        if (valid[s]) segN[s] = segmentNormal(profile[s], profile[s + 1]);
    }
    // Texture v follows the length along the profile: 1 at the first point, 0 at
    // the last, so that a picture stands upright on a wall that goes up.
    std::vector<double> along(n, 0.0);
    for (size_t i = 1; i < n; ++i) {
        double dr = profile[i].x - profile[i - 1].x, dz = profile[i].y - profile[i - 1].y;
        along[i] = along[i - 1] + std::sqrt(dr * dr + dz * dz);
    }
    double total = along[n - 1] > 0 ? along[n - 1] : 1.0;

    std::vector<double> cosA(size_t(segments) + 1), sinA(size_t(segments) + 1);
    for (int j = 0; j <= segments; ++j) {
        double a = 2.0 * kPi * j / segments;
        cosA[size_t(j)] = j == segments ? 1.0 : std::cos(a);
        sinA[size_t(j)] = j == segments ? 0.0 : std::sin(a);
    }

    for (size_t s = 0; s + 1 < n; ++s) {
        if (!valid[s]) continue;
        V2 n0 = segN[s], n1 = segN[s];
        if (s > 0 && valid[s - 1]) n0 = normalized2({segN[s - 1].x + segN[s].x, segN[s - 1].y + segN[s].y});
        if (s + 2 < n && valid[s + 1]) n1 = normalized2({segN[s].x + segN[s + 1].x, segN[s].y + segN[s + 1].y});
        V2 p0 = profile[s], p1 = profile[s + 1];
        double v0 = 1.0 - along[s] / total, v1 = 1.0 - along[s + 1] / total;
        for (int j = 0; j < segments; ++j) {
            double c0 = cosA[size_t(j)], s0 = sinA[size_t(j)], c1 = cosA[size_t(j) + 1], s1 = sinA[size_t(j) + 1];
            V3 a = center + V3{p0.x * c0, p0.x * s0, p0.y};
            V3 b = center + V3{p0.x * c1, p0.x * s1, p0.y};
            V3 c = center + V3{p1.x * c1, p1.x * s1, p1.y};
            V3 d = center + V3{p1.x * c0, p1.x * s0, p1.y};
            V3 na{n0.x * c0, n0.x * s0, n0.y}, nb{n0.x * c1, n0.x * s1, n0.y};
            V3 nc{n1.x * c1, n1.x * s1, n1.y}, nd{n1.x * c0, n1.x * s0, n1.y};
            double u0 = double(j) / segments, u1 = double(j + 1) / segments;
            V2 ta{u0, v0}, tb{u1, v0}, tc{u1, v1}, td{u0, v1};
            bool startOnAxis = std::fabs(p0.x) < 1e-12, endOnAxis = std::fabs(p1.x) < 1e-12;
            if (startOnAxis && endOnAxis) continue;
            // At the axis the quad closes to one triangle; its pole normal is the
            // profile's own, the same at every angle.
            if (startOnAxis) {
                addTriangle(m, a, c, d, na, nc, nd, {(u0 + u1) / 2, v0}, tc, td);
            } else if (endOnAxis) {
                addTriangle(m, a, b, c, na, nb, nc, ta, tb, {(u0 + u1) / 2, v1});
            } else {
                addTriangle(m, a, b, c, na, nb, nc, ta, tb, tc);
                addTriangle(m, a, c, d, na, nc, nd, ta, tc, td);
            }
        }
    }
}

void addExtrusion(MeshBuilder& m, const std::vector<V2>& outline, double z0, double z1, bool caps) {
    size_t n = outline.size();
    if (n < 3 || z0 == z1) return;
    double lo = std::fmin(z0, z1), hi = std::fmax(z0, z1);

    // Side walls: neighbouring edges that turn by less than 30 degrees share a
    // smooth normal, so a finely sampled curve looks round and a corner stays sharp.
    std::vector<V2> edgeN(n);
    std::vector<double> along(n + 1, 0.0);
    for (size_t i = 0; i < n; ++i) {
        V2 a = outline[i], b = outline[(i + 1) % n];
        double ex = b.x - a.x, ey = b.y - a.y;
        double len = std::sqrt(ex * ex + ey * ey);
        edgeN[i] = len > 1e-12 ? V2{ey / len, -ex / len} : V2{0, 0};
        along[i + 1] = along[i] + len;
    }
    double perimeter = along[n] > 0 ? along[n] : 1.0;
    const double smoothCos = std::cos(30.0 * kPi / 180.0);
    auto cornerNormal = [&](size_t edge, size_t neighbour) {
        V2 e = edgeN[edge], o = edgeN[neighbour];
        if (e.x * o.x + e.y * o.y >= smoothCos) return normalized2({e.x + o.x, e.y + o.y});
        return e;
    };
    for (size_t i = 0; i < n; ++i) {
        if (edgeN[i].x == 0 && edgeN[i].y == 0) continue;
        V2 pa = outline[i], pb = outline[(i + 1) % n];
        V2 na2 = cornerNormal(i, (i + n - 1) % n), nb2 = cornerNormal(i, (i + 1) % n);
        V3 a{pa.x, pa.y, lo}, b{pb.x, pb.y, lo}, c{pb.x, pb.y, hi}, d{pa.x, pa.y, hi};
        V3 na{na2.x, na2.y, 0}, nb{nb2.x, nb2.y, 0};
        double u0 = along[i] / perimeter, u1 = along[i + 1] / perimeter;
        addTriangle(m, a, b, c, na, nb, nb, {u0, 1}, {u1, 1}, {u1, 0});
        addTriangle(m, a, c, d, na, nb, na, {u0, 1}, {u1, 0}, {u0, 0});
    }
    if (!caps) return;

    // Caps take the picture over the outline's bounding square, upright as seen
    // from +z.
    double minX = outline[0].x, maxX = minX, minY = outline[0].y, maxY = minY;
    for (V2 p : outline) {
        minX = std::fmin(minX, p.x);
        maxX = std::fmax(maxX, p.x);
        minY = std::fmin(minY, p.y);
        maxY = std::fmax(maxY, p.y);
    }
    double side = std::fmax(maxX - minX, maxY - minY);
    if (side <= 0) side = 1;
    auto uv = [&](V2 p) { return V2{(p.x - minX) / side, 1.0 - (p.y - minY) / side}; };
    std::vector<int> tris = triangulate(outline);
    const V3 up{0, 0, 1}, down{0, 0, -1};
    for (size_t t = 0; t + 2 < tris.size(); t += 3) {
        V2 a = outline[size_t(tris[t])], b = outline[size_t(tris[t + 1])], c = outline[size_t(tris[t + 2])];
        addTriangle(m, {a.x, a.y, hi}, {b.x, b.y, hi}, {c.x, c.y, hi}, up, up, up, uv(a), uv(b), uv(c));
        addTriangle(m, {a.x, a.y, lo}, {c.x, c.y, lo}, {b.x, b.y, lo}, down, down, down, uv(a), uv(c), uv(b));
    }
}

}  // namespace artkit
