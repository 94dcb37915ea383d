#include "scene/mesh_buffer.h"

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <vector>

#include "base/gl_context.h"
#include "base/byte_io.h"

namespace {

// One vertex as the buffer objects and the display lists get it.
struct Vertex {
    float position[3];
    float normal[3];
    float texCoord[2];
};
static_assert(sizeof(Vertex) == 32, "vertices are packed without padding");
const GLsizei kStride = sizeof(Vertex);

// The mesh in single precision: each distinct vertex once, and three indices a
// triangle in the archive's order.
struct IndexedMesh {
    std::vector<Vertex> vertices;
    std::vector<uint16_t> shortIndices;  // when there are at most 65536 vertices
    std::vector<uint32_t> longIndices;   // otherwise
    GLenum indexType() const { return longIndices.empty() ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT; }
    const void* indexData() const {
        return longIndices.empty() ? static_cast<const void*>(shortIndices.data()) : longIndices.data();
    }
    size_t indexBytes() const { return shortIndices.size() * 2 + longIndices.size() * 4; }
};

typedef void(GLAPIENTRY* GenBuffersFn)(GLsizei, GLuint*);
typedef void(GLAPIENTRY* DeleteBuffersFn)(GLsizei, const GLuint*);
typedef void(GLAPIENTRY* BindBufferFn)(GLenum, GLuint);
typedef void(GLAPIENTRY* BufferDataFn)(GLenum, ptrdiff_t, const void*, GLenum);
typedef void(GLAPIENTRY* DrawRangeElementsFn)(GLenum, GLuint, GLuint, GLsizei, GLenum, const void*);

// The buffer-object entry points of one context; all null where it has none.
struct BufferFunctions {
    bool lookedUp = false;
    uint32_t context = 0;
    GenBuffersFn gen = nullptr;
    DeleteBuffersFn destroy = nullptr;
    BindBufferFn bind = nullptr;
    BufferDataFn data = nullptr;
    DrawRangeElementsFn drawRange = nullptr;  // OpenGL 1.2
};

BufferFunctions functions;
MeshSubmitPath forcedPath = MeshSubmitPath::None;
int64_t bufferBytes = 0;

// The same values as the ARB names.
const GLenum kArrayBuffer = 0x8892;         // GL_ARRAY_BUFFER
const GLenum kElementArrayBuffer = 0x8893;  // GL_ELEMENT_ARRAY_BUFFER
const GLenum kStaticDraw = 0x88E4;          // GL_STATIC_DRAW

// A pointer from SDL_GL_GetProcAddress proves nothing (GLX hands one out for any
// name), so the version or the extension string decides first.
void lookUpBufferFunctions() {
    functions = BufferFunctions{};
    functions.lookedUp = true;
    functions.context = glContextSerial();
    const char* suffix = nullptr;
    if (glVersionAtLeast(1, 5))
        suffix = "";
    else if (glHasExtension("GL_ARB_vertex_buffer_object"))
        suffix = "ARB";
    if (!suffix) return;
    auto find = [suffix](const char* name) {
        char full[40];
        std::snprintf(full, sizeof full, "%s%s", name, suffix);
        return SDL_GL_GetProcAddress(full);
    };
    GenBuffersFn gen = reinterpret_cast<GenBuffersFn>(find("glGenBuffers"));
    DeleteBuffersFn destroy = reinterpret_cast<DeleteBuffersFn>(find("glDeleteBuffers"));
    BindBufferFn bind = reinterpret_cast<BindBufferFn>(find("glBindBuffer"));
    BufferDataFn data = reinterpret_cast<BufferDataFn>(find("glBufferData"));
    if (!gen || !destroy || !bind || !data) return;
    functions.gen = gen;
    functions.destroy = destroy;
    functions.bind = bind;
    functions.data = data;
    functions.drawRange = reinterpret_cast<DrawRangeElementsFn>(SDL_GL_GetProcAddress("glDrawRangeElements"));
}

bool bufferObjectsOffered() {
    if (!functions.lookedUp || functions.context != glContextSerial()) lookUpBufferFunctions();
    return functions.gen != nullptr;
}

// Reads every pending error; true when one of them was GL_OUT_OF_MEMORY. The
// errors of earlier calls are read too, which nothing else in the program
// waits for. Bounded, since an implementation may keep reporting.
bool outOfMemoryReported() {
    bool outOfMemory = false;
    for (int i = 0; i < 16; ++i) {
        GLenum error = glGetError();
        if (error == GL_NO_ERROR) break;
        if (error == GL_OUT_OF_MEMORY) outOfMemory = true;
    }
    return outOfMemory;
}

uint64_t hashVertex(const Vertex& v) {
    uint64_t words[4];
    std::memcpy(words, &v, sizeof words);
    uint64_t h = 0x9e3779b97f4a7c15u;
    for (uint64_t w : words) h = (h ^ w) * 0xff51afd7ed558ccdu;
    return h ^ (h >> 29);
}

// Vertices shared by neighbouring triangles are transformed once instead of once
// a corner; only bit-identical vertices are merged, so every triangle is drawn
// exactly as before.
IndexedMesh indexedSinglePrecision(const MeshArrays* mesh) {
    const size_t corners = 3 * size_t(mesh->triangleCount);
    size_t slots = 16;
    while (slots < 2 * corners) slots *= 2;
    std::vector<uint32_t> table(slots, UINT32_MAX);  // open addressing: vertex numbers
    std::vector<uint32_t> indices(corners);
    IndexedMesh out;
    out.vertices.reserve(corners);
    for (size_t i = 0; i < corners; ++i) {
        Vertex v;
        for (size_t k = 0; k < 3; ++k) {
            v.position[k] = float(unalignedDouble(mesh->vertices, 3 * i + k));
            v.normal[k] = float(unalignedDouble(mesh->normals, 3 * i + k));
        }
        for (size_t k = 0; k < 2; ++k) v.texCoord[k] = float(unalignedDouble(mesh->texCoords, 2 * i + k));
        size_t slot = hashVertex(v) & (slots - 1);
        while (table[slot] != UINT32_MAX && std::memcmp(&out.vertices[table[slot]], &v, sizeof v) != 0)
            slot = (slot + 1) & (slots - 1);
        if (table[slot] == UINT32_MAX) {
            table[slot] = uint32_t(out.vertices.size());
            out.vertices.push_back(v);
        }
        indices[i] = table[slot];
    }
    if (out.vertices.size() <= 65536)
        out.shortIndices.assign(indices.begin(), indices.end());
    else
        out.longIndices = std::move(indices);
    return out;
}

// base 0 with a buffer object bound: offsets into it; else the vertices' address.
void pointAtVertices(uintptr_t base, bool allArrays) {
    glVertexPointer(3, GL_FLOAT, kStride, reinterpret_cast<const void*>(base + offsetof(Vertex, position)));
    if (!allArrays) return;
    glNormalPointer(GL_FLOAT, kStride, reinterpret_cast<const void*>(base + offsetof(Vertex, normal)));
    glTexCoordPointer(2, GL_FLOAT, kStride, reinterpret_cast<const void*>(base + offsetof(Vertex, texCoord)));
}

// indices null with an index buffer bound: from its start.
void drawIndexed(const MeshBuffer& b, const void* indices) {
    GLsizei count = 3 * b.triangleCount;
    if (functions.drawRange)
        functions.drawRange(GL_TRIANGLES, 0, GLuint(b.vertexCount - 1), count, b.indexType, indices);
    else
        glDrawElements(GL_TRIANGLES, count, b.indexType, indices);
}

bool uploadBufferObjects(MeshBuffer& b, const IndexedMesh& mesh) {
    outOfMemoryReported();
    GLuint names[2] = {0, 0};
    functions.gen(2, names);
    ptrdiff_t vertexBytes = ptrdiff_t(mesh.vertices.size() * sizeof(Vertex));
    ptrdiff_t indexBytes = ptrdiff_t(mesh.indexBytes());
    functions.bind(kArrayBuffer, names[0]);
    functions.data(kArrayBuffer, vertexBytes, mesh.vertices.data(), kStaticDraw);
    functions.bind(kArrayBuffer, 0);
    functions.bind(kElementArrayBuffer, names[1]);
    functions.data(kElementArrayBuffer, indexBytes, mesh.indexData(), kStaticDraw);
    functions.bind(kElementArrayBuffer, 0);
    if (names[0] == 0 || names[1] == 0 || outOfMemoryReported()) {
        functions.destroy(2, names);
        return false;
    }
    b.vertexBuffer = names[0];
    b.indexBuffer = names[1];
    b.bytes = vertexBytes + indexBytes;
    bufferBytes += b.bytes;
    return true;
}

// The arrays' data is copied into the lists as they are compiled, so the
// converted mesh need not outlive this call.
bool compileDisplayLists(MeshBuffer& b, const IndexedMesh& mesh) {
    outOfMemoryReported();
    b.lists = glGenLists(2);
    if (b.lists == 0) return false;
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    pointAtVertices(reinterpret_cast<uintptr_t>(mesh.vertices.data()), true);
    glNewList(b.lists, GL_COMPILE);
    drawIndexed(b, mesh.indexData());
    glEndList();
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glNewList(b.lists + 1, GL_COMPILE);
    drawIndexed(b, mesh.indexData());
    glEndList();
    glPopClientAttrib();
    if (outOfMemoryReported()) {
        glDeleteLists(b.lists, 2);
        b.lists = 0;
        return false;
    }
    return true;
}

// Frees the objects when their context is current; forgets them otherwise.
void releaseObjects(MeshBuffer& b) {
    bool current = b.context == glContextSerial();
    if (b.vertexBuffer != 0 && current && bufferObjectsOffered()) {
        GLuint names[2] = {b.vertexBuffer, b.indexBuffer};
        functions.destroy(2, names);
    }
    if (b.lists != 0 && current) glDeleteLists(b.lists, 2);
    bufferBytes -= b.bytes;
    b = MeshBuffer{};
}

const MeshBuffer& prepared(MeshBuffer& b, const MeshArrays* mesh) {
    if (b.path != MeshSubmitPath::None && b.context == glContextSerial() && b.source == mesh->vertices &&
        b.triangleCount == mesh->triangleCount)
        return b;
    releaseObjects(b);
    b.context = glContextSerial();
    b.source = mesh->vertices;
    b.triangleCount = mesh->triangleCount;
    b.path = MeshSubmitPath::ClientArrays;
    if (forcedPath == MeshSubmitPath::ClientArrays) return b;
    bufferObjectsOffered();  // the entry points of this context, drawRange among them
    IndexedMesh indexed = indexedSinglePrecision(mesh);
    b.vertexCount = int32_t(indexed.vertices.size());
    b.indexType = indexed.indexType();
    bool tryBuffers = forcedPath != MeshSubmitPath::DisplayLists && functions.gen;
    if (tryBuffers && uploadBufferObjects(b, indexed))
        b.path = MeshSubmitPath::BufferObject;
    else if (compileDisplayLists(b, indexed))
        b.path = MeshSubmitPath::DisplayLists;
    return b;
}

// The array pointers keep the buffer they were given; both binding points are
// left empty.
void drawFromBuffers(const MeshBuffer& b, bool allArrays) {
    functions.bind(kArrayBuffer, b.vertexBuffer);
    pointAtVertices(0, allArrays);
    functions.bind(kArrayBuffer, 0);
    functions.bind(kElementArrayBuffer, b.indexBuffer);
    drawIndexed(b, nullptr);
    functions.bind(kElementArrayBuffer, 0);
}

}  // namespace

void submitMeshTriangles(MeshBuffer& buffer, const MeshArrays& arrays) {
    const MeshArrays* mesh = &arrays;
    if (mesh->triangleCount <= 0) return;
    const MeshBuffer& b = prepared(buffer, mesh);
    if (b.path == MeshSubmitPath::BufferObject) {
        drawFromBuffers(b, true);
    } else if (b.path == MeshSubmitPath::DisplayLists) {
        glCallList(b.lists);
    } else {
        glTexCoordPointer(2, GL_DOUBLE, 0, mesh->texCoords);
        glVertexPointer(3, GL_DOUBLE, 0, mesh->vertices);
        glNormalPointer(GL_DOUBLE, 0, mesh->normals);
        glDrawArrays(GL_TRIANGLES, 0, 3 * mesh->triangleCount);
    }
}

void submitMeshPositions(MeshBuffer& buffer, const MeshArrays& arrays, bool selecting) {
    const MeshArrays* mesh = &arrays;
    if (mesh->triangleCount <= 0) return;
    // Selection mode takes the archive's arrays: Mesa's software selection
    // keeps a reference to every buffer object it draws from, so a buffer
    // picked once would outlive its glDeleteBuffers (the soak measured the heap
    // growing by about 3 KB a frame).
    MeshBuffer archiveArrays;
    const MeshBuffer& b = selecting ? archiveArrays : prepared(buffer, mesh);
    if (b.path == MeshSubmitPath::BufferObject) {
        drawFromBuffers(b, false);
    } else if (b.path == MeshSubmitPath::DisplayLists) {
        glCallList(b.lists + 1);
    } else {
        glVertexPointer(3, GL_DOUBLE, 0, mesh->vertices);
        glDrawArrays(GL_TRIANGLES, 0, 3 * mesh->triangleCount);
    }
}

void releaseMeshBuffer(MeshBuffer& buffer) { releaseObjects(buffer); }

int64_t meshBufferBytes() { return bufferBytes; }

void forceMeshSubmitPath(MeshSubmitPath path) { forcedPath = path; }
