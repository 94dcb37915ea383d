// How a mesh's triangles reach OpenGL. The archive keeps them as double-precision
// arrays of three vertices a triangle, which a driver converts and transforms
// corner by corner on every draw. At a mesh's first draw they are converted once
// to single precision, each distinct vertex kept once and named by indices, and
// handed over in the first form the context offers: buffer objects (OpenGL 1.5 or
// ARB_vertex_buffer_object), else display lists; the archive's arrays as they are
// when neither is offered or the upload fails.
//
// Ownership: the MeshBuffer belongs to its Mesh; releaseMeshBuffer frees whatever
// OpenGL objects were made for it. The arrays are read once and must not change
// afterwards (archive memory never does); a mesh given other arrays or another
// triangle count is prepared again.
//
// Contexts: the objects belong to the context that was current at the first draw
// (glContextSerial). A mesh drawn in another context (the window was closed and a
// new one opened) prepares itself again there, and one released after its
// context is gone only forgets its objects: nothing here calls OpenGL unless a
// draw or a release happens while that context is current. Submitting leaves no
// buffer bound, so code that draws from client arrays (the tests, the tools) may
// follow it directly.
#pragma once
#include <cstdint>

#include "base/gl.h"

enum class MeshSubmitPath : uint8_t { None, BufferObject, DisplayLists, ClientArrays };

struct MeshBuffer {
    MeshSubmitPath path = MeshSubmitPath::None;  // None: not prepared yet
    uint32_t context = 0;                         // glContextSerial at preparation
    const double* source = nullptr;               // the vertices prepared from
    int32_t triangleCount = 0;
    int32_t vertexCount = 0;  // distinct vertices, which three indices a triangle name
    GLenum indexType = 0;
    GLuint vertexBuffer = 0;  // interleaved position, normal, texture coordinates
    GLuint indexBuffer = 0;
    int64_t bytes = 0;        // held in the two buffer objects
    GLuint lists = 0;         // two display lists: all arrays, then positions only
};

// A mesh's triangles as the archive holds them: three vertices a triangle,
// positions and normals of three doubles, texture coordinates of two.
struct MeshArrays {
    const double* vertices = nullptr;
    const double* normals = nullptr;
    const double* texCoords = nullptr;
    int32_t triangleCount = 0;
};

// Draws the triangles with positions, normals and texture coordinates under the
// current matrix and state, preparing buffer from arrays first when needed.
void submitMeshTriangles(MeshBuffer& buffer, const MeshArrays& arrays);
// Positions only: picking, which switches the normal and texture-coordinate
// arrays off around it. For the selection stage (selecting) always from the
// archive's arrays (see the .cpp).
void submitMeshPositions(MeshBuffer& buffer, const MeshArrays& arrays, bool selecting);
void releaseMeshBuffer(MeshBuffer& buffer);

// Bytes held in buffer objects by every prepared mesh alive.
int64_t meshBufferBytes();
// For tests: meshes prepared from now on take this path when the context offers
// it (ClientArrays always), and the automatic choice again with None.
void forceMeshSubmitPath(MeshSubmitPath path);
