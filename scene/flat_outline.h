// Whether a mesh is one flat convex sheet without holes or cracks: a single
// plane, every triangle facing the same way, every inner edge shared by exactly
// two triangles through the same two vertices (so the rasteriser leaves no
// sample uncovered between them), the outer edges on the border of the
// vertices' convex hull, and the triangles' area that hull's area. Such a mesh
// covers every point of its hull exactly once, which lets a repair leave out
// what lies wholly behind it (scene/hidden_items.h).
//
// Decided from the archive's arrays (three vertices a triangle, unaligned
// doubles); kept with each mesh (Mesh::outline) and decided again only when
// the mesh is given other arrays.
#pragma once
#include <cstdint>
#include <vector>

struct FlatOutline {
    const double* source = nullptr;  // the vertices it was decided from
    int32_t triangleCount = -1;      // -1: not decided yet
    bool flat = false;               // a flat convex sheet as above
    // When flat: the hull's corners in the mesh's own coordinates, in order
    // around it (x, y, z each).
    std::vector<double> hull;
};

// The outline of those triangles. Never fails: triangles that are not such a
// sheet (or none) are simply not flat.
FlatOutline decideFlatOutline(const double* vertices, int32_t triangleCount);
