// Writes model entries in exactly the layout loadModel reads.
#include <cstring>

#include "resources/model.h"

namespace {

void putInt32(std::vector<uint8_t>& out, int32_t value) {
    uint32_t v = uint32_t(value);
    for (int i = 0; i < 4; i++) out.push_back(uint8_t(v >> (8 * i)));
}

void putBytes(std::vector<uint8_t>& out, const void* bytes, size_t count) {
    const uint8_t* p = static_cast<const uint8_t*>(bytes);
    out.insert(out.end(), p, p + count);
}

void putDoubles(std::vector<uint8_t>& out, const std::vector<double>& values, size_t count) {
    for (size_t i = 0; i < count; i++) {
        double v = i < values.size() ? values[i] : 0.0;
        putBytes(out, &v, sizeof v);
    }
}

}  // namespace

std::vector<uint8_t> writeModel(const std::vector<ModelMeshData>& meshes, bool withLength) {
    std::vector<uint8_t> out;
    out.push_back(withLength ? 0xFF : 0x00);
    size_t lengthAt = out.size();
    if (withLength) putInt32(out, 0);
    size_t listStart = out.size();
    putInt32(out, int32_t(meshes.size()));
    for (const ModelMeshData& m : meshes) {
        size_t triangles = m.vertices.size() / 9;
        // The arrays start after the name, 80 + 60 + 4 + 1 bytes of fixed fields;
        // the name field is padded with zeros so that they start 8-byte aligned in
        // the entry, which is itself a separate allocation.
        size_t nameAt = out.size() + 4;
        size_t nameLength = m.textureName.size() + 1;
        while ((nameAt + nameLength + 80 + 60 + 4 + 1) % 8 != 0) nameLength++;
        putInt32(out, int32_t(nameLength));
        putBytes(out, m.textureName.data(), m.textureName.size());
        out.insert(out.end(), nameLength - m.textureName.size(), 0);
        out.insert(out.end(), 80, 0);
        uint8_t material[60];
        std::memcpy(material, &m.material, sizeof material);
        putBytes(out, material, sizeof material);
        putInt32(out, int32_t(triangles));
        out.push_back(0);
        putDoubles(out, m.vertices, triangles * 9);
        putDoubles(out, m.normals, triangles * 9);
        putDoubles(out, m.texCoords, triangles * 6);
    }
    if (withLength) {
        int32_t length = int32_t(out.size() - listStart);
        for (int i = 0; i < 4; i++) out[lengthAt + size_t(i)] = uint8_t(uint32_t(length) >> (8 * i));
    }
    return out;
}
