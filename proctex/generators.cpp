// The two generators: Plasma, thin bands of travelling sine waves over a grid,
// and Fire, a cellular heat field flowing upwards through a fixed palette.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "proctex/procedural_texture.h"

void fillRamp(FireState& fire, int start, int end, const uint8_t from[4], const uint8_t to[4]) {
    for (int i = start; i < end; i++) {
        double x = double(i - start) / double(end - start);
        for (int ch = 0; ch < 4; ch++) fire.palette[i][ch] = uint8_t(int(from[ch] + (to[ch] - from[ch]) * x));
    }
}

bool initFireState(FireState& fire, int32_t width, int32_t height) {
    fire.width = width;
    fire.rows = height + 3;
    size_t cells = size_t(width) * size_t(fire.rows);
    fire.heat = static_cast<uint8_t*>(std::calloc(cells, 1));
    fire.scratch = static_cast<uint8_t*>(std::calloc(cells, 1));
    if (!fire.heat || !fire.scratch) return false;
    std::memset(fire.palette, 0, sizeof fire.palette);
    static const uint8_t stops[6][4] = {{0, 0, 0, 100},      {255, 51, 36, 255},   {255, 189, 51, 255},
                                        {255, 237, 51, 255}, {100, 100, 189, 255}, {255, 231, 51, 255}};
    static const int bounds[6] = {0, 64, 96, 128, 196, 255};
    // Entry 255 stays unwritten: heat never exceeds 254.
    for (int r = 0; r < 5; r++) fillRamp(fire, bounds[r], bounds[r + 1], stops[r], stops[r + 1]);
    return true;
}

void generateFire(int32_t, int32_t w, int32_t h, uint8_t* pixels, void* state) {
    FireState& fire = *static_cast<FireState*>(state);
    uint8_t* heat = fire.heat;
    // Seeds in the three hidden rows below the picture. The calls to rand() are
    // sequenced one per statement so the field is the same on every compiler.
    int n = std::rand() & (w - 1);
    for (int k = 0; k < n; k++) {
        int x = std::rand() % w;
        int y = h + std::rand() % 3;
        heat[y * w + x] = uint8_t(std::rand() % 256);
    }
    // One spark in the lower half of the visible rows.
    int half = h / 2;
    int x = std::rand() % w;
    int y = half + std::rand() % half;
    heat[y * w + x] = uint8_t(std::rand() % 256);

    uint8_t* scratch = fire.scratch;
    for (int r = 0; r < h; r++) {
        int row = r * w;
        scratch[row] = 0;
        scratch[row + w - 1] = 0;
        for (int c = 1; c < w - 1; c++) {
            int k = row + c;
            int s = heat[k - 1] + heat[k + 1] + heat[k - 1 + w] + heat[k + w] + heat[k + 1 + w] + heat[k - 1 + 2 * w] +
                    heat[k + 2 * w] + heat[k + 1 + 2 * w];
            int v = s / 8;
            if (v != 0) v--;
            scratch[k] = uint8_t(v);
        }
    }
    int cells = w * h;
    for (int j = 0; j < cells; j++) std::memcpy(pixels + 4 * j, fire.palette[scratch[j]], 4);
    fire.heat = scratch;
    fire.scratch = heat;
}

void generatePlasma(int32_t time, int32_t w, int32_t h, uint8_t* pixels, void* state) {
    const uint8_t* rgb = static_cast<const uint8_t*>(state);
    double cx = 6.28 / w, cy = 6.28 / h;
    double t = time;
    // The column waves are the same on every row; they are computed once per call
    // into a buffer that is kept between calls (main thread only).
    static std::vector<double> columnSums;
    columnSums.resize(size_t(w));
    for (int j = 0; j < w; j++) {
        columnSums[size_t(j)] =
            std::sin(j * cx - 0.00012 * t) + std::sin(2 * cx * j - 0.00024 * t) + std::sin(4 * cx * j - 0.0048 * t);
    }
    for (int i = 0; i < h; i++) {
        double r1 = std::sin(i * cy - 0.00012 * t);
        double r2 = std::sin(2 * cy * i - 0.00024 * t);
        double r3 = std::sin(4 * cy * i - 0.0048 * t);
        for (int j = 0; j < w; j++) {
            // Summed term by term in a fixed order, so the rounding is reproducible.
            double s = columnSums[size_t(j)];
            s += r1;
            s += r2;
            s += r3;
            int16_t v = int16_t(s * 21 + 128);
            int b = int8_t(uint8_t(v & 0xFF));
            uint8_t* p = pixels + 4 * (i * w + j);
            p[0] = uint8_t(rgb[0] + (b - 120));
            p[1] = uint8_t(rgb[1] + (b - 120));
            p[2] = uint8_t(rgb[2] + (b - 120));
            p[3] = (b > 120 && b != 127) ? 255 : 0;
            if (j == w - 1 || j % 16 == 0 || i % 16 == 0 || i == h - 1) {
                p[1] = 127;
                p[3] = 255;
            }
        }
    }
}
