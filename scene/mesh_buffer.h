// How a mesh's triangles reach OpenGL. The archive keeps them as double-precision
// arrays; these functions decide once per mesh how the driver gets them and then
// submit them the same way every frame.
//
// Ownership: the MeshBuffer belongs to its Mesh; releaseMeshBuffer frees whatever
// OpenGL objects were made for it, on the thread and context that drew it.
#pragma once
#include "base/gl.h"

struct Mesh;

struct MeshBuffer {
    bool prepared = false;  // decided how to submit (at the first draw)
};

// Draws the mesh's triangles with positions, normals and texture coordinates
// under the current matrix and state.
void submitMeshTriangles(const Mesh* mesh);
// Positions only (the normal and texture-coordinate arrays are off): picking.
void submitMeshPositions(const Mesh* mesh);
void releaseMeshBuffer(Mesh* mesh);
