// Page 17: a moth orchid in its pot, three flowers along the arching stalk.
#include "flowers.h"
#include "pages.h"

namespace pages {

using namespace artkit;

void drawOrchid(PageDrawing& d) {
    stem(d, {{0, 0}, {-2, 10}, {0, 19}, {9, 25}, {21, 21}}, 1.5, 1.0);
    orchidFlower(d, {{-12, 16}, 10.5, -6});
    orchidFlower(d, {{7, 19.5}, 10.2, 8});
    orchidFlower(d, {{26, 14}, 9.8, -12});
    flowerPot(d, {0, -13}, 12, 15.5, 13, 0);
    leafShape(d, {-0.5, 1.2}, {-24, -4}, 8.5, 2.0);
    leafShape(d, {0.5, 1.2}, {22, -7}, 8.0, -1.8);
}

}  // namespace pages
