// Outlines for the pages' line drawings: smooth closed curves and a few stock
// shapes, flattened finely enough that no facet shows on a 1920 x 1080 screen.
// Coordinates are page units: x right, y up (the model's x and z).
#pragma once
#include <vector>

#include "tools/artkit/artkit.h"

namespace artkit {

typedef std::vector<V2> Path;

// Curves are flattened very finely where they are made, because many shapes
// are drawn small and then scaled up into place; the drawing then thins every
// outline back to kOutlineTolerance in page units, about a quarter of a pixel
// at 1080 lines.
const double kFlatness = 0.0015;
const double kOutlineTolerance = 0.02;

inline V2 operator+(V2 a, V2 b) { return {a.x + b.x, a.y + b.y}; }
inline V2 operator-(V2 a, V2 b) { return {a.x - b.x, a.y - b.y}; }
inline V2 operator*(V2 a, double s) { return {a.x * s, a.y * s}; }
V2 lerp(V2 a, V2 b, double t);
V2 polar(double radius, double degrees);  // (r cos, r sin)
V2 rotated(V2 p, double degrees);

// Appends the flattened cubic Bezier from p0 to p3 (p0 itself not added).
void appendCubic(Path& out, V2 p0, V2 p1, V2 p2, V2 p3);

// Knots of a smooth curve; a corner knot gets a sharp point instead of a
// tangent through its neighbours.
struct Knot {
    V2 p;
    bool corner = false;
};
Knot corner(V2 p);
Knot corner(double x, double y);

// A closed curve through the knots (Catmull-Rom); tension 1 is the ordinary
// curve, smaller values pull it tighter towards the polygon.
Path smoothClosed(const std::vector<Knot>& knots, double tension = 1.0);
Path smoothClosed(const std::vector<V2>& points, double tension = 1.0);
// An open curve through the points, ending at the first and last point.
Path smoothOpen(const std::vector<V2>& points, double tension = 1.0);

Path circle(V2 centre, double radius);
Path ellipse(V2 centre, double rx, double ry, double degrees = 0);
// An arc from a0 to a1 degrees (counter-clockwise when a1 > a0), open.
Path arc(V2 centre, double radius, double a0, double a1);
Path ellipseArc(V2 centre, double rx, double ry, double a0, double a1, double degrees = 0);
Path roundedRect(double x0, double y0, double x1, double y1, double radius);
// A petal from base outward in the direction of `degrees`: width is its widest
// extent, reached at `belly` (0..1) of its length; tip < 1 rounds the tip
// (0 is pointed, 1 a full round end).
Path petal(V2 base, double degrees, double length, double width, double belly = 0.55, double tip = 0.6);
// A leaf from base to tip, pointed at both ends; bend curves its midrib to
// the left of the base-to-tip direction (in units).
Path leaf(V2 base, V2 tip, double width, double bend = 0);
// The midrib of such a leaf, from just after the base to short of the tip.
Path leafVein(V2 base, V2 tip, double bend = 0, double from = 0.05, double to = 0.8);
Path heart(V2 centre, double size, double degrees = 0);
// A star with rounded points.
Path star(V2 centre, double outer, double inner, int points, double degrees = 90);
// A wavy-edged blob: a circle whose radius goes round `lobes` times.
Path scallopedCircle(V2 centre, double radius, double depth, int lobes, double degrees = 0);
// The outline of overlapping round shapes whose union is star-shaped about
// centre (every ray from it crosses the outline once).
Path starUnion(const std::vector<Path>& shapes, V2 centre);
// A cloud: a row of bumps over a flat-ish bottom.
Path cloud(V2 centre, double width, double height);
// A tuft of grass blades on a base line.
Path grassTuft(V2 baseCentre, double width, double height, int blades);
// A closed band along a centre line of the given width (stems, stalks).
Path band(const Path& centreLine, double width0, double width1);

// The same with a round end at the last point (cactus arms, fingers).
Path roundEndedBand(const Path& centreLine, double width);

// Pieces of an open curve: dashes of the given length with gaps between.
std::vector<Path> dashes(const Path& line, double dash, double gap);

// The outline with as few points as keep it within tolerance of the original
// (Douglas-Peucker); closed outlines are treated as loops.
Path simplified(const Path& p, double tolerance, bool closed);

// Transforms of whole outlines.
Path translate(const Path& p, V2 by);
Path rotate(const Path& p, V2 about, double degrees);
Path scale(const Path& p, V2 about, double sx, double sy);
Path mirrorX(const Path& p, double axisX);  // reversed, so the winding is kept
Path reversed(const Path& p);
double signedArea(const Path& p);
// The same outline running counter-clockwise.
Path ccw(const Path& p);
// A leaf with teeth along both edges pointing back towards the base
// (dandelion leaves, palm fronds).
Path toothedLeaf(V2 base, V2 tip, double width, int teeth, double bend = 0, double toothDepth = 0.35);
bool containsPoint(const Path& p, V2 q);

}  // namespace artkit
