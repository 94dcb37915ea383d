// Textures made from image entries, one per entry, shared by reference count.
#include "scene/texture.h"

#include <string>
#include <vector>

#include "base/gl_texture.h"
#include "resources/pak.h"
#include "resources/png_decode.h"

namespace {

// Which pictures get mipmaps: the opaque ones of 512 texels a side and more.
// Those are the surfaces made to cover much of the window at one texel a pixel
// or more at 1080 lines (the desk's wood, the cardboard, the help screen's
// background), so at every smaller size they are drawn minified, and their fine
// grain sparkles and moires. Mipmapped sampling costs fill on every pixel it
// covers on a software renderer; the smaller pictures stay as they are, the paper
// above all, drawn magnified across the book. A picture with transparency is a
// cut-out (the screens' cards and lettering, the glass, the drops): its outline
// lives in its alpha, which the alpha test cuts at 0.9; averaged into smaller
// levels the outline would erode and, on a repeating texture, the opposite edge
// would bleed in.
// Opaque pictures arrive packed to RGB (dropOpaqueAlpha).
bool wantsMipmaps(const RgbaImage& rgba) {
    if (rgba.width < 512 || rgba.height < 512) return false;
    return rgba.channels == 3;
}

GLuint upload(const RgbaImage& rgba) {
    GLenum format = rgba.channels == 3 ? GL_RGB : GL_RGBA;
    return wantsMipmaps(rgba) ? uploadMipmappedRgbaTexture(rgba.width, rgba.height, rgba.pixels.data(), format)
                              : uploadRgbaTexture(rgba.width, rgba.height, rgba.pixels.data(), format);
}

}  // namespace

PictureAhead (*pictureDecodedAhead)(const char*, const char*, RgbaImage&) = nullptr;

namespace {

struct LiveTexture {
    std::string archive;
    std::string entry;
    GLuint texture = 0;
    int32_t references = 0;
};

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
    const PictureAhead found = pictureDecodedAhead ? pictureDecodedAhead(archive, entry, ahead) : PictureAhead::notAhead;
    if (found == PictureAhead::failed) return 0;
    GLuint texture = found == PictureAhead::taken ? upload(ahead) : decodeToTexture(bytes, size);
    if (texture == 0) return 0;
    liveTextures.push_back(LiveTexture{archive, entry, texture, 1});
    return texture;
}

void textureRelease(const char* archive, GLuint texture) {
    for (size_t i = 0; texture != 0 && i < liveTextures.size(); i++) {
        LiveTexture& live = liveTextures[i];
        if (live.texture != texture || live.archive != archive) continue;
        if (--live.references <= 0) {
            glDeleteTextures(1, &texture);
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
