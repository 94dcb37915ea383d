// Every picture of every archive decodes to the same RGBA bytes as SDL_image
// with the program's former conversion to packed RGBA gave.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/pak.h"
#include "resources/png_decode.h"
#include "support/test_support.h"

namespace {

std::vector<uint8_t> sdlImageRgba(const uint8_t* bytes, int32_t size, int& w, int& h) {
    SDL_Surface* image = IMG_Load_RW(SDL_RWFromConstMem(bytes, size), 1);
    if (!image) return {};
    SDL_Surface* model = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0xff, 0xff00, 0xff0000, 0xff000000);
    bool keyed = (image->flags & SDL_SRCCOLORKEY) && image->format->BitsPerPixel == 8;
    Uint32 key = image->format->colorkey;
    if (image->flags & SDL_SRCCOLORKEY) SDL_SetColorKey(image, 0, 0);
    SDL_Surface* rgba = SDL_ConvertSurface(image, model->format, SDL_SWSURFACE);
    SDL_FreeSurface(model);
    w = rgba->w;
    h = rgba->h;
    std::vector<uint8_t> out;
    for (int y = 0; y < rgba->h; ++y) {
        const Uint8* row = static_cast<const Uint8*>(rgba->pixels) + y * rgba->pitch;
        const Uint8* src = static_cast<const Uint8*>(image->pixels) + y * image->pitch;
        for (int x = 0; x < rgba->w; ++x) {
            out.insert(out.end(), row + 4 * x, row + 4 * x + 4);
            if (keyed && src[x] == key) out.back() = 0;
        }
    }
    SDL_FreeSurface(rgba);
    SDL_FreeSurface(image);
    return out;
}

}  // namespace

TEST(PngDecodeArchives, EveryPictureMatchesSdlImage) {
    int pictures = 0;
    for (const std::string& name : folderEntries(dataDir())) {
        if (name.size() < 4 || name.substr(name.size() - 4) != ".pak") continue;
        PakArchive archive;
        ASSERT_TRUE(pakOpen(archive, (dataDir() + "/" + name).c_str())) << name;
        for (const PakEntry& entry : archive.entries) {
            if (entry.data.size() < 8 || entry.data[1] != 'P' || entry.data[2] != 'N' || entry.data[3] != 'G') continue;
            int w = 0, h = 0;
            std::vector<uint8_t> expected = sdlImageRgba(entry.data.data(), entry.size, w, h);
            RgbaImage image;
            ASSERT_TRUE(decodePngToRgba(entry.data.data(), entry.data.size(), image)) << name << " " << entry.name;
            EXPECT_EQ(image.width, w) << name << " " << entry.name;
            EXPECT_EQ(image.height, h) << name << " " << entry.name;
            EXPECT_TRUE(image.pixels == expected) << name << " " << entry.name;
            ++pictures;
        }
    }
    EXPECT_GT(pictures, 100);
    std::printf("%d pictures compared\n", pictures);
}
