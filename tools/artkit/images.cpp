// Pictures drawn with cairo and stored as PNG files inside the archives.
//
// Every picture is written as 8-bit RGBA even when it is fully opaque, the one
// layout the archive tests expect (the program's decoder would expand any other).
// cairo's own PNG writer drops the alpha channel of opaque surfaces; libpng is
// used directly instead. Nothing time- or machine-dependent goes into the file, so the same
// drawing always gives the same bytes.
#include <cairo.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tools/artkit/artkit.h"

namespace artkit {

struct Picture {
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    int width = 0;
    int height = 0;
};

static bool isPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

Picture* newPicture(int width, int height) {
    // OpenGL 1.x takes only power-of-two textures; a wrong size is a bug in the
    // artwork, caught here rather than as a white object on the desk.
    if (!isPowerOfTwo(width) || !isPowerOfTwo(height)) {
        std::fprintf(stderr, "artkit: picture size %dx%d is not a power of two\n", width, height);
        std::abort();
    }
    Picture* p = new Picture;
    p->width = width;
    p->height = height;
    p->surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    p->cr = cairo_create(p->surface);
    return p;
}

void* pictureCairo(Picture* p) { return p->cr; }

static void appendPngBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

static void flushNothing(png_structp) {}

std::vector<uint8_t> finishPicture(Picture* p) {
    cairo_surface_flush(p->surface);
    const int w = p->width, h = p->height;
    const int stride = cairo_image_surface_get_stride(p->surface);
    const uint8_t* src = cairo_image_surface_get_data(p->surface);

    // cairo keeps premultiplied native-endian ARGB words; PNG wants straight RGBA bytes.
    std::vector<uint8_t> rgba(size_t(w) * size_t(h) * 4);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint32_t px;
            std::memcpy(&px, src + size_t(y) * size_t(stride) + size_t(x) * 4, 4);
            uint32_t a = px >> 24, r = (px >> 16) & 255, g = (px >> 8) & 255, b = px & 255;
            if (a != 0 && a != 255) {
                r = (r * 255 + a / 2) / a;
                g = (g * 255 + a / 2) / a;
                b = (b * 255 + a / 2) / a;
            }
            uint8_t* d = &rgba[(size_t(y) * size_t(w) + size_t(x)) * 4];
            d[0] = uint8_t(r > 255 ? 255 : r);
            d[1] = uint8_t(g > 255 ? 255 : g);
            d[2] = uint8_t(b > 255 ? 255 : b);
            d[3] = uint8_t(a);
        }
    }
    cairo_destroy(p->cr);
    cairo_surface_destroy(p->surface);
    delete p;

    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fprintf(stderr, "artkit: PNG encoding failed\n");
        std::abort();
    }
    png_set_write_fn(png, &out, appendPngBytes, flushNothing);
    png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < h; ++y) png_write_row(png, &rgba[size_t(y) * size_t(w) * 4]);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

}  // namespace artkit
