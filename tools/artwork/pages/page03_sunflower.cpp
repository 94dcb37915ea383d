// Page 3: a tall sunflower and a bee on its way to it.
#include <cmath>

#include "flowers.h"
#include "pages.h"

namespace pages {

using namespace artkit;

void drawSunflower(PageDrawing& d) {
    V2 c = {-6, 15};
    stem(d, {{-6, 4}, {-4.5, -4}, {-6.5, -12.2}}, 3.0, 3.6);
    leafShape(d, {-5, -3}, {-27, 1.5}, 11, 2.0);
    leafShape(d, {-5.5, -7.3}, {16, -4.5}, 10, -1.8);
    for (int i = 0; i < 12; ++i) {
        double a = 90 + 30.0 * i;
        addRegion(d, petal(c + polar(6.0, a), a, 10.6, 5.9, 0.5, 0.2));
        addStroke(d, smoothOpen({c + polar(9.0, a), c + polar(12.5, a + 1.5), c + polar(14.5, a)}));
    }
    double r = 7.6;
    addRegion(d, circle(c, r));
    // Seeds: a criss-cross of chords over the middle of the disc.
    double inner = 5.8;
    for (int dir : {-1, 1}) {
        for (double off = -4.5; off <= 4.51; off += 1.5) {
            double half = std::sqrt(inner * inner - off * off);
            V2 along = polar(1, 45.0 * dir), across = {-along.y, along.x};
            addStroke(d, {c + across * off - along * half, c + across * off + along * half});
        }
    }
    addLoop(d, circle(c, inner));
    // The bee's flight: a looping dashed trail.
    Path trail = smoothOpen({{14, -9}, {22, -6}, {27, 0}, {22, 4}, {19, 0}, {23, -3}, {28, 4}, {25, 11}});
    for (const Path& dash : dashes(trail, 1.3, 1.0)) addStroke(d, dash);
    bee(d, {{27, 17}, 5.8, 12});
}

}  // namespace pages
