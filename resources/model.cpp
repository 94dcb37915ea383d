// Model entries: parsing the mesh records. The geometry is not copied; meshes
// point straight into the archive entry.
#include "resources/model.h"

#include <cstring>

#include "base/byte_io.h"

namespace {

const int64_t kBlockBytes = 80;
const int64_t kMaterialBytes = 60;

bool take(ByteReader& c, int64_t count, const uint8_t** out) {
    return count >= 0 && readBytes(c, size_t(count), out);
}

bool takeInt32(ByteReader& c, int32_t* value) { return readI32(c, *value); }

// One mesh record; false when it is not whole, in which case nothing is kept.
bool parseMesh(ByteReader& c, ParsedMesh& mesh) {
    int32_t nameLength = 0;
    const uint8_t* name;
    // The name is used as a C string, so its terminating zero must lie inside its field.
    if (!takeInt32(c, &nameLength) || nameLength < 1 || !take(c, nameLength, &name)) return false;
    if (!std::memchr(name, 0, size_t(nameLength))) return false;
    const uint8_t* reserved;
    if (!take(c, kBlockBytes, &mesh.block) || !take(c, kMaterialBytes, &mesh.material)) return false;
    if (!takeInt32(c, &mesh.triangleCount) || mesh.triangleCount < 0 || !take(c, 1, &reserved)) return false;
    int64_t n = mesh.triangleCount;
    const uint8_t *vertices, *normals, *texCoords;
    if (!take(c, n * 72, &vertices) || !take(c, n * 72, &normals) || !take(c, n * 48, &texCoords)) return false;
    mesh.textureName = reinterpret_cast<const char*>(name);
    // Handed to OpenGL only, which reads doubles at any alignment.
    mesh.vertices = reinterpret_cast<const double*>(vertices);
    mesh.normals = reinterpret_cast<const double*>(normals);
    mesh.texCoords = reinterpret_cast<const double*>(texCoords);
    return true;
}

}  // namespace

Material readMaterial(const uint8_t* block60) {
    // Archive memory has no alignment; the floats are copied out, never cast.
    Material m;
    std::memcpy(&m, block60, sizeof m);
    return m;
}

int32_t parseModel(const uint8_t* bytes, int32_t size, std::vector<ParsedMesh>& meshes, int32_t* declared) {
    if (declared) *declared = -1;
    if (!bytes || size < 0) return -1;
    ByteReader c = byteReader(bytes, size_t(size));
    const uint8_t* marker;
    int32_t length = 0, count = 0;
    if (!take(c, 1, &marker)) return -1;
    // The length of the mesh list is not needed: every record carries its own sizes.
    if (*marker == 0xFF && !takeInt32(c, &length)) return -1;
    if (!takeInt32(c, &count)) return -1;
    if (declared) *declared = count;
    int32_t whole = 0;
    for (int32_t i = 0; i < count; i++) {
        ParsedMesh mesh{};
        if (!parseMesh(c, mesh)) break;
        meshes.push_back(mesh);
        whole++;
    }
    return whole;
}
