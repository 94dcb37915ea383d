// Plain symbols for buttons and labels, drawn in the current source so that
// the same shape serves as a shadow and as the white sign on top of it.
#include <cmath>

#include "tools/artwork/screens/screens_art.h"

namespace screenart {

namespace {
const double kPi = 3.14159265358979323846;
}

void drawTick(cairo_t* cr, double cx, double cy, double size) {
    double s = size / 2;
    cairo_set_line_width(cr, size * 0.2);
    cairo_move_to(cr, cx - 0.8 * s, cy + 0.05 * s);
    cairo_line_to(cr, cx - 0.25 * s, cy + 0.6 * s);
    cairo_line_to(cr, cx + 0.85 * s, cy - 0.65 * s);
    cairo_stroke(cr);
}

void drawCross(cairo_t* cr, double cx, double cy, double size) {
    double s = size * 0.34;
    cairo_set_line_width(cr, size * 0.2);
    cairo_move_to(cr, cx - s, cy - s);
    cairo_line_to(cr, cx + s, cy + s);
    cairo_move_to(cr, cx - s, cy + s);
    cairo_line_to(cr, cx + s, cy - s);
    cairo_stroke(cr);
}

void drawInfo(cairo_t* cr, double cx, double cy, double size) {
    double s = size / 2;
    cairo_arc(cr, cx, cy - 0.66 * s, 0.17 * s, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_set_line_width(cr, 0.3 * s);
    cairo_move_to(cr, cx - 0.22 * s, cy - 0.18 * s);
    cairo_line_to(cr, cx + 0.02 * s, cy - 0.18 * s);
    cairo_line_to(cr, cx + 0.02 * s, cy + 0.78 * s);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 0.2 * s);
    cairo_move_to(cr, cx - 0.3 * s, cy + 0.8 * s);
    cairo_line_to(cr, cx + 0.34 * s, cy + 0.8 * s);
    cairo_stroke(cr);
}

void drawEraser(cairo_t* cr, double cx, double cy, double size) {
    double s = size / 2;
    cairo_save(cr);
    cairo_translate(cr, cx + 0.05 * s, cy - 0.18 * s);
    cairo_rotate(cr, -30 * kPi / 180);
    roundedRect(cr, -0.78 * s, -0.36 * s, 1.56 * s, 0.72 * s, 0.16 * s);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_set_line_width(cr, 0.14 * s);
    cairo_move_to(cr, cx - 0.9 * s, cy + 0.78 * s);
    cairo_curve_to(cr, cx - 0.5 * s, cy + 0.5 * s, cx - 0.2 * s, cy + 1.0 * s, cx + 0.2 * s, cy + 0.75 * s);
    cairo_curve_to(cr, cx + 0.45 * s, cy + 0.6 * s, cx + 0.7 * s, cy + 0.8 * s, cx + 0.9 * s, cy + 0.7 * s);
    cairo_stroke(cr);
}

void drawFamily(cairo_t* cr, double cx, double cy, double size) {
    double s = size / 2;
    // A grown-up and a child, holding hands.
    auto person = [&](double x, double headY, double headR, double bodyW, double bodyTop) {
        cairo_arc(cr, x, headY, headR, 0, 2 * kPi);
        cairo_fill(cr);
        cairo_move_to(cr, x - bodyW / 2, cy + s);
        cairo_line_to(cr, x - bodyW / 2, bodyTop + bodyW / 2);
        cairo_arc(cr, x, bodyTop + bodyW / 2, bodyW / 2, kPi, 2 * kPi);
        cairo_line_to(cr, x + bodyW / 2, cy + s);
        cairo_close_path(cr);
        cairo_fill(cr);
    };
    person(cx - 0.38 * s, cy - 0.62 * s, 0.3 * s, 0.62 * s, cy - 0.22 * s);
    person(cx + 0.52 * s, cy + 0.04 * s, 0.24 * s, 0.46 * s, cy + 0.34 * s);
    cairo_set_line_width(cr, 0.1 * s);
    cairo_move_to(cr, cx - 0.05 * s, cy + 0.3 * s);
    cairo_line_to(cr, cx + 0.28 * s, cy + 0.58 * s);
    cairo_stroke(cr);
}

void drawSpeaker(cairo_t* cr, double cx, double cy, double size) {
    double s = size / 2;
    cairo_move_to(cr, cx - 0.95 * s, cy - 0.3 * s);
    cairo_line_to(cr, cx - 0.55 * s, cy - 0.3 * s);
    cairo_line_to(cr, cx - 0.05 * s, cy - 0.8 * s);
    cairo_line_to(cr, cx - 0.05 * s, cy + 0.8 * s);
    cairo_line_to(cr, cx - 0.55 * s, cy + 0.3 * s);
    cairo_line_to(cr, cx - 0.95 * s, cy + 0.3 * s);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_set_line_width(cr, 0.14 * s);
    for (int i = 1; i <= 2; ++i) {
        double r = 0.32 * s * i;
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx + 0.12 * s, cy, r, -0.3 * kPi, 0.3 * kPi);
        cairo_stroke(cr);
    }
}

void drawNote(cairo_t* cr, double cx, double cy, double size) {
    double s = size / 2;
    // Two quavers joined by a beam.
    for (double x : {-0.55, 0.45}) {
        cairo_save(cr);
        cairo_translate(cr, cx + (x - 0.18) * s, cy + (x < 0 ? 0.62 : 0.48) * s);
        cairo_rotate(cr, -20 * kPi / 180);
        cairo_scale(cr, 0.3 * s, 0.22 * s);
        cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
        cairo_restore(cr);
        cairo_fill(cr);
    }
    cairo_set_line_width(cr, 0.12 * s);
    cairo_move_to(cr, cx - 0.45 * s, cy + 0.6 * s);
    cairo_line_to(cr, cx - 0.45 * s, cy - 0.6 * s);
    cairo_move_to(cr, cx + 0.55 * s, cy + 0.46 * s);
    cairo_line_to(cr, cx + 0.55 * s, cy - 0.76 * s);
    cairo_stroke(cr);
    cairo_move_to(cr, cx - 0.51 * s, cy - 0.5 * s);
    cairo_line_to(cr, cx + 0.61 * s, cy - 0.86 * s);
    cairo_line_to(cr, cx + 0.61 * s, cy - 0.6 * s);
    cairo_line_to(cr, cx - 0.51 * s, cy - 0.24 * s);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void drawWhiteSymbol(cairo_t* cr, void (*symbol)(cairo_t*, double, double, double), double cx, double cy,
                     double size) {
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    const double offsets[2][2] = {{0.018, 0.036}, {0.03, 0.052}};
    const double alphas[2] = {0.22, 0.12};
    for (int pass = 0; pass < 2; ++pass) {
        cairo_set_source_rgba(cr, 0.1, 0.05, 0.0, alphas[pass]);
        symbol(cr, cx + offsets[pass][0] * size, cy + offsets[pass][1] * size, size);
    }
    cairo_set_source_rgb(cr, 1, 1, 1);
    symbol(cr, cx, cy, size);
    cairo_restore(cr);
}

}  // namespace screenart
