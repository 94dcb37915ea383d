// Page 1: a big smiling-sun daisy on a hill, with a ladybird come to visit.
#include "pages.h"

namespace pages {

void drawDaisy(PageDrawing& d) {
    sun(d, {-31, 24}, 4.6, 0);
    cloudShape(d, {26, 27}, 15, 6.5);
    cloudShape(d, {-13, 28.5}, 11, 5);
    hill(d, {{-39, -4}, {-22, -1.5}, {-4, -5}, {14, -6.5}, {39, -3}});
    hill(d, {{-39, -9}, {-15, -8.5}, {10, -10.5}, {39, -8}});
    stem(d, {{3.5, 1}, {2.5, -4}, {3.5, -12.5}}, 1.6, 2.0);
    leafShape(d, {3, -5.5}, {-11, 0.5}, 5, 1.2);
    leafShape(d, {3.6, -8}, {17, -3.5}, 4.6, -1.0);
    daisyHead(d, {3, 14}, 15.5, 10, 90, 4.6, 5.6);
    face(d, {3, 14}, 3.2);
    ladybird(d, {{27, -5.5}, 4.4, -25});
}

}  // namespace pages
