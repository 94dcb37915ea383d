// Meshes: their paint, their bare geometry for picking under the matrix
// captured in the frame's traversal, and their release.
#include "scene/mesh.h"

#include <cstring>

#include "proctex/procedural_texture.h"
#include "scene/gl_state.h"
#include "scene/texture.h"

void setColorOverride(Mesh* mesh, double red, double green, double blue) {
    mesh->overrideColor[0] = red;
    mesh->overrideColor[1] = green;
    mesh->overrideColor[2] = blue;
    mesh->hasOverride = true;
}

void drawMeshForPicking(const Mesh* mesh, bool selecting) {
    // Positions alone: the other arrays may still name another mesh's buffer.
    setSurfaceArrays(false);
    glLoadMatrixd(mesh->modelview);
    submitMeshPositions(mesh->buffer, MeshArrays{mesh->vertices, mesh->normals, mesh->texCoords, mesh->triangleCount},
                        selecting);
}

void destroyMesh(Mesh* mesh) {
    // Reads only the mesh's own fields: the archive may already be gone.
    if (mesh->procedural) {
        proceduralRelease(mesh->textureSource);
    } else {
        textureRelease(mesh->textureSource.c_str(), mesh->texture);
    }
    mesh->texture = 0;
    releaseMeshBuffer(mesh->buffer);
}
