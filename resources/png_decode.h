// Decoding the archives' PNG pictures into the one layout OpenGL is handed:
// 8-bit RGBA, rows top to bottom, no padding. libpng does the work; no SDL.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct RgbaImage {
    int32_t width = 0;
    int32_t height = 0;
    int32_t channels = 4;         // 4 as decoded; 3 once dropOpaqueAlpha has packed it
    std::vector<uint8_t> pixels;  // width * height * channels bytes: R, G, B (, A)
};

// The largest picture accepted: a side of more than this, or more pixels than
// kPngMaxPixels, is refused before any memory is taken for it.
constexpr uint32_t kPngMaxSide = 16384;
constexpr uint64_t kPngMaxPixels = uint64_t(8192) * 8192;

// Decodes a PNG held in memory. Palettes, grey and a tRNS chunk are expanded to
// RGBA, 16-bit channels are cut to their high byte, and no gamma is applied, so
// the bytes are the file's own. Returns false, leaving image empty, for anything
// but a whole, well-formed PNG within the limits (cut short, a bad checksum in
// a critical chunk, not a PNG at all); why, when given, says what was wrong.
bool decodePngToRgba(const uint8_t* bytes, size_t size, RgbaImage& image, std::string* why = nullptr);

// An opaque picture (every alpha 255) is packed in place to 3 bytes a pixel,
// R, G, B, and true returned; one with any transparency stays as it is. A
// quarter less to keep and to hand OpenGL, which reads a missing alpha as 1,
// so the picture looks the same.
bool dropOpaqueAlpha(RgbaImage& image);
