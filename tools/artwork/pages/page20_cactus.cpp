// Page 20: a cactus in flower in the desert, with a little barrel cactus.
#include "flowers.h"
#include "pages.h"

namespace pages {

using namespace artkit;

namespace {

// An arm: out from the body, a rounded elbow, then up to a round end.
Path cactusArm(V2 from, double out, double up, double width) {
    double s = out < 0 ? -1 : 1;
    Path line = smoothOpen({from, from + V2{out - s * width * 0.9, 0}, from + V2{out, width * 0.9}, from + V2{out, up}}, 0.8);
    return roundEndedBand(line, width);
}

}  // namespace

void drawCactus(PageDrawing& d) {
    sun(d, {30, 25}, 4.2, 0);
    cloudShape(d, {-26, 27.5}, 12, 5);
    cloudShape(d, {16, 28.5}, 10, 4.5);
    hill(d, {{-39, -1}, {-15, 2}, {10, -1}, {39, 1}});
    addRegion(d, cactusArm({-2, 1}, -9, 10, 4.6));
    addRegion(d, cactusArm({4, 5}, 8, 8, 4.2));
    addRegion(d, ccw(smoothClosed({corner(-3.5, -9), corner(5.5, -9), {{5.6, 10}}, {{4.5, 19}}, {{1, 21}},
                                    {{-2.5, 19}}, {{-3.6, 10}}})));
    for (double x : {-0.7, 2.7}) addStroke(d, smoothOpen({{x, -8}, {x, 6}, {x * 0.9 + 0.1, 17}}));
    for (int i = 0; i < 6; ++i) {
        V2 c = {i % 2 ? 4.4 : -2.4, -5.0 + 4.0 * i};
        addStroke(d, {c, c + V2{i % 2 ? 0.9 : -0.9, 0.5}});
    }
    daisyHead(d, {1, 22.5}, 9.3, 6, 90, 2.8, 6.4);
    blossom(d, {-11, 13}, 5.8, 90);
    blossom(d, {12, 14.5}, 5.6, 90);
    addRegion(d, ccw(smoothClosed({{{20, -10}}, {{26, -10.5}}, {{29.5, -6}}, {{27, -1.5}}, {{23, -1}}, {{18.5, -5}}})));
    for (double x : {21.5, 24.0, 26.5}) addStroke(d, smoothOpen({{x, -10}, {x + (x - 24) * 0.3, -6}, {x, -1.5}}));
    hill(d, {{-39, -8}, {-5, -6}, {20, -9.5}, {39, -7.5}});
    stone(d, {-27, -10}, 4.5, 2.4);
    stone(d, {10, -10.7}, 4.0, 2.0);
}

}  // namespace pages
