// Textures made from image entries, one per entry, shared by reference count.
#include "scene/texture.h"

#include <SDL/SDL_image.h>

#include <string>
#include <vector>

#include "base/gl_texture.h"
#include "resources/pak.h"

namespace {

// Byte order R, G, B, A in memory on a little-endian machine.
const Uint32 kRedMask = 0x000000ff, kGreenMask = 0x0000ff00, kBlueMask = 0x00ff0000, kAlphaMask = 0xff000000;

bool isPackedRgba(const SDL_Surface* s) {
    const SDL_PixelFormat* f = s->format;
    return f->BitsPerPixel == 32 && f->Rmask == kRedMask && f->Gmask == kGreenMask && f->Bmask == kBlueMask &&
           f->Amask == kAlphaMask && s->pitch == s->w * 4;
}

// RGB, grey and palette images arrive in other layouts; OpenGL is handed RGBA
// only. A palette image's transparent colour key becomes alpha 0.
SDL_Surface* toPackedRgba(SDL_Surface* image) {
    if (isPackedRgba(image)) return image;
    SDL_Surface* model = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, kRedMask, kGreenMask, kBlueMask, kAlphaMask);
    if (!model) return nullptr;
    bool keyed = (image->flags & SDL_SRCCOLORKEY) && image->format->BitsPerPixel == 8;
    Uint32 key = image->format->colorkey;
    if (image->flags & SDL_SRCCOLORKEY) SDL_SetColorKey(image, 0, 0);
    SDL_Surface* rgba = SDL_ConvertSurface(image, model->format, SDL_SWSURFACE);
    SDL_FreeSurface(model);
    if (rgba && !isPackedRgba(rgba)) {
        SDL_FreeSurface(rgba);
        return nullptr;
    }
    if (rgba && keyed) {
        SDL_LockSurface(image);
        for (int y = 0; y < image->h; y++) {
            const Uint8* src = static_cast<const Uint8*>(image->pixels) + y * image->pitch;
            Uint8* dst = static_cast<Uint8*>(rgba->pixels) + y * rgba->pitch;
            for (int x = 0; x < image->w; x++) {
                if (src[x] == key) dst[4 * x + 3] = 0;
            }
        }
        SDL_UnlockSurface(image);
    }
    return rgba;
}

bool isOpaque(const SDL_Surface* rgba) {
    const Uint8* pixels = static_cast<const Uint8*>(rgba->pixels);
    for (size_t i = 0, n = size_t(rgba->w) * size_t(rgba->h); i < n; ++i)
        if (pixels[4 * i + 3] != 255) return false;
    return true;
}

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
bool wantsMipmaps(const SDL_Surface* rgba) {
    if (rgba->w < 512 || rgba->h < 512) return false;
    return isOpaque(rgba);
}

}  // namespace

namespace {

struct LiveTexture {
    std::string archive;
    std::string entry;
    GLuint texture = 0;
    int32_t references = 0;
};

std::vector<LiveTexture> liveTextures;

GLuint decodeToTexture(const uint8_t* bytes, int32_t size) {
    SDL_Surface* image = IMG_Load_RW(SDL_RWFromMem(const_cast<uint8_t*>(bytes), size), 1);
    if (!image) return 0;
    SDL_Surface* rgba = toPackedRgba(image);
    if (rgba != image) SDL_FreeSurface(image);
    if (!rgba) return 0;
    SDL_LockSurface(rgba);
    GLuint texture = wantsMipmaps(rgba) ? uploadMipmappedRgbaTexture(rgba->w, rgba->h, rgba->pixels)
                                        : uploadRgbaTexture(rgba->w, rgba->h, rgba->pixels);
    SDL_UnlockSurface(rgba);
    SDL_FreeSurface(rgba);
    return texture;
}

}  // namespace

GLuint textureAcquireOrExit(const char* archive, const char* entry) {
    PakArchive* pak = pakAcquireOrExit(archive);
    for (LiveTexture& live : liveTextures) {
        if (live.archive == archive && live.entry == entry) {
            live.references++;
            return live.texture;
        }
    }
    int32_t size = 0;
    const uint8_t* bytes = pakGetEntry(*pak, entry, &size);
    if (!bytes) return 0;
    GLuint texture = decodeToTexture(bytes, size);
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
