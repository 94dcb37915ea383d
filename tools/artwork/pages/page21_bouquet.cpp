// Page 21: a bouquet in a vase: a rose, a daisy, a tulip, blossoms and a bud.
#include "flowers.h"
#include "pages.h"

namespace pages {

using namespace artkit;

void drawBouquet(PageDrawing& d) {
    tableTop(d, -7);
    V2 neck = {0, 6};
    leafShape(d, neck + V2{-1, 1}, {-37, 3}, 7.2, 1.4);
    leafShape(d, neck + V2{1, 1}, {37, 1}, 7.2, -1.4);
    leafShape(d, neck + V2{-1, 2}, {-32, 29}, 6.0, 1.2);
    leafShape(d, neck + V2{1, 2}, {34, 28}, 6.0, -1.2);
    leafShape(d, neck + V2{0, 2}, {-31, 14}, 5.0, 0.8);
    leafShape(d, neck + V2{0, 2}, {37, 13}, 5.0, -0.8);
    leafShape(d, neck + V2{0, 2}, {-20, -4.5}, 5.6, -1.0);
    for (V2 h : {V2{-21, 16}, V2{20, 10}, V2{28, 21}}) stem(d, {neck, lerp(neck, h, 0.5) + V2{0.4, 0}, h}, 1.5, 1.3);
    blossom(d, {-12, 25.8}, 6.0, 90);
    blossom(d, {13, 25.8}, 6.0, 80);
    bud(d, {{28, 21}, 5.6, -30});
    daisyHead(d, {-21.5, 16}, 11.2, 8, 90, 3.4, 6.0);
    tulipHead(d, {{20, 9.5}, 7.8, -12});
    roseHead(d, {{0, 18.5}, 11.2, 0});
    vase(d, {0, -12}, 16, 18, 2);
    bow(d, {{0, -0.8}, 5.8, 0});
}

}  // namespace pages
