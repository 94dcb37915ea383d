#include "resources/archive_check.h"

#include <cstring>
#include <vector>

#include "resources/model.h"
#include "resources/png_decode.h"

namespace {

bool decodes(const uint8_t* bytes, int32_t size) {
    RgbaImage image;
    return bytes && size > 0 && decodePngToRgba(bytes, size_t(size), image);
}

// The model's pictures are looked for, and decoded only when asked.
std::string damageInModel(const PakArchive& archive, const char* entry, bool decodePictures) {
    std::vector<std::string> pictures;
    std::string why = damageInModelShape(archive, entry, pictures);
    for (size_t i = 0; i < pictures.size() && why.empty(); ++i) {
        int32_t size = 0;
        const uint8_t* picture = pakGetEntry(archive, pictures[i].c_str(), &size);
        if (!picture || (decodePictures && !decodes(picture, size))) why = pictureDamageReason(pictures[i]);
    }
    return why;
}

bool endsWith(const std::string& text, const char* tail) {
    size_t n = std::strlen(tail);
    return text.size() >= n && text.compare(text.size() - n, n, tail) == 0;
}

}  // namespace

std::string damageInModelShape(const PakArchive& archive, const char* entry, std::vector<std::string>& pictures) {
    pictures.clear();
    int32_t size = 0;
    const uint8_t* bytes = pakGetEntry(archive, entry, &size);
    if (!bytes) return std::string("the file is damaged (it has no entry \"") + entry + "\")";
    std::vector<ParsedMesh> meshes;
    int32_t declared = 0;
    if (parseModel(bytes, size, meshes, &declared) != declared || declared < 0)
        return std::string("the file is damaged (entry \"") + entry + "\" is not a whole model)";
    for (const ParsedMesh& mesh : meshes) {
        // An empty name draws untextured; a recipe is computed, not read.
        if (mesh.textureName[0] != '\0' && mesh.textureName[1] != '#') pictures.push_back(mesh.textureName);
    }
    return "";
}

std::string damageInModelEntry(const PakArchive& archive, const char* entry) {
    return damageInModel(archive, entry, true);
}

std::string damageInArchiveModels(const PakArchive& archive) {
    for (const PakEntry& entry : archive.entries) {
        if (endsWith(entry.name, ".png")) continue;
        std::string why = damageInModel(archive, entry.name.c_str(), false);
        if (!why.empty()) return why;
    }
    return "";
}

std::string pictureDamageReason(const std::string& picture) {
    return "the file is damaged (picture \"" + picture + "\" cannot be read)";
}
