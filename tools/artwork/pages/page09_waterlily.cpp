// Page 9: a water lily on the pond, a frog on its pad, a cattail by the bank.
#include "flowers.h"
#include "pages.h"

namespace pages {

using namespace artkit;

namespace {

// A lily pad seen across the water: a flattened disc with its notch.
Path lilyPad(V2 c, double rx, double ry, double notchDegrees) {
    Path p = ellipseArc(c, rx, ry, notchDegrees + 14, notchDegrees + 346);
    p.push_back(c);
    return ccw(p);
}

void ripple(PageDrawing& d, V2 c, double w) {
    addStroke(d, smoothOpen({c + V2{-w, 0}, c + V2{-w * 0.5, 0.45}, c, c + V2{w * 0.5, -0.45}, c + V2{w, 0}}));
}

}  // namespace

void drawWaterLily(PageDrawing& d) {
    addRegion(d, circle({26, 24.5}, 5.5));
    face(d, {26, 24.5}, 4.2);
    for (int i = 0; i < 10; ++i) {
        double a = 18 + 36.0 * i;
        addStroke(d, {V2{26, 24.5} + polar(6.6, a), V2{26, 24.5} + polar(8.2, a)});
    }
    addRegion(d, ccw(smoothClosed({{{-31.5, 16}}, {{-30, 23}}, {{-31, 30.5}}, {{-32.5, 23}}})));
    addStroke(d, {{-31.4, 15.6}, {-31.4, 11}});
    addStroke(d, {{-31.2, 30.5}, {-31.0, 31.8}});
    addStroke(d, smoothOpen({{-30.6, 12}, {-28, 19}, {-25, 24}}));
    addStroke(d, smoothOpen({{-32.2, 12}, {-35, 18}, {-36.5, 21}}));
    addRegion(d, ccw(smoothClosed({corner(-39, -13), corner(39, -13), corner(39, 12), {{20, 14}}, {{0, 14.5}},
                                    {{-20, 14}}, corner(-39, 12)})));
    ripple(d, {-24, 8}, 3);
    ripple(d, {10, 10.5}, 3);
    ripple(d, {30, 8}, 2.5);
    ripple(d, {-12, -11}, 3);
    ripple(d, {33, -11.5}, 2.5);
    addRegion(d, lilyPad({-27, 3}, 9.5, 3.4, 330));
    addRegion(d, lilyPad({26, -6}, 11, 4.6, 160));
    addStroke(d, {{26, -6}, {34, -9}});
    addRegion(d, lilyPad({-3, -6.5}, 17, 5.5, 290));
    addStroke(d, {{-3, -6.5}, {-14, -10}});
    Place f{{-3, -4.5}, 15.5, 0};
    for (double a : {66.0, 90.0, 114.0}) {
        addRegion(d, placed(leaf({0, 0}, polar(1.0, a), 0.4), f));
        addStroke(d, placed(leafVein({0, 0}, polar(1.0, a), 0, 0.35, 0.75), f));
    }
    // The golden heart of the flower: a crown of stamens.
    std::vector<Knot> crown = {corner(-0.34, 0.3), corner(0.34, 0.3)};
    for (int i = 0; i <= 6; ++i) {
        double x = 0.34 - 0.68 * i / 6;
        crown.push_back(i % 2 == 0 ? corner(x, 0.52 + 0.04 * (i % 4 == 0)) : Knot{{x, 0.6}});
    }
    addRegion(d, placed(ccw(smoothClosed(crown)), f));
    for (double a : {20.0, 47.0, 133.0, 160.0}) {
        addRegion(d, placed(leaf({0, 0}, polar(0.9, a), 0.42), f));
        addStroke(d, placed(leafVein({0, 0}, polar(0.9, a), 0, 0.3, 0.75), f));
    }
    frog(d, {{26.5, -1.5}, 6.4, 0});
}

}  // namespace pages
