// Page 12: a pot of lavender on the garden table, two bees humming round it.
#include "flowers.h"
#include "pages.h"

namespace pages {

using namespace artkit;

void drawLavender(PageDrawing& d) {
    cloudShape(d, {-28, 27.5}, 13, 5.5);
    cloudShape(d, {27, 28}, 12, 5);
    cloudShape(d, {-31, 17}, 10, 4.5);
    cloudShape(d, {31, 15}, 10, 4.5);
    tableTop(d, -7);
    V2 root = {0, -1};
    const double angles[6] = {128, 113, 98, 82, 67, 52};
    const double reach[6] = {14, 16.5, 17.5, 17.5, 16.5, 14};
    for (int i = 0; i < 6; ++i) {
        V2 base = root + polar(reach[i], angles[i]);
        stem(d, {root + polar(3, angles[i]), lerp(root, base, 0.55) + V2{0.4, 0}, base}, 1.6, 1.3);
    }
    for (int i = 0; i < 6; ++i) {
        V2 base = root + polar(reach[i] - 0.6, angles[i]);
        V2 tip = root + polar(reach[i] + 14.5, angles[i]);
        if (tip.y > 31.6) tip = lerp(base, tip, (31.6 - base.y) / (tip.y - base.y));
        lavenderSpike(d, base, tip, 4.8, 6);
    }
    flowerPot(d, {0, -11.5}, 12, 16, 13, 1);
    bee(d, {{-24, 6}, 5.2, 8});
    bee(d, {{25, 3}, 5.0, -10});
}

}  // namespace pages
