#include "resources/png_decode.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

namespace {

struct MemoryReader {
    const uint8_t* bytes;
    size_t size;
    size_t offset;
};

// libpng asks for exactly the bytes it needs; asking past the end means the
// picture was cut short.
void readFromMemory(png_structp png, png_bytep out, png_size_t length) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->size - reader->offset) png_error(png, "the picture is cut short");
    std::memcpy(out, reader->bytes + reader->offset, length);
    reader->offset += length;
}

// The first error's text is kept for the caller; warnings (an ancillary chunk
// with a bad checksum, say) change nothing in the pixels and are dropped.
struct ErrorText {
    char text[160];
};

void keepError(png_structp png, png_const_charp message) {
    auto* error = static_cast<ErrorText*>(png_get_error_ptr(png));
    std::snprintf(error->text, sizeof error->text, "%s", message ? message : "damaged picture");
    png_longjmp(png, 1);
}

void dropWarning(png_structp, png_const_charp) {}

}  // namespace

bool decodePngToRgba(const uint8_t* bytes, size_t size, RgbaImage& image, std::string* why) {
    image = RgbaImage{};
    if (!bytes || size < 8 || png_sig_cmp(bytes, 0, 8) != 0) {
        if (why) *why = "not a PNG picture";
        return false;
    }
    ErrorText error{};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &error, keepError, dropWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_read_struct(&png, &info, nullptr);
        if (why) *why = "out of memory";
        return false;
    }
    // Nothing with a destructor is made after the setjmp: the pixels go to the
    // caller's image, which is cleared on the error path.
    MemoryReader reader{bytes, size, 0};
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        image = RgbaImage{};
        if (why) *why = error.text;
        return false;
    }
    png_set_read_fn(png, &reader, readFromMemory);
    png_set_user_limits(png, kPngMaxSide, kPngMaxSide);
    png_set_chunk_malloc_max(png, 8u << 20);
    png_read_info(png, info);

    png_uint_32 width = 0, height = 0;
    int depth = 0, colour = 0, interlace = 0;
    png_get_IHDR(png, info, &width, &height, &depth, &colour, &interlace, nullptr, nullptr);
    if (uint64_t(width) * height > kPngMaxPixels) png_error(png, "the picture is too large");

    if (colour == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colour == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    if (depth == 16) png_set_strip_16(png);
    if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    if (!(colour & PNG_COLOR_MASK_ALPHA) && !png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_filler(png, 0xff, PNG_FILLER_AFTER);
    int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != size_t(width) * 4) png_error(png, "unexpected pixel layout");

    image.width = int32_t(width);
    image.height = int32_t(height);
    image.channels = 4;
    image.pixels.resize(size_t(width) * height * 4);
    for (int pass = 0; pass < passes; ++pass)
        for (png_uint_32 y = 0; y < height; ++y) png_read_row(png, image.pixels.data() + size_t(y) * width * 4, nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

bool dropOpaqueAlpha(RgbaImage& image) {
    if (image.channels != 4) return false;
    std::vector<uint8_t>& p = image.pixels;
    for (size_t i = 3; i < p.size(); i += 4)
        if (p[i] != 255) return false;
    size_t to = 0;
    for (size_t from = 0; from < p.size(); from += 4, to += 3) {
        p[to] = p[from];
        p[to + 1] = p[from + 1];
        p[to + 2] = p[from + 2];
    }
    p.resize(to);
    p.shrink_to_fit();
    image.channels = 3;
    return true;
}
