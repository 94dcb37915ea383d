// Page 18: hibiscus by the sea, a palm on the beach, a crab, a starfish and a
// hummingbird.
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
    cloudShape(d, {-32, 28.5}, 11, 4.5);
    cloudShape(d, {-14, 28}, 13, 5.5);
    sun(d, {-0.5, 25.5}, 3.8, 0);
    hill(d, waveLine(9, 0.5, 0));
    hill(d, waveLine(5, 0.5, 1));
    hill(d, waveLine(1, 0.5, 0));
    hill(d, waveLine(-3, 0.5, 1));
    addRegion(d, ccw(smoothClosed({corner(-39, -13), corner(4, -13), {{-3, -9}}, {{-20, -5}}, corner(-39, -4.5)})));
    palmTree(d, {-31, -9}, 26, 6);
    addRegion(d, star({-20, -10.3}, 2.8, 1.3, 5, 100));
    addRegion(d, ccw(smoothClosed({corner(-36, -12), {{-37.6, -9.5}}, {{-35, -7.2}}, {{-32.4, -9.5}}})));
    for (double a : {-30.0, 0.0, 30.0}) addStroke(d, {{-35, -11.8}, V2{-35, -11.8} + polar(4.0, 90 + a)});
    crab(d, {{-9, -8.5}, 4.4, 0});
    const V2 leaves[10][2] = {{{16, 6}, {1, 3}},    {{14, 4}, {3, -7}},  {{20, 12}, {18, 31}},
                              {{24, 10}, {38.5, 12}}, {{16, 4}, {11, -11}}, {{20, 4}, {22, -12.3}},
                              {{24, 4}, {38, -11}},  {{24, 14}, {38.5, 31.5}}, {{16, 12}, {8, 27}},
                              {{10, 8}, {0, 9}}};
    for (auto& l : leaves) leafShape(d, l[0], l[1], 6.2, 1.0);
    hibiscusFlower(d, {{13.5, 12}, 9.4, -8});
    hibiscusFlower(d, {{29.5, 22}, 8.2, 15});
    hibiscusFlower(d, {{29, 1.5}, 8.6, 30});
    hummingbird(d, {{-6.5, 16.5}, 5.6, 8, true});
}

}  // namespace pages
