// Page 15: a cornflower and its bud, with a ladybird climbing the hill.
#include "flowers.h"
#include "pages.h"

namespace pages {

using namespace artkit;

void drawCornflower(PageDrawing& d) {
    cloudShape(d, {-27, 27}, 13, 5.5);
    cloudShape(d, {27, 28}, 11, 5);
    hill(d, {{-39, -6}, {-10, -4}, {15, -7}, {39, -5}});
    stem(d, {{-5, 10}, {-3.5, 0}, {-5.5, -12.3}}, 2.0, 2.4);
    stem(d, {{-4, -1}, {6, 4}, {14, 11}}, 1.5, 1.3);
    leafShape(d, {-4.5, -6}, {-21, 1}, 4.2, 1.2);
    leafShape(d, {-4.4, -9}, {10, -5}, 4.0, -1.0);
    leafShape(d, {4, 3.3}, {13, -1}, 3.8, -0.8);
    cornflowerHead(d, {{-5, 17.5}, 14.3, 0}, 9);
    bud(d, {{14, 11}, 5.6, -25});
    ladybird(d, {{26, -7.5}, 4.6, 15});
}

}  // namespace pages
