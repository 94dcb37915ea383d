#include "app/picture_files.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/platform.h"
#include "base/temporary_files.h"

namespace {

// libpng reports errors by longjmp; everything it touches between setjmp and
// the end is plain data, so nothing with a destructor is skipped.
bool encode(std::FILE* file, const std::vector<uint8_t>& rgb, int32_t width, int32_t height) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    // Large flat areas of paint: the fastest level already packs them well.
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // 300 dots per inch, so that the default size prints as A4.
    png_set_pHYs(png, info, 11811, 11811, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    for (int32_t y = 0; y < height; ++y)
        png_write_row(png, const_cast<png_bytep>(&rgb[size_t(y) * size_t(width) * 3]));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool writePngFile(const std::string& path, const std::vector<uint8_t>& rgb, int32_t width, int32_t height,
                  std::string& why) {
    if (width <= 0 || height <= 0 || rgb.size() != size_t(width) * size_t(height) * 3) {
        why = "the picture is empty";
        return false;
    }
    std::string part = path + ".part";
    holdTemporaryFile(part);
    std::FILE* file = openFile(part, "wb");
    if (!file) {
        why = std::strerror(errno);
        letGoOfTemporaryFile(part);
        return false;
    }
    bool ok = encode(file, rgb, width, height);
    if (std::fflush(file) != 0 || std::ferror(file)) ok = false;
    int error = errno;
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && !replaceFileWith(part, path)) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        why = error ? std::strerror(error) : "the picture could not be encoded";
        removeFile(part);
    }
    letGoOfTemporaryFile(part);
    return ok;
}

bool makeWritableFolder(const std::string& folder, std::string& why) {
    return makeFolders(folder, false, why);
}
