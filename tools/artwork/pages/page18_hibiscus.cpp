// Page 18: hibiscus by the sea: a palm on the beach, a sailing boat, a
// starfish and a hummingbird.
#include "flowers.h"
#include "pages.h"

namespace pages {

using namespace artkit;

namespace {

std::vector<V2> waveLine(double y, double amplitude, int phase) {
    std::vector<V2> pts;
    for (int i = 0; i <= 12; ++i) {
        double x = -39 + 78.0 * i / 12;
        pts.push_back({x, y + ((i + phase) % 2 ? amplitude : -amplitude)});
    }
    return pts;
}

}  // namespace

void drawHibiscus(PageDrawing& d) {
    sun(d, {-32, 25}, 4.6, 0);
    cloudShape(d, {-14, 28}, 13, 5.5);
    cloudShape(d, {7, 28.5}, 11, 4.5);
    hill(d, waveLine(9, 0.5, 0));
    // A sailing boat on the horizon.
    addRegion(d, ccw(smoothClosed({corner(-3, 16.5), corner(-3, 28), corner(-11, 17.5)}, 0.3)));
    addRegion(d, ccw(smoothClosed({corner(-1.5, 16.5), corner(-1.5, 26), corner(5, 17.5)}, 0.3)));
    addStroke(d, {{-2.2, 16}, {-2.2, 29}});
    addRegion(d, ccw(smoothClosed({corner(-12, 16.5), corner(7, 16.5), {{4.5, 13.2}}, corner(-9, 13.2)}, 0.6)));
    hill(d, waveLine(5, 0.5, 1));
    hill(d, waveLine(1, 0.5, 0));
    hill(d, waveLine(-3, 0.5, 1));
    addRegion(d, ccw(smoothClosed({corner(-39, -13), corner(4, -13), {{-3, -9}}, {{-20, -5}}, corner(-39, -4.5)})));
    palmTree(d, {-28, -9}, 29, 6);
    addRegion(d, star({-8, -10}, 3.2, 1.5, 5, 100));
    addRegion(d, ccw(smoothClosed({corner(-35, -11.5), {{-36.5, -9}}, {{-34, -6.8}}, {{-31.5, -9}}})));
    for (double a : {-30.0, 0.0, 30.0}) addStroke(d, {{-34, -11.3}, V2{-34, -11.3} + polar(4.0, 90 + a)});
    const V2 leaves[10][2] = {{{16, 6}, {1, 3}},    {{16, 10}, {2, 20}},  {{20, 12}, {18, 31}},
                              {{24, 10}, {38.5, 12}}, {{16, 4}, {11, -11}}, {{20, 4}, {22, -12.3}},
                              {{24, 4}, {38, -11}},  {{24, 14}, {38.5, 31.5}}, {{16, 12}, {7, 28}},
                              {{10, 8}, {-2, 10}}};
    for (auto& l : leaves) leafShape(d, l[0], l[1], 6.2, 1.0);
    hibiscusFlower(d, {{13.5, 12}, 9.4, -8});
    hibiscusFlower(d, {{29.5, 22}, 8.2, 15});
    hibiscusFlower(d, {{29, 1.5}, 8.6, 30});
    hummingbird(d, {{-1, 24}, 5.6, -8});
}

}  // namespace pages
