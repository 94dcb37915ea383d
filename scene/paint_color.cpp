#include "scene/paint_color.h"

namespace {

// Corners of the red-yellow-blue cube, indexed [red][yellow][blue], each an RGB
// triple. They are the colours a child expects from the three paints and their
// pairwise and full mixtures.
const double kCorner[2][2][2][3] = {
    {
        {{1.0, 1.0, 1.0}, {0.163, 0.373, 0.6}},  // white, blue
        {{1.0, 1.0, 0.0}, {0.0, 0.66, 0.2}},     // yellow, green
    },
    {
        {{1.0, 0.0, 0.0}, {0.5, 0.0, 0.5}},      // red, purple
        {{1.0, 0.5, 0.0}, {0.2, 0.094, 0.0}},    // orange, black
    },
};

// Cubic smoothstep: p at t = 0, q at t = 1, flat at both ends, so a little paint
// changes a colour only a little.
double blend(double t, double p, double q) { return p + (q - p) * t * t * (3.0 - 2.0 * t); }

}  // namespace

// Constant-initialised, so colours built during static construction in other
// files can copy it safely.
const PaintColor white = {1.0, 1.0, 1.0, 0.0, 0.0, 0.0};

void rybToRgb(double red, double yellow, double blue, double rgb[3]) {
    for (int ch = 0; ch < 3; ++ch) {
        const double e00 = blend(blue, kCorner[0][0][0][ch], kCorner[0][0][1][ch]);
        const double e01 = blend(blue, kCorner[0][1][0][ch], kCorner[0][1][1][ch]);
        const double e10 = blend(blue, kCorner[1][0][0][ch], kCorner[1][0][1][ch]);
        const double e11 = blend(blue, kCorner[1][1][0][ch], kCorner[1][1][1][ch]);
        const double f0 = blend(yellow, e00, e01);
        const double f1 = blend(yellow, e10, e11);
        rgb[ch] = blend(red, f0, f1);
    }
}

void setPaint(PaintColor& color, double red, double yellow, double blue) {
    color.red = red;
    color.yellow = yellow;
    color.blue = blue;
    double rgb[3];
    rybToRgb(red, yellow, blue, rgb);
    color.r = rgb[0];
    color.g = rgb[1];
    color.b = rgb[2];
}

PaintColor makePaint(double red, double yellow, double blue) {
    PaintColor color;
    setPaint(color, red, yellow, blue);
    return color;
}

void clearPaint(PaintColor& color) { setPaint(color, 0.0, 0.0, 0.0); }

void mixPaint(PaintColor& color, const PaintColor& other, double w) {
    setPaint(color, (other.red * w + (2.0 - w) * color.red) / 2.0,
             (other.yellow * w + (2.0 - w) * color.yellow) / 2.0,
             (other.blue * w + (2.0 - w) * color.blue) / 2.0);
}

bool sameRyb(const PaintColor& x, const PaintColor& y) {
    return x.red == y.red && x.yellow == y.yellow && x.blue == y.blue;
}
