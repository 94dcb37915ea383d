// Model entries: parsing the mesh records and attaching them to scene nodes. The
// geometry is not copied; meshes point straight into the archive entry, which the
// node keeps open for as long as it lives.
#include "resources/model.h"

#include <cstring>

#include "proctex/procedural_texture.h"
#include "resources/pak.h"

namespace {

const int64_t kBlockBytes = 80;
const int64_t kMaterialBytes = 60;

// A read cursor that refuses to move past the end of the entry.
struct Cursor {
    const uint8_t* bytes;
    int64_t size;
    int64_t pos;
};

bool take(Cursor& c, int64_t count, const uint8_t** out) {
    if (count < 0 || count > c.size - c.pos) return false;
    *out = c.bytes + c.pos;
    c.pos += count;
    return true;
}

bool takeInt32(Cursor& c, int32_t* value) {
    const uint8_t* b;
    if (!take(c, 4, &b)) return false;
    *value = int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
    return true;
}

// One mesh record; false when it is not whole, in which case nothing is kept.
bool parseMesh(Cursor& c, ParsedMesh& mesh) {
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

bool isProceduralName(const char* name) { return name[0] != '\0' && name[1] == '#'; }

}  // namespace

int32_t parseModel(const uint8_t* bytes, int32_t size, std::vector<ParsedMesh>& meshes) {
    if (!bytes || size < 0) return -1;
    Cursor c{bytes, size, 0};
    const uint8_t* marker;
    int32_t length = 0, count = 0;
    if (!take(c, 1, &marker)) return -1;
    // The length of the mesh list is not needed: every record carries its own sizes.
    if (*marker == 0xFF && !takeInt32(c, &length)) return -1;
    if (!takeInt32(c, &count)) return -1;
    int32_t whole = 0;
    for (int32_t i = 0; i < count; i++) {
        ParsedMesh mesh{};
        if (!parseMesh(c, mesh)) break;
        meshes.push_back(mesh);
        whole++;
    }
    return whole;
}

void loadModel(SceneNode* node, const char* archive, const char* entry) {
    // Every call holds one archive reference, released by destroyNode, whether or
    // not the entry turns out to be usable.
    node->pakNames.push_back(archive);
    int32_t size = 0;
    const uint8_t* bytes = pakEntryData(archive, entry, &size);
    std::vector<ParsedMesh> parsed;
    if (bytes) parseModel(bytes, size, parsed);
    for (const ParsedMesh& p : parsed) {
        Mesh* mesh = new Mesh;
        mesh->textureName = p.textureName;
        if (isProceduralName(p.textureName)) {
            mesh->texture = proceduralAcquire(p.textureName);
            mesh->textureSource = p.textureName;
            mesh->procedural = true;
        } else {
            mesh->texture = pakTexture(archive, p.textureName);
            mesh->textureSource = archive;
        }
        mesh->block = p.block;
        mesh->material = p.material;
        mesh->triangleCount = p.triangleCount;
        mesh->vertices = p.vertices;
        mesh->normals = p.normals;
        mesh->texCoords = p.texCoords;
        node->meshes.push_back(mesh);
    }
    node->meshCount += int32_t(parsed.size());
    // Set even when the entry was missing or held no whole mesh, so the node's
    // drawing callbacks run exactly as they would for an empty model.
    node->hasModel = true;
}
