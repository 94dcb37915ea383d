// Textures made from image entries, one per entry, shared by reference count.
#include <SDL/SDL_image.h>

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

}  // namespace

GLuint pakGetTexture(PakArchive& archive, const char* name) {
    PakEntry* entry = nullptr;
    for (PakEntry& e : archive.entries) {
        if (e.name == name) {
            entry = &e;
            break;
        }
    }
    if (!entry) return 0;
    if (entry->texture != 0) {
        entry->textureRefs++;
        return entry->texture;
    }
    SDL_Surface* image = IMG_Load_RW(SDL_RWFromMem(entry->data.data(), entry->size), 1);
    if (!image) return 0;
    SDL_Surface* rgba = toPackedRgba(image);
    if (rgba != image) SDL_FreeSurface(image);
    if (!rgba) return 0;

    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    SDL_LockSurface(rgba);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, rgba->w, rgba->h, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba->pixels);
    SDL_UnlockSurface(rgba);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    SDL_FreeSurface(rgba);

    entry->texture = texture;
    entry->textureRefs = 1;
    return texture;
}

void pakReleaseTexture(PakArchive& archive, GLuint texture) {
    if (texture == 0) return;
    for (PakEntry& entry : archive.entries) {
        if (entry.texture != texture) continue;
        if (--entry.textureRefs <= 0) {
            glDeleteTextures(1, &texture);
            entry.texture = 0;
            entry.textureRefs = 0;
        }
        return;
    }
}
