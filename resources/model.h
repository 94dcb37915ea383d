// The model format: parsing and writing model entries. Loading a model into a
// scene node (meshes, textures) is the scene's work.
//
// marker (1 byte: 0xFF means a 4-byte length follows), mesh count (int32), then
// per mesh: name length (int32, including the terminating zero), texture name,
// 80-byte block, 60-byte material, triangle count n (int32), one reserved byte,
// n*72 bytes of vertices, n*72 of normals, n*48 of texture coordinates (doubles).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The 60-byte material block of the model format. Archive memory is not aligned,
// so the block is read with readMaterial into this struct, never cast.
struct Material {
    uint8_t alphaTest = 0;
    uint8_t translucent = 0;
    uint8_t unused[2] = {0, 0};
    float ambient[4] = {0, 0, 0, 1};
    float diffuse[4] = {0, 0, 0, 1};
    float specular[4] = {0, 0, 0, 1};
    float shininess = 0;
    uint8_t unused2[4] = {0, 0, 0, 0};
};
static_assert(sizeof(Material) == 60, "the material block is 60 bytes in the model format");

Material readMaterial(const uint8_t* block60);

// The parser over the bytes of one entry: appends each whole mesh record to
// meshes and returns their number, or -1 when the header itself is short.
// Nothing is copied; the results point into bytes. declared, when given,
// receives the mesh count the header states (-1 when the header is short): the
// model is whole when every mesh it declares was whole.
struct ParsedMesh {
    const char* textureName;
    const uint8_t* block;
    const uint8_t* material;
    int32_t triangleCount;
    const double* vertices;
    const double* normals;
    const double* texCoords;
};
int32_t parseModel(const uint8_t* bytes, int32_t size, std::vector<ParsedMesh>& meshes, int32_t* declared = nullptr);

// The writer side, used by the artwork tool and the tests.
struct ModelMeshData {
    std::string textureName;  // "" for none; procedural names have '#' second
    Material material;
    std::vector<double> vertices;   // 9 per triangle
    std::vector<double> normals;    // 9 per triangle
    std::vector<double> texCoords;  // 6 per triangle
};
// Writes marker 0xFF with the length, unless withLength is false (marker 0x00).
// Texture names are padded with zeros so that the arrays start 8-byte aligned
// within the entry.
std::vector<uint8_t> writeModel(const std::vector<ModelMeshData>& meshes, bool withLength = true);
