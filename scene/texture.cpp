// Textures made from image entries, one per entry, shared by reference count.
#include "scene/texture.h"

#include <string>
#include <vector>

#include "base/gl_texture.h"
#include "resources/mip_levels.h"
#include "resources/pak.h"
#include "resources/png_decode.h"
#include "scene/scene_hooks.h"

namespace {

// The smaller levels come made with the picture where another thread decoded
// it; otherwise they are made here.
GLuint upload(const RgbaImage& rgba, std::vector<RgbaImage> smaller = {}) {
    GLenum format = rgba.channels == 3 ? GL_RGB : GL_RGBA;
    if (!wantsMipmaps(rgba)) return uploadRgbaTexture(rgba.width, rgba.height, rgba.pixels.data(), format);
    if (smaller.empty()) smaller = smallerLevels(rgba);
    std::vector<const void*> levels;
    for (const RgbaImage& level : smaller) levels.push_back(level.pixels.data());
    return uploadRgbaTextureWithLevels(rgba.width, rgba.height, rgba.pixels.data(), format, levels.data(),
                                       int(levels.size()));
}

}  // namespace

namespace {

struct LiveTexture {
    std::string archive;
    std::string entry;
    GLuint texture = 0;
    int32_t references = 0;
};

// The process's textures made from pictures, shared by name (main thread only;
// only this file reads or changes it). liveTextureCount reports it.
std::vector<LiveTexture> liveTextures;

// The decoded picture is freed as soon as the context has its copy.
GLuint decodeToTexture(const uint8_t* bytes, int32_t size) {
    RgbaImage rgba;
    if (size <= 0 || !decodePngToRgba(bytes, size_t(size), rgba)) return 0;
    dropOpaqueAlpha(rgba);
    return upload(rgba);
}

LiveTexture* findLive(const char* archive, const char* entry) {
    for (LiveTexture& live : liveTextures)
        if (live.archive == archive && live.entry == entry) return &live;
    return nullptr;
}

}  // namespace

GLuint textureAcquireOrExit(const char* archive, const char* entry) {
    PakArchive* pak = pakAcquireOrExit(archive);
    if (LiveTexture* live = findLive(archive, entry)) {
        live->references++;
        return live->texture;
    }
    int32_t size = 0;
    const uint8_t* bytes = pakGetEntry(*pak, entry, &size);
    if (!bytes) return 0;
    RgbaImage ahead;
    std::vector<RgbaImage> aheadSmaller;
    const PictureAhead found =
        sceneHooks().pictureDecodedAhead ? sceneHooks().pictureDecodedAhead(archive, entry, ahead, aheadSmaller)
                                         : PictureAhead::notAhead;
    if (found == PictureAhead::failed) return 0;
    GLuint texture = found == PictureAhead::taken ? upload(ahead, std::move(aheadSmaller)) : decodeToTexture(bytes, size);
    if (texture == 0) return 0;
    liveTextures.push_back(LiveTexture{archive, entry, texture, 1});
    return texture;
}

void textureRelease(const char* archive, GLuint texture) {
    for (size_t i = 0; texture != 0 && i < liveTextures.size(); i++) {
        LiveTexture& live = liveTextures[i];
        if (live.texture != texture || live.archive != archive) continue;
        if (--live.references <= 0) {
            deleteRgbaTexture(texture);
            liveTextures.erase(liveTextures.begin() + long(i));
        }
        break;
    }
    pakRelease(archive);
}

int liveTextureCount() { return int(liveTextures.size()); }

int textureReferences(const char* archive, const char* entry) {
    for (const LiveTexture& live : liveTextures)
        if (live.archive == archive && live.entry == entry) return live.references;
    return 0;
}

GLuint textureAcquireDecoded(const char* archive, const char* entry, RgbaImage& image) {
    pakAcquireOrExit(archive);
    GLuint texture = 0;
    if (LiveTexture* live = findLive(archive, entry)) {
        live->references++;
        texture = live->texture;
    } else {
        texture = upload(image);
        liveTextures.push_back(LiveTexture{archive, entry, texture, 1});
    }
    image = RgbaImage();
    return texture;
}

std::vector<std::string> liveTextureEntries(const char* archive) {
    std::vector<std::string> entries;
    for (const LiveTexture& live : liveTextures)
        if (live.archive == archive) entries.push_back(live.entry);
    return entries;
}
