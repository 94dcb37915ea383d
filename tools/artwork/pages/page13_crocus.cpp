// Page 13: crocuses pushing up through the last snow, a robin overhead.
#include "flowers.h"
#include "pages.h"

namespace pages {

using namespace artkit;

void drawCrocus(PageDrawing& d) {
    sun(d, {-30, 24.5}, 4.8, 0);
    cloudShape(d, {-9, 28}, 13, 5.5);
    cloudShape(d, {28, 28}, 12, 5);
    cloudShape(d, {-33, 10}, 10, 4.2);
    hill(d, {{-39, 0}, {-18, 2.5}, {5, 0.5}, {39, 2.5}});
    hill(d, {{-39, -4}, {-10, -3}, {15, -5}, {39, -3.5}});
    const V2 heads[3] = {{-19, -0.5}, {0, 2}, {19, -1.5}};
    const double sizes[3] = {10.5, 11.0, 10.5};
    for (int i = 0; i < 3; ++i) {
        V2 b = heads[i];
        stem(d, {b + V2{0, 0.5}, b + V2{0.3, -6}, {b.x, -12.3}}, 2.6, 2.8);
    }
    leafShape(d, {-19.5, -9}, {-31, 5}, 3.6, 1.4);
    leafShape(d, {-18.5, -9}, {-9, 5}, 3.4, -1.2);
    leafShape(d, {0, -9}, {8.5, 8}, 3.4, -1.2);
    leafShape(d, {18.5, -9}, {10, 4.5}, 3.4, 1.2);
    leafShape(d, {19.5, -9}, {31, 5}, 3.6, -1.4);
    for (int i = 0; i < 3; ++i) crocusHead(d, {heads[i], sizes[i], i == 0 ? 5.0 : i == 2 ? -5.0 : 0.0});
    hill(d, {{-39, -8}, {-15, -6.5}, {10, -9}, {39, -7}});
    bird(d, {{12, 25}, 5.2, 8});
}

}  // namespace pages
