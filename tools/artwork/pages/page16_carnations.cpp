// Page 16: carnations in a vase with a bow, a cup of tea, and hearts.
#include "flowers.h"
#include "pages.h"

namespace pages {

using namespace artkit;

void drawCarnations(PageDrawing& d) {
    tableTop(d, -5);
    addRegion(d, ellipse({24, -9.5}, 10, 2.2));
    addRegion(d, ccw(smoothClosed({corner(17.5, -2.5), corner(30.5, -2.5), {{30, -6.5}}, {{24, -9.3}}, {{18, -6.5}}})));
    addLoop(d, ellipse({32, -5}, 2.0, 1.5));
    addStroke(d, smoothOpen({{22.5, -0.5}, {21.8, 1.5}, {23, 3.5}, {22.2, 5.5}}));
    addStroke(d, smoothOpen({{25.5, -0.5}, {24.8, 1.5}, {26, 3.5}, {25.2, 5.5}}));
    V2 top = {-6, 8.5};
    const V2 heads[3] = {{-22, 15.5}, {-6, 20.6}, {10, 15.5}};
    for (V2 h : heads) stem(d, {top, lerp(top, h, 0.5) + V2{0.4, 0}, h}, 1.9, 1.6);
    leafShape(d, top + V2{-1, 1.5}, {-27, 6}, 4.6, 1.2);
    leafShape(d, top + V2{-0.5, 1.5}, {-17, 11}, 4.6, 0.8);
    leafShape(d, top + V2{0.5, 1.5}, {5, 12}, 4.6, -0.8);
    leafShape(d, top + V2{1, 1.5}, {15, 6}, 4.6, -1.2);
    carnationHead(d, {heads[0] + V2{0, 1}, 9.2, 14});
    carnationHead(d, {heads[2] + V2{0, 1}, 9.2, -14});
    carnationHead(d, {heads[1] + V2{0, 1}, 9.0, 0});
    vase(d, {-6, -11.5}, 19, 19.5, 2);
    bow(d, {{-6, 1.2}, 5.6, 0});
    heartShape(d, {20, 26.5}, 4.4, -12);
    heartShape(d, {30.5, 17}, 4.2, 10);
    heartShape(d, {-31.5, 26}, 4.4, 12);
}

}  // namespace pages
