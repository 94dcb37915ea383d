// Page 4: a rose, its bud, a snail in the grass and a butterfly.
#include "flowers.h"
#include "pages.h"

namespace pages {

void drawRose(PageDrawing& d) {
    hill(d, {{-39, -4}, {-18, -2.5}, {5, -5}, {39, -3}});
    hill(d, {{-39, -9}, {-12, -7.5}, {12, -10}, {39, -8.5}});
    stem(d, {{-8, 10}, {-6, 0}, {-8.5, -12.3}}, 2.0, 2.4);
    stem(d, {{-6.6, 1}, {3, 5}, {12, 11.5}}, 1.5, 1.8);
    leafShape(d, {-6.5, -4}, {-20, 2}, 6.5, 1.4);
    leafShape(d, {-7.2, -8}, {6, -5}, 6.0, -1.2);
    leafShape(d, {1, 3.5}, {2, 14}, 5.4, 1.2);
    leafShape(d, {7, 7}, {17, 3}, 5.2, -1.0);
    leafShape(d, {-7, 5}, {-20, 9}, 5.6, -1.0);
    roseHead(d, {{-8, 18.5}, 12.5, 0});
    bud(d, {{12.5, 11.5}, 6.0, -28});
    snail(d, {{24, -6.5}, 4.8, 0});
    butterfly(d, {{27, 19}, 5.4, 12});
}

}  // namespace pages
