// The model format and its loading into scene nodes.
//
// marker (1 byte: 0xFF means a 4-byte length follows), mesh count (int32), then
// per mesh: name length (int32, including the terminating zero), texture name,
// 80-byte block, 60-byte material, triangle count n (int32), one reserved byte,
// n*72 bytes of vertices, n*72 of normals, n*48 of texture coordinates (doubles).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "scene/mesh.h"
#include "scene/scene_node.h"

// Appends the meshes of one model entry to the node and takes one reference on
// the archive (released by destroyNode). A missing or truncated entry never makes
// the loader read past it: the node keeps the meshes that were whole. hasModel is
// set and the archive reference taken all the same, so the node behaves as one
// with an empty model and destroyNode's releases stay balanced.
void loadModel(SceneNode* node, const char* archive, const char* entry);

// The parser behind loadModel, over the bytes of one entry. Calls onMesh for each
// whole mesh record; returns the number of whole meshes, or -1 when the header
// itself is short.
struct ParsedMesh {
    const char* textureName;
    const uint8_t* block;
    const uint8_t* material;
    int32_t triangleCount;
    const double* vertices;
    const double* normals;
    const double* texCoords;
};
int32_t parseModel(const uint8_t* bytes, int32_t size, std::vector<ParsedMesh>& meshes);

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
