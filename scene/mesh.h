// One textured triangle list of a model. The geometry, the material and the
// texture name live in the archive entry's memory; the mesh owns only its
// texture reference and the name it releases it under.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/gl.h"
#include "resources/model.h"
#include "scene/flat_outline.h"
#include "scene/mesh_buffer.h"

// A number no other mesh of this run has had: frames compare meshes by it, since
// a new mesh may be given the address of one deleted before it.
inline uint64_t newMeshSerial() {
    static uint64_t last = 0;
    return ++last;
}

struct Mesh {
    uint64_t serial = newMeshSerial();
    double overrideColor[3] = {1, 1, 1};
    bool hasOverride = false;
    const uint8_t* block = nullptr;     // 80 bytes, not interpreted
    const uint8_t* material = nullptr;  // 60 bytes, see readMaterial
    int32_t triangleCount = 0;
    // Archive memory; may be unaligned. Only OpenGL reads through these.
    const double* vertices = nullptr;
    const double* normals = nullptr;
    const double* texCoords = nullptr;
    std::string textureSource;  // archive name, or the whole procedural recipe
    const char* textureName = nullptr;
    GLuint texture = 0;
    bool procedural = false;
    double modelview[16] = {};  // captured when the traversal last reached the mesh
    mutable MeshBuffer buffer;  // prepared at the first draw
    // The box around the vertices, worked out at the first recorded draw.
    mutable bool boundsKnown = false;
    mutable double boundsLow[3] = {}, boundsHigh[3] = {};
    // Whether it is a flat sheet that hides what lies behind it; decided at
    // the first box drawn again that asks (scene/hidden_items.cpp).
    mutable FlatOutline outline;
};

void setColorOverride(Mesh* mesh, double red, double green, double blue);
// Geometry only, under the matrix the walk recorded it with; selecting: for
// the selection stage of picking.
void drawMeshForPicking(const Mesh* mesh, bool selecting);
// Releases the texture (procedural or archive); the arrays are not freed here.
void destroyMesh(Mesh* mesh);
