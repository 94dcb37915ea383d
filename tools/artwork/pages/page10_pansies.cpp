// Page 10: a pot of pansies with a watering can, a bee and a ladybird.
#include "flowers.h"
#include "pages.h"

namespace pages {

using namespace artkit;

void drawPansies(PageDrawing& d) {
    tableTop(d, -6);
    leafShape(d, {-7, 0}, {-26, -2}, 7.0, 1.4);
    leafShape(d, {-5, 0}, {14, -2}, 7.0, -1.4);
    leafShape(d, {-7, 1}, {-34, 5}, 6.4, 1.0);
    leafShape(d, {-5, 1}, {22, 6}, 6.4, -1.0);
    leafShape(d, {-6, 1}, {-6, 14}, 5.4, 0.8);
    pansyHead(d, {{-20, 12}, 9.4, 10});
    pansyHead(d, {{8, 12.5}, 9.4, -8});
    pansyHead(d, {{-6, 22.3}, 9.2, 0});
    flowerPot(d, {-6, -11}, 12, 16, 12.5, 1);
    wateringCan(d, {{29, -3}, 6.4, 0});
    bee(d, {{26, 21}, 5.0, -8});
    ladybird(d, {{-30.5, -8.4}, 4.6, -70});
}

}  // namespace pages
