// The cast that keeps the flowers company, and the flower parts the pages share.
// Each helper adds its shapes to the drawing in painter's order (back to front)
// and says in its comment how many regions it adds.
#pragma once
#include "tools/artkit/page_drawing.h"

namespace pages {

using artkit::Knot;
using artkit::Path;
using artkit::PageDrawing;
using artkit::V2;

// A shape placed by position, rotation (degrees) and uniform size.
struct Place {
    V2 at;
    double size = 1;
    double degrees = 0;
    bool mirrored = false;  // flipped left to right before turning
};
Path placed(const Path& local, Place p);
V2 placed(V2 local, Place p);

// Slices of an ellipse between two local x values (stripes of a bee, halves of
// a ladybird): the part of the ellipse (centre 0, radii rx, ry) with x0 <= x <= x1.
Path ellipseSlice(double rx, double ry, double x0, double x1);
// The part of a closed convex outline between two horizontal lines.
Path convexBand(const Path& outline, double y0, double y1);

// Butterfly: 4 wings, body (6 regions with the head; 8 with wing spots).
void butterfly(PageDrawing& d, Place p, bool spots = false);
// Bee: 2 wings, body, head (4); with stripes as regions 6.
void bee(PageDrawing& d, Place p, bool stripeRegions = false);
// Ladybird seen from above: 2 wing cases and the head (3).
void ladybird(PageDrawing& d, Place p);
// Snail crawling right: body and shell (2); with a shell ring 3.
void snail(PageDrawing& d, Place p, bool shellRing = false);
// Sun with a face: 1 disc plus `rays` separate rays, or 1 ray ring when rays is 0 (2).
void sun(PageDrawing& d, V2 centre, double radius, int rays);
// Cloud (1).
void cloudShape(PageDrawing& d, V2 centre, double width, double height);
// Ground: hill reaching down to the drawing's bottom edge, top through the points (1).
void hill(PageDrawing& d, const std::vector<V2>& top);
// Grass tuft (1).
void tuft(PageDrawing& d, V2 base, double width, double height, int blades);
// Stem along a curve (1).
void stem(PageDrawing& d, const std::vector<V2>& line, double width0, double width1);
// Leaf with a midrib (1).
void leafShape(PageDrawing& d, V2 base, V2 tip, double width, double bend);
// Flower pot: body and rim (2), plus `stripes` bands on the body.
void flowerPot(PageDrawing& d, V2 bottomCentre, double bottomWidth, double topWidth, double height, int stripes);
// Watering can facing left: body, spout, rose, handle, lid (5).
void wateringCan(PageDrawing& d, Place p);
// Daisy-like head: `petals` petals and the centre (petals + 1).
void daisyHead(PageDrawing& d, V2 centre, double radius, int petals, double degrees, double centreRadius,
               double petalWidth);
// A five-petalled blossom as one scalloped shape and its centre (2).
void blossom(PageDrawing& d, V2 centre, double radius, double degrees);
// Mushroom: stem, cap (2).
void mushroom(PageDrawing& d, V2 base, double size);
// Dragonfly: 4 wings, body (5).
void dragonfly(PageDrawing& d, Place p);
// Picket fence from x0 to x1: 2 rails and `pickets` pickets.
void fence(PageDrawing& d, double x0, double x1, double bottom, double top, int pickets);
// Small bird facing right: tail, body, wing, beak (4).
void bird(PageDrawing& d, Place p);

// Frog sitting, seen from the front: two eyes, body, belly (4).
void frog(PageDrawing& d, Place p);
// Palm tree: trunk, `fronds` fronds, two coconuts (3 + fronds).
void palmTree(PageDrawing& d, V2 base, double height, int fronds);
// Hummingbird facing left: tail, body, wing (3).
void hummingbird(PageDrawing& d, Place p);
// Crab: two claws and the body (3).
void crab(PageDrawing& d, Place p);
// Rounded stone (1).
void stone(PageDrawing& d, V2 centre, double rx, double ry);
// Heart (1).
void heartShape(PageDrawing& d, V2 centre, double size, double degrees);

// Eyes and a smile on a face, as decorations of the last shape.
void face(PageDrawing& d, V2 centre, double size);

}  // namespace pages
