#include "resources/mip_levels.h"

#include <cstddef>

namespace {

bool powerOfTwo(int32_t n) { return n > 0 && (n & (n - 1)) == 0; }

RgbaImage halved(const RgbaImage& above) {
    RgbaImage level;
    level.width = above.width > 1 ? above.width / 2 : 1;
    level.height = above.height > 1 ? above.height / 2 : 1;
    level.channels = above.channels;
    const size_t c = size_t(above.channels);
    const size_t rowAbove = size_t(above.width) * c;
    level.pixels.resize(size_t(level.width) * size_t(level.height) * c);
    uint8_t* out = level.pixels.data();
    const uint8_t* in = above.pixels.data();
    if (above.width > 1 && above.height > 1) {
        for (int32_t y = 0; y < level.height; ++y) {
            const uint8_t* top = in + size_t(2 * y) * rowAbove;
            const uint8_t* bottom = top + rowAbove;
            for (size_t x = 0; x < size_t(level.width) * c; x += c)
                for (size_t k = 0; k < c; ++k) {
                    const size_t left = 2 * x + k, right = left + c;
                    *out++ = uint8_t((top[left] + top[right] + bottom[left] + bottom[right] + 2) / 4);
                }
        }
    } else {
        // One row or one column: pairs of neighbours along it.
        const size_t step = above.width > 1 ? c : rowAbove;
        const size_t count = size_t(level.width) * size_t(level.height);
        for (size_t i = 0; i < count; ++i)
            for (size_t k = 0; k < c; ++k) {
                const uint8_t* pair = in + 2 * i * step + k;
                *out++ = uint8_t((pair[0] + pair[step]) / 2);
            }
    }
    return level;
}

}  // namespace

bool wantsMipmaps(const RgbaImage& picture) {
    return picture.width >= 512 && picture.height >= 512 && picture.channels == 3;
}

std::vector<RgbaImage> smallerLevels(const RgbaImage& picture) {
    std::vector<RgbaImage> levels;
    if (!powerOfTwo(picture.width) || !powerOfTwo(picture.height)) return levels;
    if (picture.pixels.size() != size_t(picture.width) * size_t(picture.height) * size_t(picture.channels))
        return levels;
    for (const RgbaImage* above = &picture; above->width > 1 || above->height > 1; above = &levels.back())
        levels.push_back(halved(*above));
    return levels;
}
