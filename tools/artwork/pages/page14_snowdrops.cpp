// Page 14: snowdrops in the snow, and a snowman watching over them.
#include "flowers.h"
#include "pages.h"

namespace pages {

using namespace artkit;

void drawSnowdrops(PageDrawing& d) {
    cloudShape(d, {-24, 28}, 12, 5);
    cloudShape(d, {6, 28.5}, 12, 5);
    hill(d, {{-39, 0}, {-20, 2.5}, {0, 0.5}, {39, -1}});
    hill(d, {{-39, -5.5}, {-5, -4}, {39, -6.5}});
    // The snowman.
    V2 s = {26, 0};
    addRegion(d, circle(s + V2{0, -5.5}, 6.8));
    addRegion(d, circle(s + V2{0, 4.5}, 5.0));
    for (double y : {6.5, 3.5}) addDot(d, circle(s + V2{0, y}, 0.45));
    addStroke(d, smoothOpen({s + V2{-4.5, 5}, s + V2{-8, 7.5}, s + V2{-10, 10}}));
    addStroke(d, {s + V2{-8.5, 8.5}, s + V2{-10.2, 8}});
    addStroke(d, smoothOpen({s + V2{4.5, 5}, s + V2{8, 7.5}, s + V2{9.5, 10.5}}));
    addStroke(d, {s + V2{8.3, 8.6}, s + V2{10, 8.6}});
    addRegion(d, circle(s + V2{0, 12.5}, 4.0));
    addDot(d, circle(s + V2{-1.4, 14.0}, 0.4));
    addDot(d, circle(s + V2{1.4, 14.0}, 0.4));
    addDot(d, circle(s + V2{0, 12.9}, 0.42));
    for (double a : {225.0, 247.5, 270.0, 292.5, 315.0}) addDot(d, circle(s + V2{0, 13.3} + polar(1.7, a), 0.17));
    addRegion(d, ccw(smoothClosed({corner(s + V2{1.5, 9.5}), corner(s + V2{3.8, 9.0}), {s + V2{4.6, 6}},
                                    corner(s + V2{4.8, 3.2}), corner(s + V2{2.6, 3.6}), {s + V2{2.6, 6.5}}})));
    addRegion(d, ccw(smoothClosed(std::vector<V2>{s + V2{-4.6, 9.4}, s + V2{0, 8.4}, s + V2{4.6, 9.4},
                                                  s + V2{4.4, 10.9}, s + V2{0, 10.2}, s + V2{-4.4, 10.9}})));
    addRegion(d, roundedRect(s.x - 3.0, s.y + 15.5, s.x + 3.0, s.y + 22.5, 0.6));
    addRegion(d, roundedRect(s.x - 3.0, s.y + 16.3, s.x + 3.0, s.y + 18.3, 0.2));
    addRegion(d, roundedRect(s.x - 5.0, s.y + 14.8, s.x + 5.0, s.y + 16.3, 0.6));
    // Snowdrops on arching stems.
    const std::vector<V2> stems[3] = {{{-27, -9}, {-28, 8}, {-25, 17}, {-20.5, 18.5}},
                                      {{-10, -9}, {-9, 10}, {-6, 21}, {-1, 22.5}},
                                      {{7, -9}, {6, 4}, {8.5, 11}, {12.5, 12}}};
    for (const auto& k : stems) stem(d, k, 1.7, 1.2);
    for (const auto& k : stems) {
        leafShape(d, k[0] + V2{-0.3, 0.5}, k[0] + V2{-7.5, 14.5}, 4.0, 0.9);
        leafShape(d, k[0] + V2{0.3, 0.5}, k[0] + V2{6, 15.5}, 4.0, -0.9);
    }
    for (const auto& k : stems) snowdropHead(d, {k.back() + V2{0.3, -0.6}, 10.6, 10});
    hill(d, {{-39, -10}, {10, -8.5}, {39, -10.5}});
}

}  // namespace pages
