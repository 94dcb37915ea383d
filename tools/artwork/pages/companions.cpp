// The shared cast of the pages. Shapes are drawn around the origin in units of
// the companion's size and then placed.
#include "companions.h"

#include <algorithm>
#include <cmath>

namespace pages {

using namespace artkit;

Path placed(const Path& local, Place p) {
    Path out;
    out.reserve(local.size());
    for (V2 q : local) out.push_back(placed(q, p));
    // A mirror image runs the other way round; keep outlines counter-clockwise.
    if (p.mirrored) std::reverse(out.begin(), out.end());
    return out;
}

V2 placed(V2 local, Place p) {
    if (p.mirrored) local.x = -local.x;
    return p.at + rotated(local * p.size, p.degrees);
}

Path ellipseSlice(double rx, double ry, double x0, double x1) {
    x0 = std::max(x0, -rx);
    x1 = std::min(x1, rx);
    double t1 = std::acos(x1 / rx) * 180 / M_PI, t0 = std::acos(x0 / rx) * 180 / M_PI;
    Path top = ellipseArc({0, 0}, rx, ry, t1, t0);
    Path bottom = ellipseArc({0, 0}, rx, ry, -t0, -t1);
    Path out = top;
    out.insert(out.end(), bottom.begin(), bottom.end());
    return out;
}

namespace {

// Keeps the part of a polygon on one side of a horizontal line.
Path clipY(const Path& in, double y, bool keepAbove) {
    Path out;
    for (size_t i = 0, n = in.size(); i < n; ++i) {
        V2 a = in[i], b = in[(i + 1) % n];
        bool ia = keepAbove ? a.y >= y : a.y <= y;
        bool ib = keepAbove ? b.y >= y : b.y <= y;
        if (ia) out.push_back(a);
        if (ia != ib) {
            double t = (y - a.y) / (b.y - a.y);
            out.push_back(lerp(a, b, t));
        }
    }
    return out;
}

}  // namespace

Path convexBand(const Path& outline, double y0, double y1) { return clipY(clipY(outline, y0, true), y1, false); }

void face(PageDrawing& d, V2 c, double s) {
    addDot(d, circle(c + V2{-0.32 * s, 0.18 * s}, 0.1 * s));
    addDot(d, circle(c + V2{0.32 * s, 0.18 * s}, 0.1 * s));
    addStroke(d, arc(c + V2{0, 0.05 * s}, 0.38 * s, 215, 325));
}

void butterfly(PageDrawing& d, Place p, bool spots) {
    std::vector<Knot> upper = {corner(0.08, 0.12), {{0.42, 0.9}}, {{1.05, 1.28}}, {{1.48, 0.92}},
                               {{1.3, 0.3}},       {{0.65, -0.02}}};
    std::vector<Knot> lower = {corner(0.08, -0.08), {{0.72, -0.1}}, {{1.08, -0.55}},
                               {{0.82, -1.08}},     {{0.35, -1.02}}, {{0.12, -0.6}}};
    Path ur = smoothClosed(upper), lr = smoothClosed(lower);
    if (signedArea(ur) < 0) ur = reversed(ur);
    if (signedArea(lr) < 0) lr = reversed(lr);
    for (int side : {-1, 1}) {
        Path w = side > 0 ? lr : mirrorX(lr, 0);
        addRegion(d, placed(w, p));
        addLoop(d, placed(circle({side * 0.62, -0.6}, 0.2), p));
    }
    for (int side : {-1, 1}) {
        Path w = side > 0 ? ur : mirrorX(ur, 0);
        addRegion(d, placed(w, p));
        if (!spots) addLoop(d, placed(circle({side * 0.92, 0.72}, 0.26), p));
    }
    if (spots)
        for (int side : {-1, 1}) addRegion(d, placed(circle({side * 0.9, 0.72}, 0.3), p));
    addRegion(d, placed(ellipse({0, -0.12}, 0.17, 0.86), p));
    addRegion(d, placed(circle({0, 0.92}, 0.33), p));
    for (int side : {-1, 1}) {
        Path a = smoothOpen({{side * 0.12, 1.2}, {side * 0.3, 1.5}, {side * 0.5, 1.66}});
        addStroke(d, placed(a, p));
        addDot(d, placed(circle({side * 0.5, 1.66}, 0.07), p));
    }
}

void bee(PageDrawing& d, Place p, bool stripeRegions) {
    addRegion(d, placed(ellipse({-0.42, 0.82}, 0.36, 0.62, 28), p));
    addRegion(d, placed(ellipse({0.1, 0.88}, 0.38, 0.66, -18), p));
    addInk(d, placed(smoothClosed({corner(-0.9, 0.14), corner(-1.32, 0.0), corner(-0.9, -0.14)}), p));
    addRegion(d, placed(ellipse({0, 0}, 1.0, 0.7), p));
    if (stripeRegions) {
        addRegion(d, placed(ellipseSlice(1.0, 0.7, -0.5, -0.2), p));
        addRegion(d, placed(ellipseSlice(1.0, 0.7, 0.08, 0.38), p));
    } else {
        addInk(d, placed(ellipseSlice(1.0, 0.7, -0.5, -0.26), p));
        addInk(d, placed(ellipseSlice(1.0, 0.7, 0.08, 0.32), p));
    }
    addRegion(d, placed(circle({0.98, 0.14}, 0.48), p));
    addDot(d, placed(circle({1.14, 0.3}, 0.08), p));
    addStroke(d, placed(arc({1.08, 0.12}, 0.22, 250, 330), p));
    addStroke(d, placed(smoothOpen({{0.95, 0.6}, {0.92, 0.9}, {0.75, 1.1}}), p));
    addStroke(d, placed(smoothOpen({{1.15, 0.58}, {1.25, 0.88}, {1.42, 1.05}}), p));
}

void ladybird(PageDrawing& d, Place p) {
    addRegion(d, placed(ellipse({0, 1.0}, 0.56, 0.46), p));
    // Legs peep out from under the wing cases.
    for (int side : {-1, 1})
        for (double y : {0.45, 0.0, -0.45})
            addStroke(d, placed(smoothOpen({{0, y}, {side * 0.95, y + 0.05}, {side * 1.15, y - 0.12}}), p));
    addDot(d, placed(circle({-0.22, 1.16}, 0.07), p));
    addDot(d, placed(circle({0.22, 1.16}, 0.07), p));
    for (int side : {-1, 1}) {
        Path half = side < 0 ? ellipseSlice(0.88, 0.98, -0.88, 0) : ellipseSlice(0.88, 0.98, 0, 0.88);
        addRegion(d, placed(translate(half, {0, -0.05}), p));
        addDot(d, placed(circle({side * 0.45, 0.35}, 0.15), p));
        addDot(d, placed(circle({side * 0.5, -0.3}, 0.17), p));
        addDot(d, placed(circle({side * 0.2, -0.7}, 0.12), p));
    }
}

void snail(PageDrawing& d, Place p, bool shellRing) {
    std::vector<Knot> body = {corner(-1.6, -0.62), {{-0.6, -0.7}}, {{0.6, -0.7}}, {{1.3, -0.55}},
                              {{1.55, 0.05}},      {{1.42, 0.6}},  {{1.08, 0.7}}, {{0.88, 0.25}},
                              {{0.45, -0.15}},     {{-0.6, -0.3}}};
    Path b = smoothClosed(body);
    if (signedArea(b) < 0) b = reversed(b);
    addRegion(d, placed(b, p));
    addStroke(d, placed(smoothOpen({{1.3, 0.62}, {1.4, 0.95}, {1.5, 1.22}}), p));
    addStroke(d, placed(smoothOpen({{1.08, 0.66}, {1.05, 0.98}, {1.0, 1.2}}), p));
    addDot(d, placed(circle({1.5, 1.24}, 0.1), p));
    addDot(d, placed(circle({1.0, 1.22}, 0.1), p));
    addDot(d, placed(circle({1.3, 0.32}, 0.07), p));
    addStroke(d, placed(arc({1.3, 0.08}, 0.16, 220, 320), p));
    addRegion(d, placed(circle({-0.25, 0.35}, 0.9), p));
    // A spiral into the middle of the shell.
    Path spiral;
    int n = 240;
    for (int i = 0; i <= n; ++i) {
        double t = double(i) / n;
        double a = 200 + t * 540;
        double r = 0.62 * (1 - t) + 0.08;
        spiral.push_back(V2{-0.22, 0.32} + polar(r, a));
    }
    if (shellRing) {
        addRegion(d, placed(circle({-0.2, 0.32}, 0.45), p));
        addStroke(d, placed(Path(spiral.begin() + n / 2, spiral.end()), p));
    } else {
        addStroke(d, placed(spiral, p));
    }
}

void sun(PageDrawing& d, V2 c, double r, int rays) {
    if (rays == 0) {
        addRegion(d, star(c, r * 1.5, r * 1.08, 12, 90));
    } else {
        for (int i = 0; i < rays; ++i) {
            double a = 90 + 360.0 * i / rays;
            addRegion(d, petal(c + polar(r * 0.8, a), a, r * 0.75, r * 0.5, 0.25, 0.25));
        }
    }
    addRegion(d, circle(c, r));
    face(d, c, r * 0.95);
    addStroke(d, arc(c + V2{-0.55 * r, -0.05 * r}, 0.12 * r, 200, 340));
    addStroke(d, arc(c + V2{0.55 * r, -0.05 * r}, 0.12 * r, 200, 340));
}

void cloudShape(PageDrawing& d, V2 c, double w, double h) { addRegion(d, cloud(c, w, h)); }

void hill(PageDrawing& d, const std::vector<V2>& top) {
    Path edge = smoothOpen(top);
    Path out = edge;
    out.push_back({top.back().x, kDrawBottom});
    out.push_back({top.front().x, kDrawBottom});
    if (signedArea(out) < 0) out = reversed(out);
    addRegion(d, out);
}

void tuft(PageDrawing& d, V2 base, double width, double height, int blades) {
    // The blades are drawn but not the foot: the tuft grows out of the ground.
    Path p = grassTuft(base, width, height, blades);
    addRegion(d, p);
    d.items.back().stroked = false;
    size_t n = p.size(), foot = 0;
    double longest = -1;
    for (size_t i = 0; i < n; ++i) {
        V2 a = p[i], b = p[(i + 1) % n];
        if (std::fabs(a.y - base.y) < 1e-6 && std::fabs(b.y - base.y) < 1e-6 && std::fabs(b.x - a.x) > longest) {
            longest = std::fabs(b.x - a.x);
            foot = i;
        }
    }
    Path open;
    for (size_t k = 1; k <= n; ++k) open.push_back(p[(foot + k) % n]);
    addStroke(d, open);
}

void stem(PageDrawing& d, const std::vector<V2>& line, double w0, double w1) {
    addRegion(d, band(smoothOpen(line), w0, w1));
}

void leafShape(PageDrawing& d, V2 base, V2 tip, double width, double bend) {
    addRegion(d, leaf(base, tip, width, bend));
    addStroke(d, leafVein(base, tip, bend, 0.12, 0.78));
}

void flowerPot(PageDrawing& d, V2 b, double bw, double tw, double h, int stripes) {
    double rimH = h * 0.24;
    double bodyTop = b.y + h - rimH * 0.6;
    Path body = {{b.x - bw / 2, b.y}, {b.x + bw / 2, b.y}, {b.x + tw / 2, bodyTop}, {b.x - tw / 2, bodyTop}};
    addRegion(d, body);
    double bandH = (bodyTop - b.y) / (2 * stripes + 1);
    for (int i = 0; i < stripes; ++i) {
        double y0 = b.y + bandH * (2 * i + 1);
        addRegion(d, convexBand(body, y0, y0 + bandH));
    }
    double rimW = tw * 1.12;
    addRegion(d, roundedRect(b.x - rimW / 2, b.y + h - rimH, b.x + rimW / 2, b.y + h, rimH * 0.3));
}

void wateringCan(PageDrawing& d, Place p) {
    addRegion(d, placed(band(arc({0.3, 0.5}, 0.62, -5, 185), 0.3, 0.3), p));
    addRegion(d, placed(band(smoothOpen({{-0.5, -0.35}, {-1.05, 0.05}, {-1.55, 0.68}}), 0.42, 0.24), p));
    addRegion(d, placed(ellipse({-1.62, 0.76}, 0.2, 0.4, -40), p));
    addDot(d, placed(circle({-1.66, 0.84}, 0.05), p));
    addDot(d, placed(circle({-1.56, 0.7}, 0.05), p));
    addRegion(d, placed(roundedRect(-0.85, -0.9, 0.95, 0.55, 0.28), p));
    addRegion(d, placed(ellipse({0.05, 0.56}, 0.5, 0.16), p));
}

void daisyHead(PageDrawing& d, V2 c, double radius, int petals, double degrees, double cr, double pw) {
    for (int i = 0; i < petals; ++i) {
        double a = degrees + 360.0 * i / petals;
        addRegion(d, petal(c + polar(cr * 0.5, a), a, radius - cr * 0.5, pw, 0.62, 0.95));
    }
    addRegion(d, circle(c, cr));
}

void blossom(PageDrawing& d, V2 c, double r, double degrees) {
    std::vector<Knot> k;
    for (int i = 0; i < 5; ++i) {
        double a = degrees + 72.0 * i;
        k.push_back(corner(c + polar(0.42 * r, a - 36)));
        k.push_back({c + polar(0.82 * r, a - 25)});
        k.push_back({c + polar(1.0 * r, a - 10)});
        k.push_back(corner(c + polar(0.9 * r, a)));
        k.push_back({c + polar(1.0 * r, a + 10)});
        k.push_back({c + polar(0.82 * r, a + 25)});
    }
    addRegion(d, smoothClosed(k));
    addRegion(d, circle(c, r * 0.27));
    for (int i = 0; i < 5; ++i) {
        double a = degrees + 36 + 72.0 * i;
        addStroke(d, {c + polar(r * 0.3, a), c + polar(r * 0.5, a)});
        addDot(d, circle(c + polar(r * 0.53, a), r * 0.045));
    }
}

void mushroom(PageDrawing& d, V2 b, double s) {
    Path st = smoothClosed({corner(b + V2{-0.35 * s, 0}), corner(b + V2{0.35 * s, 0}), {b + V2{0.3 * s, 0.5 * s}},
                            corner(b + V2{0.25 * s, 0.95 * s}), corner(b + V2{-0.25 * s, 0.95 * s}),
                            {b + V2{-0.3 * s, 0.5 * s}}});
    addRegion(d, st);
    Path cap = smoothClosed({corner(b + V2{-0.95 * s, 0.8 * s}), {b + V2{-0.7 * s, 1.45 * s}}, {b + V2{0, 1.72 * s}},
                             {b + V2{0.7 * s, 1.45 * s}}, corner(b + V2{0.95 * s, 0.8 * s}),
                             {b + V2{0, 0.88 * s}}});
    if (signedArea(cap) < 0) cap = reversed(cap);
    addRegion(d, cap);
    addLoop(d, ellipse(b + V2{-0.4 * s, 1.2 * s}, 0.17 * s, 0.13 * s));
    addLoop(d, ellipse(b + V2{0.15 * s, 1.45 * s}, 0.2 * s, 0.14 * s));
    addLoop(d, ellipse(b + V2{0.55 * s, 1.1 * s}, 0.13 * s, 0.1 * s));
}

void dragonfly(PageDrawing& d, Place p) {
    // Seen from above: two pairs of long wings across a slim body.
    addRegion(d, placed(ellipse({-0.35, 1.05}, 0.3, 1.0, 14), p));
    addRegion(d, placed(ellipse({-0.35, -1.05}, 0.3, 1.0, -14), p));
    addRegion(d, placed(ellipse({0.3, 1.12}, 0.32, 1.08, -10), p));
    addRegion(d, placed(ellipse({0.3, -1.12}, 0.32, 1.08, 10), p));
    Path body = smoothClosed({corner(-2.4, 0.0), {{-1.4, -0.1}}, {{-0.2, -0.15}}, {{0.3, -0.26}}, {{0.8, -0.2}},
                              {{1.12, -0.34}}, {{1.42, 0.0}}, {{1.12, 0.34}}, {{0.8, 0.2}}, {{0.3, 0.26}},
                              {{-0.2, 0.15}}, {{-1.4, 0.1}}});
    addRegion(d, placed(ccw(body), p));
    addDot(d, placed(circle({1.16, 0.17}, 0.08), p));
    addDot(d, placed(circle({1.16, -0.17}, 0.08), p));
    for (double x : {-1.8, -1.3, -0.8}) addStroke(d, placed(Path{{x, -0.11}, {x, 0.11}}, p));
}

void fence(PageDrawing& d, double x0, double x1, double bottom, double top, int pickets) {
    double h = top - bottom;
    addRegion(d, roundedRect(x0, bottom + h * 0.18, x1, bottom + h * 0.18 + h * 0.13, h * 0.04));
    addRegion(d, roundedRect(x0, bottom + h * 0.62, x1, bottom + h * 0.62 + h * 0.13, h * 0.04));
    double step = (x1 - x0) / pickets;
    double w = step * 0.62;
    for (int i = 0; i < pickets; ++i) {
        double cx = x0 + step * (i + 0.5);
        Path pk = smoothClosed({corner(cx - w / 2, bottom), corner(cx + w / 2, bottom), corner(cx + w / 2, top - w * 0.55),
                                corner(cx, top), corner(cx - w / 2, top - w * 0.55)},
                               0.25);
        addRegion(d, pk);
        addDot(d, circle({cx, bottom + h * 0.245}, 0.14));
        addDot(d, circle({cx, bottom + h * 0.685}, 0.14));
    }
}

void bird(PageDrawing& d, Place p) {
    addRegion(d, placed(smoothClosed({corner(-0.7, 0.0), {{-1.35, 0.25}}, corner(-1.55, 0.05), {{-1.45, -0.25}},
                                      corner(-1.6, -0.45), {{-1.2, -0.4}}, corner(-0.6, -0.35)}),
                        p));
    Path body = smoothClosed({{{-0.9, -0.1}}, {{-0.3, -0.65}}, {{0.45, -0.55}}, {{0.9, 0.05}},
                              {{0.75, 0.6}},  {{0.3, 0.8}},   {{-0.2, 0.5}}});
    addRegion(d, placed(body, p));
    addDot(d, placed(circle({0.48, 0.4}, 0.08), p));
    addInk(d, placed(smoothClosed({corner(0.82, 0.35), corner(1.22, 0.2), corner(0.86, 0.08)}), p));
    addRegion(d, placed(smoothClosed({corner(-0.85, 0.05), {{-0.3, 0.3}}, {{0.25, 0.1}}, {{0.1, -0.25}},
                                      {{-0.4, -0.25}}}),
                        p));
}

void frog(PageDrawing& d, Place p) {
    for (int side : {-1, 1}) {
        addRegion(d, placed(circle({side * 0.52, 0.72}, 0.38), p));
        addDot(d, placed(circle({side * 0.5, 0.82}, 0.12), p));
    }
    Path body = smoothClosed({{{0, -0.95}}, {{0.85, -0.85}}, {{1.2, -0.4}}, {{1.05, 0.2}}, {{0.55, 0.55}},
                              {{0, 0.6}}, {{-0.55, 0.55}}, {{-1.05, 0.2}}, {{-1.2, -0.4}}, {{-0.85, -0.85}}});
    addRegion(d, placed(ccw(body), p));
    addStroke(d, placed(arc({0, 0.45}, 0.55, 215, 325), p));
    addDot(d, placed(circle({-0.14, 0.36}, 0.04), p));
    addDot(d, placed(circle({0.14, 0.36}, 0.04), p));
    addRegion(d, placed(ellipse({0, -0.45}, 0.62, 0.4), p));
    for (int side : {-1, 1}) {
        addStroke(d, placed(smoothOpen({{side * 0.75, -0.7}, {side * 1.0, -0.95}, {side * 1.3, -0.98}}), p));
        addStroke(d, placed(smoothOpen({{side * 0.95, -0.92}, {side * 1.15, -1.1}}), p));
    }
}

void palmTree(PageDrawing& d, V2 b, double h, int fronds) {
    Path trunkLine = smoothOpen({b, b + V2{h * 0.08, h * 0.5}, b + V2{h * 0.25, h * 0.95}});
    addRegion(d, band(trunkLine, h * 0.16, h * 0.09));
    for (int i = 1; i < 7; ++i) {
        V2 c = trunkLine[trunkLine.size() * size_t(i) / 7];
        addStroke(d, arc(c + V2{0, h * 0.045}, h * 0.07, 205, 335));
    }
    V2 top = b + V2{h * 0.25, h * 0.95};
    for (int i = 0; i < fronds; ++i) {
        double a = 200 - 220.0 * i / (fronds - 1);
        V2 tip = top + polar(h * 0.56, a) + V2{0, -h * 0.12};
        addRegion(d, toothedLeaf(top, tip, h * 0.21, 5, (a > 90 ? 1 : -1) * h * 0.05, 0.3));
        addStroke(d, leafVein(top, tip, (a > 90 ? 1 : -1) * h * 0.05, 0.05, 0.85));
    }
    addRegion(d, circle(top + V2{-h * 0.05, -h * 0.06}, h * 0.065));
    addRegion(d, circle(top + V2{h * 0.07, -h * 0.07}, h * 0.065));
}

void hummingbird(PageDrawing& d, Place p) {
    addRegion(d, placed(ccw(smoothClosed({corner(0.5, -0.1), {{1.0, -0.45}}, corner(1.45, -0.55), {{1.2, -0.25}},
                                          corner(1.5, -0.1), {{1.0, 0.1}}, corner(0.55, 0.15)})),
                        p));
    Path body = smoothClosed({{{-0.75, 0.2}}, {{-0.35, -0.25}}, {{0.3, -0.3}}, {{0.85, 0.0}}, {{0.3, 0.25}},
                              {{-0.2, 0.5}}, {{-0.6, 0.5}}});
    addRegion(d, placed(ccw(body), p));
    addDot(d, placed(circle({-0.5, 0.3}, 0.06), p));
    addInk(d, placed(smoothClosed({corner(-0.78, 0.3), corner(-1.7, 0.2), corner(-0.78, 0.2)}), p));
    addRegion(d, placed(ccw(smoothClosed({corner(-0.1, 0.15), {{0.2, 0.8}}, {{0.8, 1.25}}, corner(1.05, 1.2),
                                          {{0.65, 0.6}}, corner(0.35, 0.05)})),
                        p));
}

void crab(PageDrawing& d, Place p) {
    for (int side : {-1, 1}) {
        Path claw = smoothClosed({corner(side * 0.9, 0.5), {{side * 1.35, 0.9}}, {{side * 1.15, 1.5}},
                                  corner(side * 0.88, 1.1), {{side * 0.66, 1.42}}, {{side * 0.52, 0.95}}});
        addRegion(d, placed(ccw(claw), p));
        addStroke(d, placed(smoothOpen({{side * 0.55, 0.2}, {side * 0.8, 0.45}, {side * 0.95, 0.6}}), p));
        for (double y : {-0.1, -0.35, -0.55})
            addStroke(d, placed(smoothOpen({{side * 0.8, y}, {side * 1.2, y - 0.1}, {side * 1.35, y - 0.35}}), p));
    }
    addStroke(d, placed(Path{{-0.25, 0.4}, {-0.3, 0.85}}, p));
    addStroke(d, placed(Path{{0.25, 0.4}, {0.3, 0.85}}, p));
    addDot(d, placed(circle({-0.3, 0.9}, 0.1), p));
    addDot(d, placed(circle({0.3, 0.9}, 0.1), p));
    addRegion(d, placed(ellipse({0, -0.05}, 0.95, 0.58), p));
    addStroke(d, placed(arc({0, 0.05}, 0.3, 215, 325), p));
}

void stone(PageDrawing& d, V2 c, double rx, double ry) {
    std::vector<V2> k = {c + V2{-rx, -ry * 0.7}, c + V2{0, -ry}, c + V2{rx, -ry * 0.6},
                         c + V2{rx * 0.8, ry * 0.5}, c + V2{0, ry}, c + V2{-rx * 0.85, ry * 0.4}};
    addRegion(d, ccw(smoothClosed(k)));
}

void heartShape(PageDrawing& d, V2 c, double size, double degrees) { addRegion(d, heart(c, size, degrees)); }

}  // namespace pages
