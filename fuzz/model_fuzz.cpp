// Model parser over the bytes of one entry: it must never read past the entry,
// and every mesh it keeps must lie wholly inside it with a terminated name.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "resources/model.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > size_t(INT32_MAX)) return 0;
    std::vector<ParsedMesh> meshes;
    int32_t whole = parseModel(data, int32_t(size), meshes);
    if (whole < 0) {
        if (!meshes.empty()) std::abort();
        return 0;
    }
    if (size_t(whole) != meshes.size()) std::abort();
    const uint8_t* end = data + size;
    for (const ParsedMesh& m : meshes) {
        // Touch every byte the drawing code would hand to OpenGL, so that a read
        // past the entry is caught by AddressSanitizer.
        size_t n = size_t(m.triangleCount);
        const uint8_t* v = reinterpret_cast<const uint8_t*>(m.vertices);
        const uint8_t* nrm = reinterpret_cast<const uint8_t*>(m.normals);
        const uint8_t* tc = reinterpret_cast<const uint8_t*>(m.texCoords);
        if (v + n * 72 > end || nrm + n * 72 > end || tc + n * 48 > end || m.block + 80 > end ||
            m.material + 60 > end)
            std::abort();
        unsigned sum = 0;
        for (size_t i = 0; i < n * 72; i++) sum += v[i] + nrm[i];
        for (size_t i = 0; i < n * 48; i++) sum += tc[i];
        for (size_t i = 0; i < 80; i++) sum += m.block[i];
        Material mat = readMaterial(m.material);
        sum += mat.translucent;
        sum += unsigned(std::strlen(m.textureName));
        if (sum == 0xFFFFFFFFu) std::abort();
    }
    return 0;
}
