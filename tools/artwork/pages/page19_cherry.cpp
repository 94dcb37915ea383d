// Page 19: a branch of cherry blossom with a little bird, petals drifting down.
#include "flowers.h"
#include "pages.h"

namespace pages {

using namespace artkit;

void drawCherryBlossom(PageDrawing& d) {
    addRegion(d, circle({29, 24}, 6.5));
    face(d, {29, 24}, 5.0);
    addRegion(d, band(smoothOpen({{-37.2, 24.6}, {-24, 20}, {-8, 13}, {8, 8}, {22, 2}, {33, 0}}), 4.6, 1.6));
    addStroke(d, smoothOpen({{-22, 19.5}, {-19.5, 24}, {-18, 26}}));
    addStroke(d, smoothOpen({{12, 6.5}, {16, 11}, {17, 13}}));
    leafShape(d, {-28, 21.5}, {-35, 11}, 5.6, 1.0);
    leafShape(d, {8, 8}, {15, -2}, 5.4, -1.0);
    leafShape(d, {24, 1.8}, {33, 9}, 5.0, 1.0);
    blossom(d, {-17, 23.6}, 8.2, 90);
    blossom(d, {-2, 6.5}, 8.0, 70);
    blossom(d, {17, 15}, 7.6, 100);
    bird(d, {{-2, 21}, 7.6, 0});
    for (auto p : {std::pair<V2, double>{{-26, 1}, 20}, {{-13, -7.8}, -30}, {{24, -8.6}, 60}})
        // A fallen petal: round with the little notch at its tip.
        addRegion(d, placed(ccw(smoothClosed({{{0, 0}}, {{0.42, 0.3}}, {{0.4, 0.78}}, corner(0.13, 1.0), corner(0, 0.88),
                                               corner(-0.13, 1.0), {{-0.4, 0.78}}, {{-0.42, 0.3}}})),
                            {p.first, 6.0, p.second - 90}));
}

}  // namespace pages
