// Paint colours: red, yellow and blue paint amounts, with the RGB colour that
// OpenGL draws with derived from them through a red-yellow-blue colour cube.
#pragma once

struct PaintColor {
    // Derived RGB, 0..1 for amounts within 0..1. Zero-initialised values are not
    // white: always start from `white` or call clearPaint.
    double r = 1.0, g = 1.0, b = 1.0;
    // Paint amounts.
    double red = 0.0, yellow = 0.0, blue = 0.0;
};

// No paint at all: amounts (0, 0, 0), RGB (1, 1, 1).
extern const PaintColor white;

// Stores the three amounts and recomputes the RGB part.
void setPaint(PaintColor& color, double red, double yellow, double blue);
PaintColor makePaint(double red, double yellow, double blue);
// Back to white.
void clearPaint(PaintColor& color);
// Each amount becomes (other * w + (2 - w) * own) / 2; w = 1 averages, w = 2 takes other.
void mixPaint(PaintColor& color, const PaintColor& other, double w);
// Equality of the three paint amounts, exactly; the RGB parts are not compared.
bool sameRyb(const PaintColor& x, const PaintColor& y);
// The cube interpolation itself: RGB for the given amounts.
void rybToRgb(double red, double yellow, double blue, double rgb[3]);
