// One textured triangle list of a model. The geometry, the material and the
// texture name live in the archive entry's memory; the mesh owns only its
// texture reference and the name it releases it under.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/gl.h"
#include "resources/model.h"
#include "scene/mesh_buffer.h"

struct Mesh {
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
};

// The meshes queued for blending after the scene, in traversal order.
extern std::vector<Mesh*> translucentQueue;

void setColorOverride(Mesh* mesh, double red, double green, double blue);
// Draws now, or queues a translucent mesh with the depth-test and lighting state.
void drawMesh(Mesh* mesh);
// Draws a queued mesh blended, with the state it was queued under.
void drawMeshDeferred(Mesh* mesh);
// Geometry only, under the captured modelview.
void drawMeshForPicking(const Mesh* mesh);
// Releases the texture (procedural or archive); the arrays are not freed here.
void destroyMesh(Mesh* mesh);
