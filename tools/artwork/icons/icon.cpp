// Drawn on a 256-unit square and scaled, so every size and the scalable icon
// are one drawing. The line art is black and the paints are the jars' colours,
// as on the pages; the outlines are heavy enough to stay visible at 48 pixels.
#include "tools/artwork/icons/icon.h"

#include <cmath>

namespace icons {

namespace {

const double kPi = 3.14159265358979323846;

struct Colour {
    double r, g, b;
};

// Paints of the desk's jars, and the book's paper and ink.
const Colour kRed{0.89, 0.16, 0.14}, kYellow{1.0, 0.83, 0.10}, kBlue{0.18, 0.42, 0.86}, kMagenta{0.86, 0.24, 0.62},
    kGreen{0.22, 0.64, 0.25}, kPaper{0.99, 0.96, 0.88}, kWhite{1, 1, 1}, kInk{0.05, 0.05, 0.05};
const Colour kWood{0.93, 0.72, 0.45}, kLacquer{0.80, 0.13, 0.12}, kMetal{0.78, 0.79, 0.82};

void fill(cairo_t* cr, Colour c) {
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
    cairo_fill_preserve(cr);
}

// Fill, then the black outline the pages give every shape.
void fillAndInk(cairo_t* cr, Colour c, double width) {
    fill(cr, c);
    cairo_set_source_rgb(cr, kInk.r, kInk.g, kInk.b);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

// A sheet of the book's paper with a soft shadow below it.
void drawSheet(cairo_t* cr) {
    for (int i = 6; i >= 1; --i) {
        roundedRect(cr, 14, 18 + i, 228, 228, 30);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.035);
        cairo_fill(cr);
    }
    roundedRect(cr, 14, 14, 228, 228, 30);
    fillAndInk(cr, kPaper, 5);
}

// One petal: a drop shape from the centre outwards along the angle.
void petalPath(cairo_t* cr, double cx, double cy, double angle, double length, double width) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, 10, 0);
    cairo_curve_to(cr, 22, -width, length - 8, -width, length, 0);
    cairo_curve_to(cr, length - 8, width, 22, width, 10, 0);
    cairo_close_path(cr);
    cairo_restore(cr);
}

// The stem and a leaf, then six petals: five in the jars' paints, one still
// white, as a page looks while the child is at work; then the yellow heart.
void drawFlower(cairo_t* cr) {
    cairo_move_to(cr, 104, 118);
    cairo_curve_to(cr, 100, 160, 112, 196, 108, 226);
    cairo_set_source_rgb(cr, kInk.r, kInk.g, kInk.b);
    cairo_set_line_width(cr, 15);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke_preserve(cr);
    cairo_set_source_rgb(cr, kGreen.r, kGreen.g, kGreen.b);
    cairo_set_line_width(cr, 7);
    cairo_stroke(cr);

    cairo_move_to(cr, 106, 190);
    cairo_curve_to(cr, 80, 170, 52, 176, 40, 196);
    cairo_curve_to(cr, 62, 212, 92, 210, 106, 190);
    cairo_close_path(cr);
    fillAndInk(cr, kGreen, 5);
    cairo_new_path(cr);

    const Colour petals[6] = {kRed, kMagenta, kWhite, kBlue, kYellow, kRed};
    const double cx = 104, cy = 100;
    for (int i = 0; i < 6; ++i) {
        petalPath(cr, cx, cy, -kPi / 2 + i * kPi / 3, 78, 30);
        fillAndInk(cr, petals[i], 5);
        cairo_new_path(cr);
    }
    cairo_arc(cr, cx, cy, 22, 0, 2 * kPi);
    fillAndInk(cr, Colour{1.0, 0.62, 0.08}, 5);
    cairo_new_path(cr);
}

// The brush leans in from the lower right, its tip wet with red paint, over
// a splash of the same paint.
void drawBrush(cairo_t* cr) {
    cairo_save(cr);
    cairo_translate(cr, 150, 160);
    cairo_rotate(cr, -kPi / 4);
    // Along +x: the tip at 0, the ferrule from 28 to 58, the handle to 124,
    // which ends inside the square.
    roundedRect(cr, 84, -11, 40, 22, 11);
    fillAndInk(cr, kLacquer, 5);
    cairo_new_path(cr);
    cairo_move_to(cr, 56, -10);
    cairo_line_to(cr, 92, -12);
    cairo_line_to(cr, 92, 12);
    cairo_line_to(cr, 56, 10);
    cairo_close_path(cr);
    fillAndInk(cr, kWood, 5);
    cairo_new_path(cr);
    roundedRect(cr, 28, -12, 30, 24, 3);
    fillAndInk(cr, kMetal, 5);
    cairo_new_path(cr);
    cairo_move_to(cr, 30, -11);
    cairo_curve_to(cr, 14, -14, 2, -6, -6, 0);
    cairo_curve_to(cr, 2, 6, 14, 14, 30, 11);
    cairo_close_path(cr);
    fillAndInk(cr, kRed, 5);
    cairo_new_path(cr);
    cairo_restore(cr);
}

// A paint drop, its point up, centred on (x, y), r across.
void drawDrop(cairo_t* cr, double x, double y, double r, Colour c) {
    cairo_move_to(cr, x, y - 1.9 * r);
    cairo_curve_to(cr, x + 0.4 * r, y - 1.1 * r, x + r, y - 0.5 * r, x + r, y + 0.1 * r);
    cairo_arc(cr, x, y + 0.1 * r, r, 0, kPi);
    cairo_curve_to(cr, x - r, y - 0.5 * r, x - 0.4 * r, y - 1.1 * r, x, y - 1.9 * r);
    cairo_close_path(cr);
    fillAndInk(cr, c, 2.5);
    cairo_new_path(cr);
}

}  // namespace

void drawInstallerPanel(cairo_t* cr, double width, double height) {
    cairo_save(cr);
    cairo_scale(cr, width / 164.0, height / 314.0);
    // The paper, a little warmer towards the bottom, edge to edge: NSIS puts
    // the page's white beside it.
    cairo_pattern_t* paper = cairo_pattern_create_linear(0, 0, 0, 314);
    cairo_pattern_add_color_stop_rgb(paper, 0, kPaper.r, kPaper.g, kPaper.b);
    cairo_pattern_add_color_stop_rgb(paper, 1, 0.98, 0.90, 0.76);
    cairo_rectangle(cr, 0, 0, 164, 314);
    cairo_set_source(cr, paper);
    cairo_fill(cr);
    cairo_pattern_destroy(paper);
    // The flower and the brush of the icon, on 256 units scaled to fit the width.
    cairo_save(cr);
    cairo_translate(cr, -13, 40);
    cairo_scale(cr, 0.70, 0.70);
    drawFlower(cr);
    drawBrush(cr);
    cairo_restore(cr);
    // Two rows of drops in the jars' paints.
    const Colour drops[8] = {kRed, Colour{1.0, 0.62, 0.08}, kYellow, kGreen,
                             kBlue, kMagenta, Colour{0.55, 0.30, 0.72}, Colour{0.55, 0.34, 0.18}};
    for (int i = 0; i < 8; ++i) drawDrop(cr, 26 + (i % 4) * 37 + (i / 4) * 10, 244 + (i / 4) * 38, 10, drops[i]);
    cairo_restore(cr);
}

void drawIcon(cairo_t* cr, double size) {
    cairo_save(cr);
    cairo_scale(cr, size / 256.0, size / 256.0);
    drawSheet(cr);
    cairo_new_path(cr);
    drawFlower(cr);
    drawBrush(cr);
    cairo_restore(cr);
}

}  // namespace icons
