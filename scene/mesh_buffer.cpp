#include "scene/mesh_buffer.h"

#include "scene/mesh.h"

void submitMeshTriangles(const Mesh* mesh) {
    glTexCoordPointer(2, GL_DOUBLE, 0, mesh->texCoords);
    glVertexPointer(3, GL_DOUBLE, 0, mesh->vertices);
    glNormalPointer(GL_DOUBLE, 0, mesh->normals);
    glDrawArrays(GL_TRIANGLES, 0, 3 * mesh->triangleCount);
}

void submitMeshPositions(const Mesh* mesh) {
    glVertexPointer(3, GL_DOUBLE, 0, mesh->vertices);
    glDrawArrays(GL_TRIANGLES, 0, 3 * mesh->triangleCount);
}

void releaseMeshBuffer(Mesh* mesh) { mesh->buffer = MeshBuffer{}; }
