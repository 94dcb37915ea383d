// The shapes the screens are made of: cards, ribbons, glossy pills and discs,
// in the desk buttons' style (lit from the top left, a gloss over the top half).
#include <cmath>

#include "tools/artwork/screens/screens_art.h"

namespace screenart {

namespace {
const double kPi = 3.14159265358979323846;
}

Rgb mixed(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
Rgb lighter(Rgb c, double t) { return mixed(c, {1, 1, 1}, t); }
Rgb darker(Rgb c, double t) { return mixed(c, {0, 0, 0}, t); }
void setSource(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double radius) {
    double r = std::fmin(radius, std::fmin(w, h) / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 1.5 * kPi);
    cairo_close_path(cr);
}

void softShadow(cairo_t* cr, double x, double y, double w, double h, double radius, double spread, double alpha) {
    // Layers from wide and faint to tight; their sum fades smoothly outwards.
    const int layers = 12;
    for (int i = layers; i >= 1; --i) {
        double grow = spread * double(i) / layers;
        roundedRect(cr, x - grow, y - grow, w + 2 * grow, h + 2 * grow, radius + grow);
        cairo_set_source_rgba(cr, 0.2, 0.12, 0.05, alpha / layers);
        cairo_fill(cr);
    }
}

void drawCard(cairo_t* cr, double x, double y, double w, double h) {
    const double radius = 0.5, frame = 0.12;
    softShadow(cr, x + 0.04, y + 0.1, w, h, radius, 0.16, 0.55);
    // The frame, a warm orange like the page-turning buttons, lighter at the top.
    cairo_pattern_t* rim = cairo_pattern_create_linear(0, y, 0, y + h);
    Rgb top = lighter(colours::border, 0.25), bottom = darker(colours::border, 0.08);
    cairo_pattern_add_color_stop_rgb(rim, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(rim, 1, bottom.r, bottom.g, bottom.b);
    roundedRect(cr, x, y, w, h, radius);
    cairo_set_source(cr, rim);
    cairo_fill(cr);
    cairo_pattern_destroy(rim);
    // The paper: cream, a touch warmer towards the bottom.
    cairo_pattern_t* paper = cairo_pattern_create_linear(0, y, 0, y + h);
    Rgb warm = mixed(colours::cream, {0.99, 0.92, 0.8}, 0.7);
    cairo_pattern_add_color_stop_rgb(paper, 0, 1, 0.99, 0.96);
    cairo_pattern_add_color_stop_rgb(paper, 1, warm.r, warm.g, warm.b);
    roundedRect(cr, x + frame, y + frame, w - 2 * frame, h - 2 * frame, radius - frame);
    cairo_set_source(cr, paper);
    cairo_fill(cr);
    cairo_pattern_destroy(paper);
    // Stitches just inside the paper's edge, as on a cloth-bound book.
    const double inset = frame + 0.12;
    roundedRect(cr, x + inset, y + inset, w - 2 * inset, h - 2 * inset, radius - inset + 0.05);
    const double dashes[2] = {0.14, 0.1};
    cairo_set_dash(cr, dashes, 2, 0);
    cairo_set_line_width(cr, 0.035);
    setSource(cr, colours::border, 0.55);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
}

void drawRibbon(cairo_t* cr, double cx, double cy, double w, double h, Rgb colour) {
    // A band with notched tails folded behind it.
    const double tail = h * 0.55, notch = h * 0.3;
    Rgb back = darker(colour, 0.2);
    for (int side = -1; side <= 1; side += 2) {
        double inner = cx + side * (w / 2 - tail * 0.4), outer = cx + side * (w / 2 + tail);
        cairo_move_to(cr, inner, cy - h / 2 + h * 0.22);
        cairo_line_to(cr, outer, cy - h / 2 + h * 0.22);
        cairo_line_to(cr, outer - side * notch, cy + h * 0.11);
        cairo_line_to(cr, outer, cy + h / 2 + h * 0.22);
        cairo_line_to(cr, inner, cy + h / 2 + h * 0.22);
        cairo_close_path(cr);
        setSource(cr, back);
        cairo_fill(cr);
    }
    roundedRect(cr, cx - w / 2, cy - h / 2, w, h, h * 0.18);
    cairo_pattern_t* face = cairo_pattern_create_linear(0, cy - h / 2, 0, cy + h / 2);
    Rgb top = lighter(colour, 0.18);
    cairo_pattern_add_color_stop_rgb(face, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(face, 1, colour.r, colour.g, colour.b);
    cairo_set_source(cr, face);
    cairo_fill(cr);
    cairo_pattern_destroy(face);
}

void drawPill(cairo_t* cr, double cx, double cy, double w, double h, Rgb colour) {
    const double x = cx - w / 2, y = cy - h / 2, r = h / 2;
    softShadow(cr, x + 0.02, y + 0.05, w, h, r, 0.05, 0.45);
    Rgb rim = darker(colour, 0.22);
    roundedRect(cr, x, y, w, h, r);
    setSource(cr, rim);
    cairo_fill(cr);
    const double lip = h * 0.07;
    cairo_pattern_t* face = cairo_pattern_create_linear(0, y, 0, y + h);
    Rgb top = lighter(colour, 0.2), bottom = darker(colour, 0.06);
    cairo_pattern_add_color_stop_rgb(face, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(face, 0.55, colour.r, colour.g, colour.b);
    cairo_pattern_add_color_stop_rgb(face, 1, bottom.r, bottom.g, bottom.b);
    roundedRect(cr, x + lip, y + lip, w - 2 * lip, h - 2 * lip, r - lip);
    cairo_set_source(cr, face);
    cairo_fill(cr);
    cairo_pattern_destroy(face);
    // The gloss over the upper half.
    cairo_pattern_t* gloss = cairo_pattern_create_linear(0, y + lip, 0, cy);
    cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, 0.42);
    cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, 0.04);
    roundedRect(cr, x + 2.2 * lip, y + 1.5 * lip, w - 4.4 * lip, h * 0.42, h * 0.2);
    cairo_set_source(cr, gloss);
    cairo_fill(cr);
    cairo_pattern_destroy(gloss);
}

void drawGlossyDisc(cairo_t* cr, double cx, double cy, double radius, Rgb colour) {
    Rgb rim = darker(colour, 0.22);
    cairo_arc(cr, cx + 0.015, cy + 0.04, radius + 0.03, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0.2, 0.12, 0.05, 0.25);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, radius, 0, 2 * kPi);
    setSource(cr, rim);
    cairo_fill(cr);
    const double face = radius * 0.88;
    cairo_pattern_t* shade =
        cairo_pattern_create_radial(cx - 0.12 * radius, cy - 0.18 * radius, 0.03 * radius, cx, cy, face);
    Rgb hi = lighter(colour, 0.22);
    cairo_pattern_add_color_stop_rgb(shade, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(shade, 0.8, colour.r, colour.g, colour.b);
    Rgb edge = darker(colour, 0.1);
    cairo_pattern_add_color_stop_rgb(shade, 1, edge.r, edge.g, edge.b);
    cairo_arc(cr, cx, cy, face, 0, 2 * kPi);
    cairo_set_source(cr, shade);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
    cairo_arc(cr, cx, cy, face - 0.012 * radius * 2, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
    cairo_set_line_width(cr, 0.025 * radius * 2);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, cx, cy - 0.42 * radius);
    cairo_scale(cr, 0.62 * radius, 0.3 * radius);
    cairo_pattern_t* gloss = cairo_pattern_create_linear(0, -1, 0, 1);
    cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, 0.45);
    cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, 0.0);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_set_source(cr, gloss);
    cairo_fill(cr);
    cairo_pattern_destroy(gloss);
    cairo_restore(cr);
}

}  // namespace screenart
