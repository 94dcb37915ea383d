// Assembling a page's shapes, and the layers they lie on.
#include "tools/artkit/page_drawing.h"

namespace artkit {

int addRegion(PageDrawing& d, const Path& outline) {
    PageItem item;
    item.kind = ItemKind::Region;
    item.outline = simplified(outline, kOutlineTolerance, true);
    d.items.push_back(item);
    return regionCount(d);
}

void addInk(PageDrawing& d, const Path& outline) {
    PageItem item;
    item.kind = ItemKind::Ink;
    item.outline = simplified(outline, kOutlineTolerance, true);
    d.items.push_back(item);
}

// Decorations before any shape have nothing to belong to; they are dropped.
void addStroke(PageDrawing& d, const Path& open) {
    if (!d.items.empty()) d.items.back().strokes.push_back(simplified(open, kOutlineTolerance, false));
}
void addLoop(PageDrawing& d, const Path& closed) {
    if (!d.items.empty()) d.items.back().loops.push_back(simplified(closed, kOutlineTolerance, true));
}
void addDot(PageDrawing& d, const Path& closed) {
    if (!d.items.empty()) d.items.back().dots.push_back(simplified(closed, kOutlineTolerance, true));
}

int regionCount(const PageDrawing& d) {
    int n = 0;
    for (const PageItem& item : d.items)
        if (item.kind == ItemKind::Region) ++n;
    return n;
}

double fillDepth(int layer) { return -(kFirstLayer + kLayerStep * layer); }
double lineDepth(int layer) { return fillDepth(layer) - kLayerStep * 0.5; }

V2 alignToPaper(V2 p, double depth) {
    // depth is a model y; the point lies -depth nearer the eye than the paper.
    double k = (kEyeDistance + depth) / kEyeDistance;
    return {p.x * k, p.y * k};
}

}  // namespace artkit
