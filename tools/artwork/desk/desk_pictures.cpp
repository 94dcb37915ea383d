// Shared picture helpers: plain colours and deterministic, tileable noise.
#include <cairo.h>

#include <cmath>
#include <cstring>

#include "tools/artwork/desk/desk_art.h"

namespace desk {

std::vector<uint8_t> solidPicture(Rgb colour, double alpha) {
    artkit::Picture* p = artkit::newPicture(8, 8);
    cairo_t* cr = cairoOf(p);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, alpha);
    cairo_paint(cr);
    return artkit::finishPicture(p);
}

double Random::next() {
    // xorshift64*: the same seed gives the same artwork on every machine.
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    uint64_t r = state * 2685821657736338717ULL;
    return double(r >> 11) * (1.0 / 9007199254740992.0);
}

static double latticeValue(int x, int y, uint32_t seed) {
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return double(h & 0xffffff) / double(0xffffff);
}

double periodicNoise(double x, double y, int periodX, int periodY, uint32_t seed) {
    double fx = std::floor(x), fy = std::floor(y);
    int ix = int(fx), iy = int(fy);
    double tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    auto wx = [periodX](int v) { return ((v % periodX) + periodX) % periodX; };
    auto wy = [periodY](int v) { return ((v % periodY) + periodY) % periodY; };
    double v00 = latticeValue(wx(ix), wy(iy), seed), v10 = latticeValue(wx(ix + 1), wy(iy), seed);
    double v01 = latticeValue(wx(ix), wy(iy + 1), seed), v11 = latticeValue(wx(ix + 1), wy(iy + 1), seed);
    double a = v00 + (v10 - v00) * tx, b = v01 + (v11 - v01) * tx;
    return a + (b - a) * ty;
}

double periodicFbm(double x, double y, int periodX, int periodY, uint32_t seed, int octaves) {
    double sum = 0, weight = 0.5, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * periodicNoise(x, y, periodX, periodY, seed + uint32_t(o) * 101u);
        total += weight;
        x *= 2;
        y *= 2;
        periodX *= 2;
        periodY *= 2;
        weight *= 0.5;
    }
    return sum / total;
}

cairo_t* cairoOf(artkit::Picture* picture) { return static_cast<cairo_t*>(artkit::pictureCairo(picture)); }

void paintPixels(artkit::Picture* picture, int width, int height, const std::function<Rgba(int, int)>& pixel) {
    cairo_surface_t* surface = cairo_get_target(cairoOf(picture));
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    auto channel = [](double v) {
        v = v < 0 ? 0 : (v > 1 ? 1 : v);
        return uint32_t(std::lround(v * 255.0));
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Rgba c = pixel(x, y);
            double a = c.a < 0 ? 0 : (c.a > 1 ? 1 : c.a);
            // cairo stores premultiplied colour.
            uint32_t word = channel(a) << 24 | channel(c.r * a) << 16 | channel(c.g * a) << 8 | channel(c.b * a);
            std::memcpy(data + size_t(y) * size_t(stride) + size_t(x) * 4, &word, 4);
        }
    }
    cairo_surface_mark_dirty(surface);
}

}  // namespace desk
