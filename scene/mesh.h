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
    bool depthTestWasOn = false;        // saved when queued as translucent
    bool lightingWasOn = false;
    bool lightWasOn[8] = {};            // GL_LIGHT1 .. GL_LIGHT1 + 7
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

// The meshes queued for blending after the scene, in traversal order.
extern std::vector<Mesh*> translucentQueue;

// How many of GL_LIGHT1 onwards (at most 8) the implementation has: the lights
// whose state is saved with a mesh.
int savedLightCount();
void setColorOverride(Mesh* mesh, double red, double green, double blue);
// Draws now, or queues a translucent mesh with the depth-test and lighting state.
void drawMesh(Mesh* mesh);
// Draws a queued mesh blended, with the state it was queued under.
void drawMeshDeferred(Mesh* mesh);
// Draws with the texture and paint given instead of the mesh's own (a recorded
// frame draws what was recorded), under the current matrix, lighting and depth
// state; blended adds blending for a translucent mesh.
void drawMeshAs(const Mesh* mesh, GLuint texture, bool hasOverride, const double color[3], bool blended);
// Geometry only, under the captured modelview.
void drawMeshForPicking(const Mesh* mesh);
// Releases the texture (procedural or archive); the arrays are not freed here.
void destroyMesh(Mesh* mesh);
