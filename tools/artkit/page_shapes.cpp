// Curve flattening and the stock outlines of the line drawings.
#include "tools/artkit/page_shapes.h"

#include <algorithm>
#include <cmath>

namespace artkit {

namespace {

const double kDeg = M_PI / 180.0;

double len(V2 a) { return std::sqrt(a.x * a.x + a.y * a.y); }
V2 unit(V2 a) {
    double l = len(a);
    return l < 1e-12 ? V2{0, 0} : a * (1.0 / l);
}
V2 perp(V2 a) { return {-a.y, a.x}; }

double distanceToLine(V2 p, V2 a, V2 b) {
    V2 d = b - a;
    double l = len(d);
    if (l < 1e-12) return len(p - a);
    return std::fabs((p.x - a.x) * d.y - (p.y - a.y) * d.x) / l;
}

void flattenCubic(Path& out, V2 p0, V2 p1, V2 p2, V2 p3, int depth) {
    if (depth >= 18 ||
        std::max(distanceToLine(p1, p0, p3), distanceToLine(p2, p0, p3)) <= kFlatness * 0.75) {
        out.push_back(p3);
        return;
    }
    V2 a = lerp(p0, p1, 0.5), b = lerp(p1, p2, 0.5), c = lerp(p2, p3, 0.5);
    V2 ab = lerp(a, b, 0.5), bc = lerp(b, c, 0.5), m = lerp(ab, bc, 0.5);
    flattenCubic(out, p0, a, ab, m, depth + 1);
    flattenCubic(out, m, bc, c, p3, depth + 1);
}

// Points around an ellipse, with a step that keeps the sagitta under the
// flatness at the tightest bend.
int ellipseSteps(double rx, double ry, double sweepDegrees) {
    double r = std::max(rx, ry);
    double step = 2.0 * std::acos(std::max(-1.0, 1.0 - kFlatness / std::max(r, 0.01)));
    int n = int(std::ceil(std::fabs(sweepDegrees) * kDeg / std::max(step, 1e-3)));
    return std::max(n, 8);
}

// Handle length of a smooth curve span: 0.39 of the chord makes four even
// knots round a circle within a fraction of a percent.
const double kHandle = 0.39;

}  // namespace

V2 lerp(V2 a, V2 b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }
V2 polar(double radius, double degrees) {
    return {radius * std::cos(degrees * kDeg), radius * std::sin(degrees * kDeg)};
}
V2 rotated(V2 p, double degrees) {
    double c = std::cos(degrees * kDeg), s = std::sin(degrees * kDeg);
    return {p.x * c - p.y * s, p.x * s + p.y * c};
}

void appendCubic(Path& out, V2 p0, V2 p1, V2 p2, V2 p3) { flattenCubic(out, p0, p1, p2, p3, 0); }

Knot corner(V2 p) { return Knot{p, true}; }
Knot corner(double x, double y) { return Knot{{x, y}, true}; }

namespace {

// The curve through knots; closed joins the last knot back to the first.
Path smoothThrough(const std::vector<Knot>& k, bool closed, double tension) {
    Path out;
    size_t n = k.size();
    if (n == 0) return out;
    out.push_back(k[0].p);
    if (n == 1) return out;
    size_t spans = closed ? n : n - 1;
    auto at = [&](long i) -> const Knot& {
        if (closed) return k[size_t((i % long(n) + long(n)) % long(n))];
        return k[size_t(std::clamp(i, 0L, long(n) - 1))];
    };
    // Tangent direction at knot i; zero at corners and at the ends of an open curve.
    auto tangent = [&](long i) -> V2 {
        const Knot& here = at(i);
        if (here.corner) return {0, 0};
        if (!closed && (i == 0 || i == long(n) - 1)) return {0, 0};
        return unit(at(i + 1).p - at(i - 1).p);
    };
    for (size_t s = 0; s < spans; ++s) {
        V2 a = at(long(s)).p, b = at(long(s) + 1).p;
        double h = len(b - a) * kHandle * tension;
        V2 ta = tangent(long(s)), tb = tangent(long(s) + 1);
        bool freeA = ta.x == 0 && ta.y == 0, freeB = tb.x == 0 && tb.y == 0;
        // A corner takes the other end's tangent mirrored across the chord, so
        // the span bows evenly like an arc into the point; two corners make a
        // straight span.
        V2 chord = unit(b - a);
        auto mirrored = [&](V2 t) { return chord * (2 * (chord.x * t.x + chord.y * t.y)) - t; };
        if (freeA && !freeB) ta = mirrored(tb);
        if (freeB && !freeA) tb = mirrored(ta);
        V2 c1 = freeA && freeB ? lerp(a, b, 1.0 / 3) : a + ta * h;
        V2 c2 = freeA && freeB ? lerp(b, a, 1.0 / 3) : b - tb * h;
        appendCubic(out, a, c1, c2, b);
    }
    if (closed) out.pop_back();  // the last point repeats the first
    return out;
}

}  // namespace

Path smoothClosed(const std::vector<Knot>& knots, double tension) { return smoothThrough(knots, true, tension); }

Path smoothClosed(const std::vector<V2>& points, double tension) {
    std::vector<Knot> k;
    for (V2 p : points) k.push_back({p, false});
    return smoothThrough(k, true, tension);
}

Path smoothOpen(const std::vector<V2>& points, double tension) {
    std::vector<Knot> k;
    for (V2 p : points) k.push_back({p, false});
    return smoothThrough(k, false, tension);
}

Path ellipseArc(V2 centre, double rx, double ry, double a0, double a1, double degrees) {
    Path out;
    int n = ellipseSteps(rx, ry, a1 - a0);
    for (int i = 0; i <= n; ++i) {
        double a = (a0 + (a1 - a0) * i / n) * kDeg;
        out.push_back(centre + rotated({rx * std::cos(a), ry * std::sin(a)}, degrees));
    }
    return out;
}

Path arc(V2 centre, double radius, double a0, double a1) { return ellipseArc(centre, radius, radius, a0, a1); }

Path ellipse(V2 centre, double rx, double ry, double degrees) {
    Path p = ellipseArc(centre, rx, ry, 0, 360, degrees);
    p.pop_back();
    return p;
}

Path circle(V2 centre, double radius) { return ellipse(centre, radius, radius); }

Path roundedRect(double x0, double y0, double x1, double y1, double r) {
    Path out;
    auto corner = [&](V2 c, double a0) {
        Path a = arc(c, r, a0, a0 + 90);
        out.insert(out.end(), a.begin(), a.end());
    };
    corner({x1 - r, y0 + r}, -90);
    corner({x1 - r, y1 - r}, 0);
    corner({x0 + r, y1 - r}, 90);
    corner({x0 + r, y0 + r}, 180);
    return out;
}

Path petal(V2 base, double degrees, double length, double width, double belly, double tip) {
    double L = length, w = width * 0.5;
    std::vector<Knot> k;
    k.push_back(corner(0, 0));
    k.push_back({{L * belly * 0.45, -w * 0.78}});
    k.push_back({{L * belly, -w}});
    double nearTip = belly + (1 - belly) * 0.62;
    k.push_back({{L * nearTip, -w * (0.45 + 0.35 * tip)}});
    if (tip < 0.15)
        k.push_back(corner(L, 0));
    else
        k.push_back({{L, 0}});
    k.push_back({{L * nearTip, w * (0.45 + 0.35 * tip)}});
    k.push_back({{L * belly, w}});
    k.push_back({{L * belly * 0.45, w * 0.78}});
    Path p = smoothClosed(k);
    for (V2& q : p) q = base + rotated(q, degrees);
    return p;
}

namespace {

// Point on the quadratic midrib of a leaf at t, and its direction.
V2 midrib(V2 base, V2 tip, double bend, double t) {
    V2 mid = lerp(base, tip, 0.5) + unit(perp(tip - base)) * (bend * 2.0);
    double u = 1 - t;
    return base * (u * u) + mid * (2 * u * t) + tip * (t * t);
}

}  // namespace

Path leaf(V2 base, V2 tip, double width, double bend) {
    // Sampled densely along the midrib: widest a little below the middle,
    // pointed at both ends.
    V2 span = tip - base;
    int n = std::max(48, int(std::sqrt(span.x * span.x + span.y * span.y) / 0.15));
    Path right, left;
    for (int i = 0; i <= n; ++i) {
        double t = double(i) / n;
        double w = width * 0.5 * std::pow(std::sin(M_PI * std::pow(t, 0.85)), 0.8);
        V2 p = midrib(base, tip, bend, t);
        V2 d = unit(midrib(base, tip, bend, std::min(1.0, t + 0.01)) - midrib(base, tip, bend, std::max(0.0, t - 0.01)));
        right.push_back(p - perp(d) * w);
        left.push_back(p + perp(d) * w);
    }
    Path out = right;
    out.insert(out.end(), left.rbegin() + 1, left.rend() - 1);
    return ccw(out);
}

Path leafVein(V2 base, V2 tip, double bend, double from, double to) {
    Path out;
    int n = 40;
    for (int i = 0; i <= n; ++i) out.push_back(midrib(base, tip, bend, from + (to - from) * i / n));
    return out;
}

Path heart(V2 centre, double s, double degrees) {
    std::vector<Knot> k = {corner(0, -1.0 * s),        {{0.55 * s, -0.35 * s}}, {{0.9 * s, 0.2 * s}},
                           {{0.62 * s, 0.68 * s}},     {{0.25 * s, 0.62 * s}}, corner(0, 0.32 * s),
                           {{-0.25 * s, 0.62 * s}},    {{-0.62 * s, 0.68 * s}}, {{-0.9 * s, 0.2 * s}},
                           {{-0.55 * s, -0.35 * s}}};
    Path p = smoothClosed(k);
    if (signedArea(p) < 0) std::reverse(p.begin(), p.end());
    for (V2& q : p) q = centre + rotated(q, degrees);
    return p;
}

Path star(V2 centre, double outer, double inner, int points, double degrees) {
    std::vector<Knot> k;
    for (int i = 0; i < points * 2; ++i) {
        double a = degrees + 180.0 * i / points;
        V2 p = centre + polar(i % 2 == 0 ? outer : inner, a);
        k.push_back(i % 2 == 0 ? Knot{p, false} : corner(p));
    }
    return smoothClosed(k, 0.35);
}

Path scallopedCircle(V2 centre, double radius, double depth, int lobes, double degrees) {
    Path out;
    int n = std::max(64, int(2 * M_PI * radius / 0.06));
    for (int i = 0; i < n; ++i) {
        double a = 2 * M_PI * i / n;
        double r = radius - depth + depth * std::fabs(std::sin(lobes * a / 2));
        out.push_back(centre + polar(r, a / kDeg + degrees));
    }
    return out;
}

Path starUnion(const std::vector<Path>& shapes, V2 centre) {
    std::vector<std::pair<double, V2>> kept;
    for (size_t i = 0; i < shapes.size(); ++i) {
        for (V2 p : shapes[i]) {
            bool inside = false;
            for (size_t j = 0; j < shapes.size() && !inside; ++j)
                if (j != i && containsPoint(shapes[j], p)) inside = true;
            if (!inside) kept.push_back({std::atan2(p.y - centre.y, p.x - centre.x), p});
        }
    }
    std::sort(kept.begin(), kept.end(), [](const std::pair<double, V2>& a, const std::pair<double, V2>& b) {
        return a.first < b.first;
    });
    Path out;
    for (auto& k : kept) out.push_back(k.second);
    return out;
}

Path cloud(V2 c, double w, double h) {
    // Round bumps along the top over a flattened base.
    std::vector<Path> parts = {
        ellipse({c.x, c.y - 0.18 * h}, 0.5 * w, 0.3 * h),
        circle({c.x - 0.3 * w, c.y - 0.05 * h}, 0.3 * h),
        circle({c.x - 0.1 * w, c.y + 0.12 * h}, 0.42 * h),
        circle({c.x + 0.14 * w, c.y + 0.16 * h}, 0.36 * h),
        circle({c.x + 0.32 * w, c.y - 0.04 * h}, 0.28 * h),
    };
    return starUnion(parts, {c.x, c.y - 0.1 * h});
}

Path grassTuft(V2 b, double width, double height, int blades) {
    std::vector<Knot> k;
    double x0 = b.x - width / 2;
    double step = width / blades;
    k.push_back(corner(b.x + width / 2, b.y));
    k.push_back(corner(x0, b.y));
    for (int i = 0; i < blades; ++i) {
        double xl = x0 + step * i;
        double mid = xl + step * 0.5;
        double lean = (mid - b.x) / width * 0.9 * height * 0.5;
        double hh = height * (i % 2 == 0 ? 1.0 : 0.78) * (1.0 - 0.25 * std::fabs(mid - b.x) / width);
        V2 tip = {mid + lean, b.y + hh};
        k.push_back({{xl + step * 0.18 + lean * 0.15, b.y + hh * 0.45}});
        k.push_back(corner(tip));
        k.push_back({{xl + step * 0.82 + lean * 0.15, b.y + hh * 0.45}});
        if (i + 1 < blades) k.push_back(corner(xl + step, b.y + height * 0.2));
    }
    Path p = smoothClosed(k, 0.6);
    if (signedArea(p) < 0) std::reverse(p.begin(), p.end());
    return p;
}

Path band(const Path& line, double w0, double w1) {
    Path left, right;
    size_t n = line.size();
    if (n < 2) return {};
    // Arc length for the taper.
    std::vector<double> s(n, 0.0);
    for (size_t i = 1; i < n; ++i) s[i] = s[i - 1] + len(line[i] - line[i - 1]);
    for (size_t i = 0; i < n; ++i) {
        V2 d = unit(line[std::min(i + 1, n - 1)] - line[i > 0 ? i - 1 : 0]);
        double w = (w0 + (w1 - w0) * (s[n - 1] > 0 ? s[i] / s[n - 1] : 0)) * 0.5;
        left.push_back(line[i] + perp(d) * w);
        right.push_back(line[i] - perp(d) * w);
    }
    Path out = right;
    out.insert(out.end(), left.rbegin(), left.rend());
    if (signedArea(out) < 0) std::reverse(out.begin(), out.end());
    return out;
}

Path roundEndedBand(const Path& line, double w) {
    size_t n = line.size();
    if (n < 2) return {};
    Path right, left;
    for (size_t i = 0; i < n; ++i) {
        V2 d = unit(line[std::min(i + 1, n - 1)] - line[i > 0 ? i - 1 : 0]);
        right.push_back(line[i] - perp(d) * (w * 0.5));
        left.push_back(line[i] + perp(d) * (w * 0.5));
    }
    V2 end = line[n - 1], d = unit(line[n - 1] - line[n - 2]);
    double a = std::atan2(d.y, d.x) * 180 / M_PI;
    Path cap = arc(end, w * 0.5, a - 90, a + 90);
    Path out = right;
    out.insert(out.end(), cap.begin() + 1, cap.end() - 1);
    out.insert(out.end(), left.rbegin(), left.rend());
    return ccw(out);
}

std::vector<Path> dashes(const Path& line, double dash, double gap) {
    std::vector<Path> out;
    Path current;
    double along = 0;  // distance into the current dash-and-gap period
    for (size_t i = 1; i < line.size(); ++i) {
        V2 a = line[i - 1], b = line[i];
        double segment = len(b - a), done = 0;
        while (done < segment) {
            bool inDash = along < dash;
            double room = inDash ? dash - along : dash + gap - along;
            double step = std::min(room, segment - done);
            V2 from = lerp(a, b, done / segment), to = lerp(a, b, (done + step) / segment);
            if (inDash) {
                if (current.empty()) current.push_back(from);
                current.push_back(to);
            }
            done += step;
            along += step;
            if (inDash && along >= dash && !current.empty()) {
                out.push_back(current);
                current.clear();
            }
            if (along >= dash + gap) along = 0;
        }
    }
    if (current.size() > 1) out.push_back(current);
    return out;
}

namespace {

void keepFarthest(const Path& p, size_t first, size_t last, double tolerance, std::vector<bool>& keep) {
    // Iterative, so long outlines cannot exhaust the stack.
    std::vector<std::pair<size_t, size_t>> spans = {{first, last}};
    while (!spans.empty()) {
        auto [a, b] = spans.back();
        spans.pop_back();
        double worst = -1;
        size_t at = a;
        for (size_t i = a + 1; i < b; ++i) {
            double dist = distanceToLine(p[i], p[a], p[b]);
            if (dist > worst) {
                worst = dist;
                at = i;
            }
        }
        if (worst > tolerance) {
            keep[at] = true;
            spans.push_back({a, at});
            spans.push_back({at, b});
        }
    }
}

}  // namespace

Path simplified(const Path& p, double tolerance, bool closed) {
    size_t n = p.size();
    if (n < 3) return p;
    std::vector<bool> keep(n, false);
    keep[0] = true;
    if (closed) {
        // Split the loop at the point farthest from the first one.
        size_t far = 0;
        double best = -1;
        for (size_t i = 1; i < n; ++i) {
            double dist = len(p[i] - p[0]);
            if (dist > best) {
                best = dist;
                far = i;
            }
        }
        keep[far] = true;
        keepFarthest(p, 0, far, tolerance, keep);
        Path loop(p.begin() + long(far), p.end());
        loop.push_back(p[0]);
        std::vector<bool> keepLoop(loop.size(), false);
        keepFarthest(loop, 0, loop.size() - 1, tolerance, keepLoop);
        for (size_t i = 1; i + 1 < loop.size(); ++i)
            if (keepLoop[i]) keep[far + i] = true;
    } else {
        keep[n - 1] = true;
        keepFarthest(p, 0, n - 1, tolerance, keep);
    }
    Path out;
    for (size_t i = 0; i < n; ++i)
        if (keep[i]) out.push_back(p[i]);
    return out;
}

Path translate(const Path& p, V2 by) {
    Path out = p;
    for (V2& q : out) q = q + by;
    return out;
}

Path rotate(const Path& p, V2 about, double degrees) {
    Path out = p;
    for (V2& q : out) q = about + rotated(q - about, degrees);
    return out;
}

Path scale(const Path& p, V2 about, double sx, double sy) {
    Path out = p;
    for (V2& q : out) q = {about.x + (q.x - about.x) * sx, about.y + (q.y - about.y) * sy};
    if (sx * sy < 0) std::reverse(out.begin(), out.end());
    return out;
}

Path mirrorX(const Path& p, double axisX) { return scale(p, {axisX, 0}, -1, 1); }

Path reversed(const Path& p) { return Path(p.rbegin(), p.rend()); }

double signedArea(const Path& p) {
    double a = 0;
    for (size_t i = 0, n = p.size(); i < n; ++i) {
        V2 u = p[i], v = p[(i + 1) % n];
        a += u.x * v.y - v.x * u.y;
    }
    return a * 0.5;
}

Path ccw(const Path& p) { return signedArea(p) < 0 ? reversed(p) : p; }

Path toothedLeaf(V2 base, V2 tip, double width, int teeth, double bend, double toothDepth) {
    // Each edge swells out to a point and falls back to a notch, so the points
    // lean towards the base like a dandelion's.
    const int steps = 14;
    Path right, left;
    int n = teeth * steps;
    for (int i = 0; i <= n; ++i) {
        double t = double(i) / n;
        double u = double(i % steps) / steps;
        if (i == n) u = 1.0;
        double profile = std::pow(std::sin(M_PI * std::min(1.0, t * 1.04)), 0.75);
        double tooth = 1.0 - toothDepth * u;
        // The first and last tooth fade so the ends stay simple.
        double fade = std::min(1.0, std::min(t, 1.0 - t) * teeth * 0.9);
        double w = width * 0.5 * profile * (1.0 - toothDepth * 0.5 + (tooth - (1.0 - toothDepth * 0.5)) * fade);
        V2 p = midrib(base, tip, bend, t);
        V2 d = unit(midrib(base, tip, bend, std::min(1.0, t + 0.01)) - midrib(base, tip, bend, std::max(0.0, t - 0.01)));
        right.push_back(p - perp(d) * w);
        left.push_back(p + perp(d) * w);
    }
    Path out = right;
    out.insert(out.end(), left.rbegin() + 1, left.rend() - 1);
    return ccw(out);
}

bool containsPoint(const Path& p, V2 q) {
    bool inside = false;
    for (size_t i = 0, n = p.size(), j = n - 1; i < n; j = i++) {
        if ((p[i].y > q.y) != (p[j].y > q.y) &&
            q.x < (p[j].x - p[i].x) * (q.y - p[i].y) / (p[j].y - p[i].y) + p[i].x)
            inside = !inside;
    }
    return inside;
}

}  // namespace artkit
