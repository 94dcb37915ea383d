// Page 11: irises by the pond, a dragonfly darting past.
#include "flowers.h"
#include "pages.h"

namespace pages {

using namespace artkit;

void drawIris(PageDrawing& d) {
    cloudShape(d, {2, 28}, 11, 5);
    hill(d, {{-39, -4}, {-10, -2.5}, {15, -4.5}, {39, -3}});
    for (V2 c : {V2{-20, -8}, V2{0, -10}, V2{22, -7.5}})
        addStroke(d, smoothOpen({c + V2{-3, 0}, c + V2{-1.5, 0.5}, c, c + V2{1.5, -0.5}, c + V2{3, 0}}));
    stone(d, {-31, -7.5}, 5.5, 3.2);
    stone(d, {31, -9}, 6, 3.0);
    stem(d, {{-12, 13}, {-13, 0}, {-11.5, -12.3}}, 1.8, 2.2);
    stem(d, {{12, 8}, {13, -2}, {11.5, -12.3}}, 1.8, 2.2);
    leafShape(d, {-14, -12}, {-27, 12}, 4.6, 1.4);
    leafShape(d, {-10, -12}, {-1, 7}, 4.2, -1.0);
    leafShape(d, {9, -12}, {1, 4}, 4.2, 1.0);
    leafShape(d, {13, -12}, {24, 6}, 4.4, -1.2);
    leafShape(d, {15, -12}, {32, 0}, 4.2, -1.0);
    irisHead(d, {{-12, 18.5}, 12, 0});
    irisHead(d, {{12, 13}, 11, -5});
    dragonfly(d, {{27, 22.6}, 4.0, -8});
}

}  // namespace pages
