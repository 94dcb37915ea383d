// A colouring page as its artist draws it: closed shapes in painter's order,
// each either a colourable region or a solid ink shape, with the strokes that
// decorate it. Coordinates are page units, x right and y up, with the page's
// centre at the book's origin.
//
// Depth instead of cutting: every shape lies on its own layer, later shapes
// nearer the viewer, and each shape's outline lies between its own fill and the
// next shape's. A shape in front therefore hides both the fill and the outline
// of whatever it covers, with no boolean operations on outlines, and a visible
// line is always the front-most surface at its pixels.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/artkit/page_shapes.h"

namespace artkit {

enum class ItemKind { Region, Ink };

struct PageItem {
    ItemKind kind = ItemKind::Region;
    Path outline;                 // closed; stroked with the line width
    bool stroked = true;
    std::vector<Path> strokes;    // open strokes drawn with this shape (veins, smiles)
    std::vector<Path> loops;      // closed strokes drawn with this shape
    std::vector<Path> dots;       // small ink fills drawn with this shape (pupils)
};

struct PageDrawing {
    std::vector<PageItem> items;
};

// The width of every line of the drawings.
const double kLineWidth = 0.42;

// Where the drawing may lie: regions within these bounds.
const double kDrawLeft = -39, kDrawRight = 39, kDrawBottom = -13, kDrawTop = 32;

// Adds a colourable region in front of everything so far; returns its element
// number (1-based, in painter's order).
int addRegion(PageDrawing& d, const Path& outline);
// Adds a solid ink shape in front of everything so far.
void addInk(PageDrawing& d, const Path& outline);
// Decorations of the most recent shape, at its outline's depth.
void addStroke(PageDrawing& d, const Path& open);
void addLoop(PageDrawing& d, const Path& closed);
void addDot(PageDrawing& d, const Path& closed);

int regionCount(const PageDrawing& d);

// Layers: model y of a shape's fill and of its lines (negative is towards the
// viewer). The paper lies at y = 0.
const double kFirstLayer = 0.1;
const double kLayerStep = 0.04;
double fillDepth(int layer);
double lineDepth(int layer);
// The scene frame lies 100 units in front of the eye. Geometry on a nearer layer
// is shrunk about the axis of view so that it lines up in the picture exactly
// with the paper's plane; every layer then projects where the artist put it.
const double kEyeDistance = 100.0;
V2 alignToPaper(V2 p, double depth);

}  // namespace artkit
