// Page 2: three tulips in front of a picket fence, and a butterfly.
#include "flowers.h"
#include "pages.h"

namespace pages {

void drawTulips(PageDrawing& d) {
    cloudShape(d, {-25, 27.5}, 14, 6);
    cloudShape(d, {12, 28.5}, 11, 5);
    fence(d, -39, 39, -7, 9, 8);
    hill(d, {{-39, -6.5}, {-20, -4.5}, {0, -6.8}, {20, -5}, {39, -6.5}});
    stem(d, {{-21, 8}, {-19.5, -1}, {-21, -12.5}}, 1.4, 1.9);
    stem(d, {{0, 13}, {1.2, 0}, {-0.5, -12.5}}, 1.5, 2.0);
    stem(d, {{19, 7}, {18, -2}, {20, -12.3}}, 1.4, 1.9);
    leafShape(d, {-20.5, -9}, {-29, 4}, 4.6, 1.2);
    leafShape(d, {0, -8}, {-9, 5}, 4.8, 1.0);
    leafShape(d, {0.3, -10}, {10, 3}, 4.6, -1.0);
    leafShape(d, {20.5, -9}, {29, 3.5}, 4.6, -1.2);
    tulipHead(d, {{-21, 7.5}, 7.0, 6});
    tulipHead(d, {{0, 12.5}, 8.2, -2});
    tulipHead(d, {{19, 6.5}, 7.0, -7});
    butterfly(d, {{30, 20}, 5.2, -15});
}

}  // namespace pages
