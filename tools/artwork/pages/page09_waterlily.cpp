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

}  // namespace

void drawWaterLily(PageDrawing& d) {
    addRegion(d, ccw(smoothClosed({{{-31, 14}}, {{-29, 23}}, {{-30, 30}}, {{-31.5, 23}}})));
    addStroke(d, {{-30.4, 13.5}, {-30.4, 5}});
    addStroke(d, {{-30.4, 30}, {-30.2, 31.5}});
    addRegion(d, ccw(smoothClosed({corner(-39, -13), corner(39, -13), corner(39, 7), {{20, 9}}, {{0, 10}},
                                    {{-20, 9}}, corner(-39, 7)})));
    for (V2 c : {V2{-28, 3}, V2{14, 6}, V2{-5, -11}, V2{30, -5}})
        addStroke(d, smoothOpen({c + V2{-3, 0}, c + V2{-1.5, 0.5}, c, c + V2{1.5, -0.5}, c + V2{3, 0}}));
    addRegion(d, lilyPad({-23, -5}, 10, 4.2, 20));
    addStroke(d, {{-23, -5}, {-30, -7.5}});
    addRegion(d, lilyPad({24, -6}, 10, 4.4, 160));
    addStroke(d, {{24, -6}, {31, -8.5}});
    addRegion(d, lilyPad({-24, 5}, 7, 2.8, 320));
    addRegion(d, lilyPad({0, -6}, 13, 4.6, 300));
    Place f{{0, -5}, 13, 0};
    for (double a : {62.0, 90.0, 118.0}) addRegion(d, placed(petal({0, 0}, a, 1.0, 0.38, 0.45, 0.05), f));
    addRegion(d, placed(ellipse({0, 0.42}, 0.34, 0.16), f));
    for (double x : {-0.2, -0.07, 0.07, 0.2}) addDot(d, placed(circle({x, 0.5}, 0.035), f));
    for (double a : {12.0, 40.0, 140.0, 168.0}) {
        addRegion(d, placed(petal({0, 0}, a, 0.92, 0.42, 0.45, 0.05), f));
        addStroke(d, placed(smoothOpen({polar(0.2, a), polar(0.5, a + 2), polar(0.72, a)}), f));
    }
    frog(d, {{24, -1.5}, 6.0, 0});
}

}  // namespace pages
