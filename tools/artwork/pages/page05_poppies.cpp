// Page 5: a poppy field on a summer day.
#include "flowers.h"
#include "pages.h"

namespace pages {

using namespace artkit;

void drawPoppies(PageDrawing& d) {
    sun(d, {30, 25}, 4.3, 0);
    cloudShape(d, {-24, 27}, 14, 6);
    hill(d, {{-39, -2}, {-20, 1}, {0, -1}, {20, 1.5}, {39, -1}});
    hill(d, {{-39, -8}, {-10, -6}, {15, -9}, {39, -7}});
    stem(d, {{-18, 12}, {-16, 0}, {-19, -12.5}}, 1.3, 1.7);
    stem(d, {{4, 17}, {5.5, 4}, {3, -12.5}}, 1.4, 1.8);
    stem(d, {{22, 8}, {20.5, -2}, {22.5, -12.5}}, 1.3, 1.7);
    stem(d, {{-6, -12.3}, {-5, 0}, {-4.5, 7}, {-6.5, 10.5}, {-9, 9.5}}, 1.2, 0.9);
    addRegion(d, ellipse({-9.6, 6.2}, 2.2, 3.4, -12));
    addStroke(d, smoothOpen({{-9.1, 9.2}, {-9.9, 6.2}, {-10.1, 3.0}}));
    poppyHead(d, {{-18, 13}, 8.5, 8});
    poppyHead(d, {{4, 18.5}, 9.5, -4});
    poppyHead(d, {{22, 9}, 7.5, 12});
}

}  // namespace pages
