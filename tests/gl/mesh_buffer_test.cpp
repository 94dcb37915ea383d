// Meshes handed to OpenGL once, as buffer objects or display lists, draw the
// same pixels as the archive's double-precision client arrays drawn every time,
// still answer picking, and give their buffers back when released.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>
#include <vector>

#include "base/gl.h"
#include "base/gl_texture.h"
#include "engine/camera.h"
#include "scene/mesh.h"
#include "support/gl_fixture.h"

namespace {

MeshArrays arraysOf(const Mesh& m) { return MeshArrays{m.vertices, m.normals, m.texCoords, m.triangleCount}; }

const int kSize = 64;  // the viewport drawn into, at the window's corner

// A lit, textured grid of 8 x 8 squares as the archive keeps it: three vertices
// a triangle, shared corners repeated, the doubles at an address that is not a
// multiple of eight.
struct ArchiveGrid {
    std::vector<uint8_t> bytes;
    Mesh mesh;

    ArchiveGrid() {
        const int n = 8;
        std::vector<double> v, nrm, tc;
        auto corner = [&](int i, int j) {
            double x = -0.9 + 1.8 * i / n, y = -0.9 + 1.8 * j / n;
            v.insert(v.end(), {x, y, 0.0});
            double nx = 0.6 * x, ny = 0.6 * y, nz = std::sqrt(1 - nx * nx - ny * ny);  // a dome of normals
            nrm.insert(nrm.end(), {nx, ny, nz});
            tc.insert(tc.end(), {1.5 * i / n, 1.5 * j / n});  // repeats the picture
        };
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                corner(i, j), corner(i + 1, j), corner(i + 1, j + 1);
                corner(i, j), corner(i + 1, j + 1), corner(i, j + 1);
            }
        }
        const size_t offset = 4;
        bytes.resize(offset + (v.size() + nrm.size() + tc.size()) * sizeof(double));
        uint8_t* at = bytes.data() + offset;
        std::memcpy(at, v.data(), v.size() * sizeof(double));
        mesh.vertices = reinterpret_cast<const double*>(at);
        at += v.size() * sizeof(double);
        std::memcpy(at, nrm.data(), nrm.size() * sizeof(double));
        mesh.normals = reinterpret_cast<const double*>(at);
        at += nrm.size() * sizeof(double);
        std::memcpy(at, tc.data(), tc.size() * sizeof(double));
        mesh.texCoords = reinterpret_cast<const double*>(at);
        mesh.triangleCount = 2 * n * n;
    }
};

std::vector<uint8_t> drawAndRead(const Mesh& mesh) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    submitMeshTriangles(mesh.buffer, arraysOf(mesh));
    std::vector<uint8_t> pixels(kSize * kSize * 4);
    readPixels(0, 0, kSize, kSize, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// Picking's selection stage: positions only, the other arrays off around it.
GLint selectionHits(const Mesh& mesh) {
    GLuint records[16];
    glSelectBuffer(16, records);
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(7);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    submitMeshPositions(mesh.buffer, arraysOf(mesh), true);
    EXPECT_FALSE(glIsEnabled(GL_NORMAL_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    return glRenderMode(GL_RENDER);
}

int differingPixels(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    int count = 0;
    for (size_t i = 0; i < a.size(); i += 4) count += std::memcmp(&a[i], &b[i], 3) != 0;
    return count;
}

GLint bound(GLenum binding) {
    GLint name = -1;
    glGetIntegerv(binding, &name);
    return name;
}

}  // namespace

TEST(MeshBuffer, BuffersAndListsDrawTheClientArraysPixelsAnswerPickingAndAreFreed) {
    beginSmallView(kSize);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT1);
    setupLight();
    const uint8_t checker[4 * 4] = {255, 40, 40, 255, 40, 255, 40, 255, 40, 40, 255, 255, 250, 250, 250, 255};
    GLuint texture = 0;
    glGenTextures(1, &texture);
    bindTexture2D(texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, checker);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    typedef GLboolean(GLAPIENTRY * IsBufferFn)(GLuint);
    IsBufferFn isBuffer = reinterpret_cast<IsBufferFn>(SDL_GL_GetProcAddress("glIsBuffer"));
    ASSERT_NE(isBuffer, nullptr);

    ArchiveGrid grid;
    const int64_t bytesBefore = meshBufferBytes();
    forceMeshSubmitPath(MeshSubmitPath::ClientArrays);
    std::vector<uint8_t> reference = drawAndRead(grid.mesh);
    EXPECT_EQ(grid.mesh.buffer.path, MeshSubmitPath::ClientArrays);
    EXPECT_EQ(selectionHits(grid.mesh), 1);
    std::set<uint32_t> colours;
    for (size_t i = 0; i < reference.size(); i += 4) colours.insert(reference[i] << 16 | reference[i + 1] << 8 | reference[i + 2]);
    ASSERT_GT(colours.size(), 20u) << "the picture compared must show the texture and the lighting";
    releaseMeshBuffer(grid.mesh.buffer);

    for (MeshSubmitPath path : {MeshSubmitPath::BufferObject, MeshSubmitPath::DisplayLists}) {
        SCOPED_TRACE(int(path));
        forceMeshSubmitPath(path);
        EXPECT_EQ(differingPixels(drawAndRead(grid.mesh), reference), 0);
        EXPECT_EQ(grid.mesh.buffer.path, path);
        EXPECT_EQ(selectionHits(grid.mesh), 1);
        EXPECT_EQ(bound(0x8894), 0);  // GL_ARRAY_BUFFER_BINDING
        EXPECT_EQ(bound(0x8895), 0);  // GL_ELEMENT_ARRAY_BUFFER_BINDING
        GLuint buffers[2] = {grid.mesh.buffer.vertexBuffer, grid.mesh.buffer.indexBuffer};
        if (path == MeshSubmitPath::BufferObject) {
            EXPECT_TRUE(isBuffer(buffers[0]) && isBuffer(buffers[1]));
            // 128 triangles share 81 distinct corners.
            EXPECT_EQ(grid.mesh.buffer.vertexCount, 81);
            EXPECT_EQ(meshBufferBytes() - bytesBefore, 81 * 32 + 128 * 3 * 2);
        }
        releaseMeshBuffer(grid.mesh.buffer);
        EXPECT_FALSE(isBuffer(buffers[0]) || isBuffer(buffers[1]));
        EXPECT_EQ(meshBufferBytes(), bytesBefore);
    }
    forceMeshSubmitPath(MeshSubmitPath::None);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    deleteRgbaTexture(texture);
    endSmallView();
}
