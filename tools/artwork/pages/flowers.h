// Flower heads the pages share, drawn around the origin in units of the head's
// size and placed with a Place. Each comment gives the regions added.
#pragma once
#include "companions.h"

namespace pages {

// Tulip cup, base at the origin, opening upwards: back petal and two front petals (3).
void tulipHead(PageDrawing& d, Place p);
// Crocus goblet, like a tulip but slimmer and pointed (3).
void crocusHead(PageDrawing& d, Place p);
// Open rose seen from the front: five outer petals, the inner cup and the bud (7).
void roseHead(PageDrawing& d, Place p);
// Poppy from the front: four round petals and the seed head (5).
void poppyHead(PageDrawing& d, Place p);
// Lily from the front: six pointed petals with stamens (6).
void lilyHead(PageDrawing& d, Place p);
// Pansy: two back petals, two side petals, the lower petal (5).
void pansyHead(PageDrawing& d, Place p);
// Iris: three standards and three falls (6).
void irisHead(PageDrawing& d, Place p);
// Hanging bell, attached at the origin (1).
void bell(PageDrawing& d, Place p);
// Snowdrop hanging from the origin: three petals and the green cap (4).
void snowdropHead(PageDrawing& d, Place p);
// Carnation: back frill, front frill, calyx (3).
void carnationHead(PageDrawing& d, Place p);
// Moth orchid: dorsal sepal, two lateral sepals, two petals, lip (6).
void orchidFlower(PageDrawing& d, Place p);
// Hibiscus: five petals and the stamen column (6).
void hibiscusFlower(PageDrawing& d, Place p);
// Cornflower: `florets` toothed florets around the centre (florets + 1).
void cornflowerHead(PageDrawing& d, Place p, int florets);
// Flower bud on the end of a stem: bud and calyx (2).
void bud(PageDrawing& d, Place p);
// Lavender spike from base to tip: one bumpy outline of buds (1).
void lavenderSpike(PageDrawing& d, V2 base, V2 tip, double width, int buds);
// Vase with a round belly: body, neck band, `bands` stripes on the belly (2 + bands).
void vase(PageDrawing& d, V2 bottomCentre, double width, double height, int bands);
// Table top with a front edge running across the bottom of the picture (1).
void tableTop(PageDrawing& d, double top);
// Ribbon bow: two loops, two tails, the knot (5).
void bow(PageDrawing& d, Place p);

}  // namespace pages
