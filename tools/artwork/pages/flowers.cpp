// Flower heads and the vessels they stand in.
#include "flowers.h"

#include <cmath>

namespace pages {

using namespace artkit;

namespace {

void region(PageDrawing& d, const Path& local, Place p) { addRegion(d, placed(ccw(local), p)); }
void stroke(PageDrawing& d, const Path& local, Place p) { addStroke(d, placed(local, p)); }
void dot(PageDrawing& d, V2 c, double r, Place p) { addDot(d, placed(circle(c, r), p)); }

}  // namespace

void tulipHead(PageDrawing& d, Place p) {
    region(d, smoothClosed({corner(0, 1.58), {{0.5, 1.05}}, {{0.56, 0.4}}, {{0, -0.02}}, {{-0.56, 0.4}},
                            {{-0.5, 1.05}}}),
           p);
    std::vector<Knot> left = {corner(-0.86, 1.34), {{-0.9, 0.6}}, {{-0.55, 0.04}}, {{0.02, -0.14}},
                              {{0.42, 0.28}},      {{0.22, 0.8}}};
    Path l = smoothClosed(left);
    region(d, l, p);
    stroke(d, smoothOpen({{-0.3, 0.05}, {-0.5, 0.5}, {-0.62, 0.95}}), p);
    region(d, mirrorX(l, 0), p);
    stroke(d, smoothOpen({{0.3, 0.05}, {0.5, 0.5}, {0.62, 0.95}}), p);
}

void crocusHead(PageDrawing& d, Place p) {
    region(d, smoothClosed({corner(0, 1.95), {{0.42, 1.3}}, {{0.34, 0.45}}, {{0, 0.0}}, {{-0.34, 0.45}},
                            {{-0.42, 1.3}}}),
           p);
    Path l = smoothClosed({corner(-0.52, 1.8), {{-0.62, 1.1}}, {{-0.38, 0.25}}, {{0.02, -0.06}},
                           {{0.22, 0.5}}, {{0.1, 1.25}}});
    region(d, l, p);
    stroke(d, smoothOpen({{-0.2, 0.2}, {-0.36, 0.85}, {-0.42, 1.4}}), p);
    region(d, mirrorX(l, 0), p);
    stroke(d, smoothOpen({{0.2, 0.2}, {0.36, 0.85}, {0.42, 1.4}}), p);
}

void roseHead(PageDrawing& d, Place p) {
    // Outer petals: broad and rounded.
    const double angles[5] = {130, 50, 210, 330, 270};
    for (double a : angles) region(d, petal({0, 0}, a, 1.0, 1.0, 0.62, 1.0), p);
    // The cup: a scalloped ring of petals around the bud.
    Path cup = smoothClosed({{{-0.62, 0.1}}, corner(-0.4, 0.5), {{-0.05, 0.66}}, corner(0.35, 0.52),
                             {{0.62, 0.15}}, {{0.45, -0.38}}, {{0, -0.56}}, {{-0.45, -0.38}}});
    region(d, cup, p);
    // The bud: a spiral of tight petals.
    region(d, ellipse({0, 0.12}, 0.36, 0.3), p);
    Path swirl;
    for (int i = 0; i <= 160; ++i) {
        double t = i / 160.0;
        swirl.push_back(V2{0.02, 0.13} + polar(0.05 + 0.24 * t, 90 + 560 * t));
    }
    stroke(d, swirl, p);
}

void poppyHead(PageDrawing& d, Place p) {
    for (double a : {125.0, 55.0, 235.0, 305.0}) {
        region(d, petal({0, 0}, a, 1.0, 1.18, 0.64, 1.0), p);
        stroke(d, smoothOpen({polar(0.3, a), polar(0.55, a + 4), polar(0.72, a - 2)}), p);
    }
    region(d, circle({0, 0}, 0.3), p);
    for (int i = 0; i < 6; ++i) stroke(d, {polar(0.06, 30 + 60 * i), polar(0.24, 30 + 60 * i)}, p);
    for (int i = 0; i < 12; ++i) dot(d, polar(0.42, 15 + 30 * i), 0.045, p);
}

void lilyHead(PageDrawing& d, Place p) {
    for (double a : {90.0, 210.0, 330.0, 30.0, 150.0, 270.0}) {
        region(d, leaf(polar(0.08, a + 180), polar(1.0, a), 0.62, 0.03), p);
        stroke(d, smoothOpen({polar(0.22, a), polar(0.5, a + 2), polar(0.76, a)}), p);
    }
    for (double a : {70.0, 120.0, 160.0, 290.0}) {
        stroke(d, smoothOpen({{0, 0}, polar(0.25, a - 8), polar(0.46, a)}), p);
        addDot(d, placed(ellipse(polar(0.5, a), 0.06, 0.032, a + 90), p));
    }
}

void pansyHead(PageDrawing& d, Place p) {
    region(d, petal({0, 0.05}, 118, 1.0, 0.98, 0.6, 1.0), p);
    region(d, petal({0, 0.05}, 62, 1.0, 0.98, 0.6, 1.0), p);
    region(d, petal({0, 0}, 198, 0.98, 0.86, 0.6, 1.0), p);
    region(d, petal({0, 0}, -18, 0.98, 0.86, 0.6, 1.0), p);
    for (double a : {190.0, 200.0, -10.0, -20.0}) stroke(d, {polar(0.15, a), polar(0.4, a)}, p);
    region(d, petal({0, 0.05}, 270, 0.98, 1.15, 0.6, 1.0), p);
    for (double a : {250.0, 270.0, 290.0}) stroke(d, {polar(0.15, a), polar(0.45, a)}, p);
    addDot(d, placed(ellipse({0, 0.02}, 0.09, 0.07), p));
}

void irisHead(PageDrawing& d, Place p) {
    region(d, petal({0, 0.1}, 122, 0.85, 0.48, 0.55, 0.7), p);
    region(d, petal({0, 0.1}, 58, 0.85, 0.48, 0.55, 0.7), p);
    region(d, petal({0, 0.05}, 90, 0.95, 0.5, 0.55, 0.8), p);
    // Falls: drooping petals curving out and down.
    Path fallL = smoothClosed({corner(0, 0), {{-0.45, 0.18}}, {{-0.9, -0.05}}, {{-1.05, -0.5}},
                               {{-0.85, -0.75}}, {{-0.55, -0.45}}, {{-0.2, -0.25}}});
    region(d, fallL, p);
    stroke(d, smoothOpen({{-0.15, -0.04}, {-0.5, 0.0}, {-0.8, -0.3}}), p);
    region(d, mirrorX(fallL, 0), p);
    stroke(d, smoothOpen({{0.15, -0.04}, {0.5, 0.0}, {0.8, -0.3}}), p);
    region(d, smoothClosed({corner(0, 0.05), {{0.3, -0.15}}, {{0.36, -0.6}}, {{0.18, -0.98}}, {{0, -1.05}},
                            {{-0.18, -0.98}}, {{-0.36, -0.6}}, {{-0.3, -0.15}}}),
           p);
    stroke(d, smoothOpen({{0, -0.1}, {0.02, -0.4}, {0, -0.7}}), p);
}

void bell(PageDrawing& d, Place p) {
    std::vector<Knot> k = {{{0, 0.06}},          {{-0.34, -0.1}},     {{-0.44, -0.55}},
                           {{-0.55, -0.92}},     corner(-0.8, -1.1),  corner(-0.36, -1.0),
                           corner(0, -1.22),     corner(0.36, -1.0),  corner(0.8, -1.1),
                           {{0.55, -0.92}},      {{0.44, -0.55}},     {{0.34, -0.1}}};
    region(d, smoothClosed(k), p);
    stroke(d, smoothOpen({{-0.12, -0.3}, {-0.15, -0.65}, {-0.3, -0.92}}), p);
}

void snowdropHead(PageDrawing& d, Place p) {
    region(d, petal({0, -0.2}, 232, 1.05, 0.54, 0.55, 0.5), p);
    region(d, petal({0, -0.2}, 308, 1.05, 0.54, 0.55, 0.5), p);
    region(d, petal({0, -0.2}, 270, 1.12, 0.58, 0.55, 0.5), p);
    stroke(d, smoothOpen({{0, -0.5}, {0.02, -0.85}, {0, -1.1}}), p);
    region(d, ellipse({0, -0.1}, 0.24, 0.2), p);
}

void carnationHead(PageDrawing& d, Place p) {
    auto frill = [](double radius, double baseY, int teeth) {
        std::vector<Knot> k;
        k.push_back(corner(0, baseY));
        for (int i = 0; i <= teeth * 2; ++i) {
            double a = 195 - 210.0 * i / (teeth * 2);
            double r = (i % 2 == 0) ? radius : radius * 0.86;
            k.push_back(corner(polar(r, a) + V2{0, baseY + 0.15}));
        }
        return smoothClosed(k, 0.7);
    };
    region(d, frill(1.0, 0.0, 7), p);
    region(d, frill(0.82, -0.08, 5), p);
    region(d, smoothClosed({corner(-0.3, -0.05), {{-0.22, -0.45}}, corner(-0.16, -0.85), corner(0.16, -0.85),
                            {{0.22, -0.45}}, corner(0.3, -0.05), {{0, 0.05}}}),
           p);
    stroke(d, {{-0.1, -0.2}, {-0.06, -0.7}}, p);
    stroke(d, {{0.1, -0.2}, {0.06, -0.7}}, p);
}

void orchidFlower(PageDrawing& d, Place p) {
    region(d, petal({0, 0}, 90, 1.0, 0.5, 0.5, 0.6), p);
    region(d, petal({0, 0}, 235, 0.95, 0.46, 0.5, 0.6), p);
    region(d, petal({0, 0}, 305, 0.95, 0.46, 0.5, 0.6), p);
    region(d, petal({0, 0}, 170, 0.98, 0.92, 0.58, 1.0), p);
    region(d, petal({0, 0}, 10, 0.98, 0.92, 0.58, 1.0), p);
    region(d, smoothClosed({{{-0.26, 0.02}}, {{-0.36, -0.3}}, corner(-0.14, -0.62), {{0, -0.5}},
                            corner(0.14, -0.62), {{0.36, -0.3}}, {{0.26, 0.02}}, {{0, 0.14}}}),
           p);
    dot(d, {0, 0.0}, 0.07, p);
    stroke(d, smoothOpen({{-0.12, -0.25}, {0, -0.32}, {0.12, -0.25}}), p);
}

void hibiscusFlower(PageDrawing& d, Place p) {
    for (int i = 0; i < 5; ++i) {
        double a = 100 + 72.0 * i;
        region(d, petal({0, 0}, a, 1.0, 1.1, 0.66, 1.0), p);
        stroke(d, smoothOpen({polar(0.22, a), polar(0.5, a + 5), polar(0.75, a)}), p);
        stroke(d, smoothOpen({polar(0.3, a - 12), polar(0.6, a - 18)}), p);
    }
    region(d, band(smoothOpen({{0, 0}, {0.35, 0.5}, {0.62, 1.05}}), 0.22, 0.16), p);
    for (int i = 0; i < 5; ++i) dot(d, V2{0.66, 1.12} + polar(0.13, 90 + 72 * i), 0.05, p);
    for (double t : {0.45, 0.6, 0.75}) {
        V2 c = V2{0.62 * t * 1.0, 1.05 * t};
        dot(d, c + V2{-0.13, 0.02}, 0.035, p);
        dot(d, c + V2{0.12, -0.03}, 0.035, p);
    }
}

void cornflowerHead(PageDrawing& d, Place p, int florets) {
    for (int i = 0; i < florets; ++i) {
        double a = 90 + 360.0 * i / florets;
        // Wide enough at the middle that neighbours overlap and no paper shows between them.
        std::vector<Knot> k = {corner(0.1, -0.08), {{0.5, -0.2}},    corner(0.92, -0.32), corner(0.86, -0.17),
                               corner(1.0, -0.09),  corner(0.9, 0.0), corner(1.0, 0.09),   corner(0.86, 0.17),
                               corner(0.92, 0.32),  {{0.5, 0.2}},     corner(0.1, 0.08)};
        Path fl = smoothClosed(k);
        for (V2& q : fl) q = rotated(q, a);
        region(d, fl, p);
        stroke(d, {polar(0.35, a), polar(0.7, a)}, p);
    }
    region(d, circle({0, 0}, 0.3), p);
    for (int i = 0; i < 7; ++i) dot(d, polar(i == 0 ? 0.0 : 0.16, 60.0 * i), 0.05, p);
}

void bud(PageDrawing& d, Place p) {
    region(d, smoothClosed({corner(0, 1.3), {{0.42, 0.7}}, {{0.38, 0.15}}, {{0, 0}}, {{-0.38, 0.15}}, {{-0.42, 0.7}}}),
           p);
    region(d, smoothClosed({corner(-0.55, 0.55), {{-0.3, 0.0}}, corner(0, -0.25), {{0.3, 0.0}}, corner(0.55, 0.55),
                            {{0.15, 0.25}}, corner(0, 0.5), {{-0.15, 0.25}}}),
           p);
}

void vase(PageDrawing& d, V2 b, double w, double h, int bands) {
    double x = b.x, y = b.y;
    Path body = ccw(smoothClosed({corner(x - w * 0.28, y), corner(x + w * 0.28, y), {{x + w * 0.5, y + h * 0.38}},
                                  {{x + w * 0.3, y + h * 0.72}}, corner(x + w * 0.2, y + h * 0.84),
                                  corner(x - w * 0.2, y + h * 0.84), {{x - w * 0.3, y + h * 0.72}},
                                  {{x - w * 0.5, y + h * 0.38}}}));
    addRegion(d, body);
    for (int i = 0; i < bands; ++i) {
        double y0 = y + h * (0.14 + 0.24 * i), y1 = y0 + h * 0.13;
        addRegion(d, convexBand(body, y0, y1));
    }
    addRegion(d, roundedRect(x - w * 0.28, y + h * 0.8, x + w * 0.28, y + h, h * 0.04));
}

void tableTop(PageDrawing& d, double top) {
    addRegion(d, {{kDrawLeft, kDrawBottom}, {kDrawRight, kDrawBottom}, {kDrawRight, top}, {kDrawLeft, top}});
    addStroke(d, {{kDrawLeft, top - 2.2}, {kDrawRight, top - 2.2}});
}

void bow(PageDrawing& d, Place p) {
    region(d, smoothClosed({corner(0, 0), {{-0.5, 0.55}}, {{-1.05, 0.55}}, {{-1.1, 0.0}}, {{-0.6, -0.3}}}), p);
    region(d, smoothClosed({corner(0, 0), {{0.5, 0.55}}, {{1.05, 0.55}}, {{1.1, 0.0}}, {{0.6, -0.3}}}), p);
    region(d, smoothClosed({corner(-0.1, -0.05), {{-0.35, -0.6}}, corner(-0.6, -1.2), corner(-0.3, -1.05),
                            corner(-0.15, -1.25), {{-0.05, -0.6}}}),
           p);
    region(d, smoothClosed({corner(0.1, -0.05), {{0.35, -0.6}}, corner(0.6, -1.2), corner(0.3, -1.05),
                            corner(0.15, -1.25), {{0.05, -0.6}}}),
           p);
    region(d, ellipse({0, 0}, 0.32, 0.27), p);
}

void lavenderSpike(PageDrawing& d, V2 base, V2 tip, double width, int buds) {
    V2 dir = tip - base;
    double len = std::sqrt(dir.x * dir.x + dir.y * dir.y);
    V2 u = dir * (1.0 / len), n = {-u.y, u.x};
    // Both edges are scalloped, one bud per scallop, the two sides half a bud
    // apart; the spike tapers upwards to a round tip.
    double spacing = len / (buds + 0.5);
    double r = width * 0.5;
    auto halfWidth = [&](double s, double phase) {
        double taper = 1.0 - 0.3 * s / len;
        double base01 = std::min(1.0, 0.45 + s / (len * 0.12) * 0.55);
        double top = len - r * taper;
        double round = s > top ? std::sqrt(std::max(0.0, 1.0 - (s - top) * (s - top) / (r * taper * r * taper))) : 1.0;
        double scallop = 0.64 + 0.36 * std::fabs(std::sin(M_PI * (s / spacing + phase)));
        return r * taper * base01 * round * (s > top ? 1.0 : scallop);
    };
    const int steps = 160;
    Path out;
    for (int i = 0; i <= steps; ++i) {
        double s = len * i / steps;
        out.push_back(base + u * s - n * halfWidth(s, 0.0));
    }
    for (int i = steps - 1; i > 0; --i) {
        double s = len * i / steps;
        out.push_back(base + u * s + n * halfWidth(s, 0.5));
    }
    addRegion(d, ccw(out));
}

}  // namespace pages
