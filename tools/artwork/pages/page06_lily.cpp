// Page 6: lilies in a pot on the windowsill, curtains drawn back, a butterfly
// come to see them.
#include "flowers.h"
#include "pages.h"

namespace pages {

using namespace artkit;

void drawLily(PageDrawing& d) {
    addRegion(d, roundedRect(-25, -6, 25, 32, 1.2));
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col) {
            double x0 = -23 + col * 15.8, y0 = -4 + row * 17.7;
            addRegion(d, roundedRect(x0, y0, x0 + 14.4, y0 + 16.3, 0.5));
        }
    Path curtain = ccw(smoothClosed({corner(-37, 31.8), corner(-19, 31.8), {{-20.5, 22}}, {{-24, 12}},
                                     corner(-22.5, -4.5), {{-27.5, -3.2}}, corner(-34, -5), {{-35.5, 12}}}));
    addRegion(d, curtain);
    addStroke(d, smoothOpen({{-31, 31}, {-32, 18}, {-30.5, -3.8}}));
    addStroke(d, smoothOpen({{-25.5, 31}, {-27.5, 18}, {-26.5, -3.2}}));
    addRegion(d, mirrorX(curtain, 0));
    addStroke(d, smoothOpen({{31, 31}, {32, 18}, {30.5, -3.8}}));
    addStroke(d, smoothOpen({{25.5, 31}, {27.5, 18}, {26.5, -3.2}}));
    addRegion(d, roundedRect(-31, -10, 31, -6, 0.8));
    addRegion(d, roundedRect(-28, -12.8, 28, -10, 0.4));
    stem(d, {{0, 2}, {-1, 14}, {1, 23}}, 1.5, 1.1);
    leafShape(d, {-0.4, 5}, {-22, 5}, 6.6, 1.4);
    leafShape(d, {-0.2, 6}, {23, 1}, 6.6, -1.4);
    leafShape(d, {-0.6, 7}, {-18, -3}, 5.6, -1.0);
    leafShape(d, {-0.9, 15}, {-4, 27}, 4.0, 0.8);
    leafShape(d, {0.5, 19}, {9, 28}, 4.0, -0.8);
    leafShape(d, {0.2, 4}, {19, -3.5}, 5.6, 1.0);
    leafShape(d, {0.3, 9}, {13, 3}, 4.6, 0.8);
    bud(d, {{1, 22.5}, 5.6, 5});
    lilyHead(d, {{-12, 19.5}, 12, 8});
    lilyHead(d, {{12.5, 13.5}, 11.5, -6});
    flowerPot(d, {0, -6.3}, 9, 12.5, 10.5, 2);
    butterfly(d, {{18, 24.6}, 4.8, -12});
}

}  // namespace pages
