// The picture decoder: every picture of every archive, and the layouts and
// damage an archive could hold.
#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <string>
#include <vector>

#include "resources/pak.h"
#include "resources/png_decode.h"
#include "support/test_support.h"

namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}
void flushNothing(png_structp) {}

// The chunk checksum of the PNG format (CRC-32, as zlib computes it).
uint32_t crc32(uint32_t, const uint8_t* bytes, size_t size) {
    uint32_t crc = 0xffffffffu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

struct PngLayout {
    int colour = PNG_COLOR_TYPE_RGBA;
    int depth = 8;
    bool interlaced = false;
    std::vector<png_color> palette;
    std::vector<uint8_t> paletteAlpha;  // tRNS of a palette picture
    bool transparentColour = false;     // tRNS of a grey or RGB picture
    png_color_16 transparent{};
};

// Encodes rows already packed for the layout.
std::vector<uint8_t> encodePng(int width, int height, const PngLayout& layout, const std::vector<uint8_t>& packed) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, appendBytes, flushNothing);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), layout.depth, layout.colour,
                 layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!layout.palette.empty()) png_set_PLTE(png, info, layout.palette.data(), int(layout.palette.size()));
    if (!layout.paletteAlpha.empty())
        png_set_tRNS(png, info, layout.paletteAlpha.data(), int(layout.paletteAlpha.size()), nullptr);
    if (layout.transparentColour) png_set_tRNS(png, info, nullptr, 0, const_cast<png_color_16*>(&layout.transparent));
    png_write_info(png, info);
    size_t stride = packed.size() / size_t(height);
    int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < height; ++y) png_write_row(png, packed.data() + size_t(y) * stride);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::vector<uint8_t> decoded(const std::vector<uint8_t>& file, int width, int height) {
    RgbaImage image;
    std::string why;
    EXPECT_TRUE(decodePngToRgba(file.data(), file.size(), image, &why)) << why;
    EXPECT_EQ(image.width, width);
    EXPECT_EQ(image.height, height);
    return image.pixels;
}

}  // namespace

TEST(PngDecode, RgbaIsTakenAsItIsEvenInterlaced) {
    PngLayout layout;
    std::vector<uint8_t> pixels;
    for (int i = 0; i < 5 * 3; ++i) pixels.insert(pixels.end(), {uint8_t(i * 17), uint8_t(255 - i), uint8_t(i * 3), uint8_t(i * 16)});
    EXPECT_EQ(decoded(encodePng(5, 3, layout, pixels), 5, 3), pixels);
    layout.interlaced = true;
    EXPECT_EQ(decoded(encodePng(5, 3, layout, pixels), 5, 3), pixels);
}

TEST(PngDecode, RgbGetsOpaqueAlphaAndItsTransparentColourBecomesClear) {
    PngLayout layout;
    layout.colour = PNG_COLOR_TYPE_RGB;
    std::vector<uint8_t> rgb = {10, 20, 30, 40, 50, 60, 70, 80, 90};
    EXPECT_EQ(decoded(encodePng(3, 1, layout, rgb), 3, 1),
              (std::vector<uint8_t>{10, 20, 30, 255, 40, 50, 60, 255, 70, 80, 90, 255}));
    layout.transparentColour = true;
    layout.transparent.red = 40;
    layout.transparent.green = 50;
    layout.transparent.blue = 60;
    EXPECT_EQ(decoded(encodePng(3, 1, layout, rgb), 3, 1),
              (std::vector<uint8_t>{10, 20, 30, 255, 40, 50, 60, 0, 70, 80, 90, 255}));
}

TEST(PngDecode, PaletteAndItsAlphaAreExpanded) {
    PngLayout layout;
    layout.colour = PNG_COLOR_TYPE_PALETTE;
    layout.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    layout.paletteAlpha = {0, 128};  // the third colour stays opaque
    EXPECT_EQ(decoded(encodePng(3, 1, layout, {2, 1, 0}), 3, 1),
              (std::vector<uint8_t>{0, 0, 255, 255, 0, 255, 0, 128, 255, 0, 0, 0}));
    layout.depth = 2;  // four pixels a byte: 2 1 0 2
    EXPECT_EQ(decoded(encodePng(4, 1, layout, {0x92}), 4, 1),
              (std::vector<uint8_t>{0, 0, 255, 255, 0, 255, 0, 128, 255, 0, 0, 0, 0, 0, 255, 255}));
}

TEST(PngDecode, GreyBecomesRgbAndSixteenBitsKeepTheirHighByte) {
    PngLayout layout;
    layout.colour = PNG_COLOR_TYPE_GRAY;
    EXPECT_EQ(decoded(encodePng(2, 1, layout, {7, 200}), 2, 1), (std::vector<uint8_t>{7, 7, 7, 255, 200, 200, 200, 255}));
    layout.depth = 1;  // 1 0
    EXPECT_EQ(decoded(encodePng(2, 1, layout, {0x80}), 2, 1), (std::vector<uint8_t>{255, 255, 255, 255, 0, 0, 0, 255}));
    layout.depth = 16;
    layout.colour = PNG_COLOR_TYPE_GRAY_ALPHA;
    EXPECT_EQ(decoded(encodePng(1, 1, layout, {0x12, 0x34, 0xab, 0xcd}), 1, 1), (std::vector<uint8_t>{0x12, 0x12, 0x12, 0xab}));
    layout.colour = PNG_COLOR_TYPE_RGBA;
    EXPECT_EQ(decoded(encodePng(1, 1, layout, {1, 2, 3, 4, 5, 6, 7, 8}), 1, 1), (std::vector<uint8_t>{1, 3, 5, 7}));
}

TEST(PngDecode, GammaIsNotApplied) {
    PngLayout layout;
    layout.colour = PNG_COLOR_TYPE_RGB;
    std::vector<uint8_t> file = encodePng(1, 1, layout, {100, 150, 200});
    // A gAMA chunk of 1/1.0 (100000) right after IHDR; its CRC is the chunk's own.
    const uint8_t gama[] = {0, 0, 0, 4, 'g', 'A', 'M', 'A', 0, 1, 0x86, 0xa0};
    std::vector<uint8_t> chunk(gama, gama + sizeof gama);
    uint32_t crc = uint32_t(crc32(0, gama + 4, 8));
    for (int shift = 24; shift >= 0; shift -= 8) chunk.push_back(uint8_t(crc >> shift));
    file.insert(file.begin() + 33, chunk.begin(), chunk.end());
    EXPECT_EQ(decoded(file, 1, 1), (std::vector<uint8_t>{100, 150, 200, 255}));
}

TEST(PngDecode, DamagedAndAbsurdPicturesAreRefused) {
    PngLayout layout;
    std::vector<uint8_t> file = encodePng(64, 64, layout, std::vector<uint8_t>(64 * 64 * 4, 90));
    RgbaImage image;
    std::string why;
    for (size_t cut : {size_t(0), size_t(7), size_t(8), size_t(30), file.size() / 2, file.size() - 13}) {
        EXPECT_FALSE(decodePngToRgba(file.data(), cut, image, &why)) << "cut at " << cut;
        EXPECT_TRUE(image.pixels.empty());
        EXPECT_FALSE(why.empty());
    }
    std::vector<uint8_t> flipped = file;
    flipped[file.size() / 2] ^= 0x40;  // inside the compressed data: its CRC no longer matches
    EXPECT_FALSE(decodePngToRgba(flipped.data(), flipped.size(), image, &why));
    EXPECT_FALSE(decodePngToRgba(nullptr, 100, image, &why));
    std::string text = "not a picture at all, just words";
    EXPECT_FALSE(decodePngToRgba(reinterpret_cast<const uint8_t*>(text.data()), text.size(), image, &why));
    EXPECT_EQ(why, "not a PNG picture");

    // A header that claims 16384 x 16384 (a gigabyte of pixels) is refused before
    // anything is allocated for it, and so is a side past the limit.
    for (uint32_t side : {16384u, 100000u}) {
        std::vector<uint8_t> huge = file;
        for (int at : {16, 20})
            for (int b = 0; b < 4; ++b) huge[size_t(at + b)] = uint8_t(side >> (24 - 8 * b));
        uint32_t crc = uint32_t(crc32(0, huge.data() + 12, 17));
        for (int b = 0; b < 4; ++b) huge[size_t(29 + b)] = uint8_t(crc >> (24 - 8 * b));
        EXPECT_FALSE(decodePngToRgba(huge.data(), huge.size(), image, &why)) << side;
        EXPECT_TRUE(image.pixels.empty());
    }
    // The undamaged file still decodes.
    EXPECT_TRUE(decodePngToRgba(file.data(), file.size(), image, &why)) << why;
}
