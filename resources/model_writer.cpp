// Writes model entries in exactly the layout loadModel reads.
#include <cstring>

#include "base/byte_io.h"
#include "resources/model.h"

namespace {

void putDoubles(std::vector<uint8_t>& out, const std::vector<double>& values, size_t count) {
    for (size_t i = 0; i < count; i++) putF64(out, i < values.size() ? values[i] : 0.0);
}

}  // namespace

std::vector<uint8_t> writeModel(const std::vector<ModelMeshData>& meshes, bool withLength) {
    std::vector<uint8_t> out;
    out.push_back(withLength ? 0xFF : 0x00);
    size_t lengthAt = out.size();
    if (withLength) putI32(out, 0);
    size_t listStart = out.size();
    putI32(out, int32_t(meshes.size()));
    for (const ModelMeshData& m : meshes) {
        size_t triangles = m.vertices.size() / 9;
        // The arrays start after the name, 80 + 60 + 4 + 1 bytes of fixed fields;
        // the name field is padded with zeros so that they start 8-byte aligned in
        // the entry, which is itself a separate allocation.
        size_t nameAt = out.size() + 4;
        size_t nameLength = m.textureName.size() + 1;
        while ((nameAt + nameLength + 80 + 60 + 4 + 1) % 8 != 0) nameLength++;
        putI32(out, int32_t(nameLength));
        putBytes(out, m.textureName.data(), m.textureName.size());
        out.insert(out.end(), nameLength - m.textureName.size(), 0);
        out.insert(out.end(), 80, 0);
        uint8_t material[60];
        std::memcpy(material, &m.material, sizeof material);
        putBytes(out, material, sizeof material);
        putI32(out, int32_t(triangles));
        out.push_back(0);
        putDoubles(out, m.vertices, triangles * 9);
        putDoubles(out, m.normals, triangles * 9);
        putDoubles(out, m.texCoords, triangles * 6);
    }
    if (withLength) {
        patchI32(out, lengthAt, int32_t(out.size() - listStart));
    }
    return out;
}
