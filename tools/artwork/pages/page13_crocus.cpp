// Page 13: crocuses pushing up through the last snow, a robin overhead.
#include "flowers.h"
#include "pages.h"

namespace pages {

using namespace artkit;

void drawCrocus(PageDrawing& d) {
    sun(d, {-30, 24.5}, 4.8, 0);
    cloudShape(d, {20, 27.5}, 15, 6);
    hill(d, {{-39, 1}, {-18, 3.5}, {5, 1.5}, {39, 3.5}});
    const V2 heads[4] = {{-27, -6}, {-9, -4.5}, {9, -5.5}, {27, -6.5}};
    const double sizes[4] = {9.5, 10.5, 10.0, 9.2};
    for (int i = 0; i < 4; ++i) {
        V2 b = heads[i];
        leafShape(d, b + V2{-0.5, -4}, b + V2{-8.5, sizes[i] * 0.75}, 3.0, 0.8);
        leafShape(d, b + V2{0.5, -4}, b + V2{8.5, sizes[i] * 0.7}, 3.0, -0.8);
    }
    for (int i = 0; i < 4; ++i) crocusHead(d, {heads[i], sizes[i], i % 2 ? 4.0 : -4.0});
    hill(d, {{-39, -8}, {-15, -6.5}, {10, -9}, {39, -7}});
    bird(d, {{0, 21}, 6.0, 8});
}

}  // namespace pages
