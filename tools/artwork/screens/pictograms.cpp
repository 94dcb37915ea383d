// Small coloured pictures of the desk's things, drawn as a child sees them on
// the desk: the paint jar, the brush, the open book, the palette, the glass of
// water, the round arrow buttons; and flowers, a moon and sparkles to go with
// the words.
#include <cmath>

#include "tools/artwork/screens/screens_art.h"

namespace screenart {

namespace {

const double kPi = 3.14159265358979323846;
const Rgb kOutline{0.3, 0.22, 0.18};

void outline(cairo_t* cr, double width) {
    setSource(cr, kOutline, 0.85);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
}

// A horizontal gradient that makes a flat shape look round, like a cylinder.
cairo_pattern_t* roundShade(double x0, double x1, Rgb colour) {
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, 0, x1, 0);
    Rgb edge = darker(colour, 0.25), light = lighter(colour, 0.35);
    cairo_pattern_add_color_stop_rgb(p, 0, edge.r, edge.g, edge.b);
    cairo_pattern_add_color_stop_rgb(p, 0.3, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(p, 0.55, colour.r, colour.g, colour.b);
    cairo_pattern_add_color_stop_rgb(p, 1, edge.r, edge.g, edge.b);
    return p;
}

void fillWith(cairo_t* cr, cairo_pattern_t* pattern) {
    cairo_set_source(cr, pattern);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(pattern);
}

}  // namespace

void drawFlower(cairo_t* cr, double cx, double cy, double size, Rgb petals, int petalCount) {
    const double r = size / 2, petalLength = r * 0.62, petalWidth = r * 0.3 * 6.0 / petalCount + r * 0.08;
    for (int i = 0; i < petalCount; ++i) {
        double a = 2 * kPi * i / petalCount - kPi / 2;
        cairo_save(cr);
        cairo_translate(cr, cx + std::cos(a) * r * 0.55, cy + std::sin(a) * r * 0.55);
        cairo_rotate(cr, a);
        ellipse(cr, 0, 0, petalLength * 0.72, petalWidth);
        cairo_restore(cr);
        cairo_pattern_t* shade = cairo_pattern_create_radial(cx, cy, r * 0.2, cx, cy, r);
        Rgb inner = lighter(petals, 0.45);
        cairo_pattern_add_color_stop_rgb(shade, 0, inner.r, inner.g, inner.b);
        cairo_pattern_add_color_stop_rgb(shade, 1, petals.r, petals.g, petals.b);
        fillWith(cr, shade);
        outline(cr, size * 0.025);
    }
    cairo_arc(cr, cx, cy, r * 0.3, 0, 2 * kPi);
    cairo_pattern_t* heart = cairo_pattern_create_radial(cx - r * 0.08, cy - r * 0.1, r * 0.02, cx, cy, r * 0.3);
    cairo_pattern_add_color_stop_rgb(heart, 0, 1.0, 0.9, 0.45);
    cairo_pattern_add_color_stop_rgb(heart, 1, 0.96, 0.62, 0.12);
    fillWith(cr, heart);
    outline(cr, size * 0.025);
}

void drawJar(cairo_t* cr, double cx, double cy, double size, Rgb paint) {
    // A squat jar seen a little from above: glass body full of paint, a lid of
    // the same colour lying open behind it.
    const double w = size * 0.78, h = size * 0.6, ry = w * 0.17;
    const double top = cy - h / 2 + ry * 0.3, bottom = cy + h / 2 - ry;
    // The body.
    cairo_move_to(cr, cx - w / 2, top);
    cairo_line_to(cr, cx - w / 2, bottom);
    cairo_save(cr);
    cairo_translate(cr, cx, bottom);
    cairo_scale(cr, w / 2, ry);
    cairo_arc_negative(cr, 0, 0, 1, kPi, 0);
    cairo_restore(cr);
    cairo_line_to(cr, cx + w / 2, top);
    cairo_close_path(cr);
    fillWith(cr, roundShade(cx - w / 2, cx + w / 2, paint));
    outline(cr, size * 0.025);
    // The paint's surface, at the brim.
    ellipse(cr, cx, top, w / 2, ry);
    setSource(cr, lighter(paint, 0.12));
    cairo_fill_preserve(cr);
    outline(cr, size * 0.025);
    ellipse(cr, cx - w * 0.12, top - ry * 0.15, w * 0.16, ry * 0.35);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.45);
    cairo_fill(cr);
    // A glint on the glass.
    cairo_rectangle(cr, cx - w * 0.33, top + ry * 0.9, w * 0.08, (bottom - top) * 0.7);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
    cairo_fill(cr);
}

void drawBrush(cairo_t* cr, double cx, double cy, double size, double degrees, const Rgb* tip) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, degrees * kPi / 180);
    const double L = size / 2, w = size * 0.085;
    // The handle, from the top down to the ferrule.
    cairo_move_to(cr, -w * 0.55, -L);
    cairo_curve_to(cr, -w * 0.7, -L * 0.4, -w * 0.9, 0.05 * L, -w * 0.75, 0.2 * L);
    cairo_line_to(cr, w * 0.75, 0.2 * L);
    cairo_curve_to(cr, w * 0.9, 0.05 * L, w * 0.7, -L * 0.4, w * 0.55, -L);
    cairo_close_path(cr);
    fillWith(cr, roundShade(-w, w, {0.85, 0.62, 0.35}));
    outline(cr, size * 0.018);
    // The ferrule.
    roundedRect(cr, -w * 0.78, 0.18 * L, w * 1.56, 0.3 * L, w * 0.2);
    fillWith(cr, roundShade(-w, w, {0.72, 0.74, 0.78}));
    outline(cr, size * 0.018);
    // The bristles, pointed.
    cairo_move_to(cr, -w * 0.74, 0.48 * L);
    cairo_curve_to(cr, -w * 0.95, 0.7 * L, -w * 0.4, 0.9 * L, 0, L);
    cairo_curve_to(cr, w * 0.4, 0.9 * L, w * 0.95, 0.7 * L, w * 0.74, 0.48 * L);
    cairo_close_path(cr);
    Rgb colour = tip ? *tip : Rgb{0.93, 0.88, 0.8};
    fillWith(cr, roundShade(-w, w, colour));
    outline(cr, size * 0.018);
    cairo_restore(cr);
}

void drawPage(cairo_t* cr, double cx, double cy, double size, const Rgb* fill) {
    // An open book with one flower on it, drawn in black lines like the pages.
    const double h = size, w = size * 1.3, x = cx - w / 2, y = cy - h / 2;
    roundedRect(cr, x - size * 0.04, y - size * 0.04, w + size * 0.08, h + size * 0.08, size * 0.06);
    setSource(cr, {0.16, 0.36, 0.42});
    cairo_fill(cr);
    roundedRect(cr, x, y, w, h, size * 0.03);
    setSource(cr, {0.98, 0.97, 0.92});
    cairo_fill(cr);
    cairo_pattern_t* spine = cairo_pattern_create_linear(cx - size * 0.12, 0, cx + size * 0.12, 0);
    cairo_pattern_add_color_stop_rgba(spine, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(spine, 0.5, 0.2, 0.15, 0.1, 0.22);
    cairo_pattern_add_color_stop_rgba(spine, 1, 0, 0, 0, 0);
    cairo_rectangle(cr, cx - size * 0.12, y, size * 0.24, h);
    cairo_set_source(cr, spine);
    cairo_fill(cr);
    cairo_pattern_destroy(spine);
    // The flower: stem, leaf, then petals white or painted.
    cairo_set_line_width(cr, size * 0.025);
    cairo_move_to(cr, cx + size * 0.02, cy + h * 0.42);
    cairo_curve_to(cr, cx - size * 0.02, cy + h * 0.25, cx + size * 0.04, cy + h * 0.15, cx, cy - h * 0.02);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    cairo_stroke(cr);
    ellipse(cr, cx + size * 0.12, cy + h * 0.27, size * 0.1, size * 0.045);
    setSource(cr, fill ? Rgb{0.4, 0.72, 0.3} : Rgb{1, 1, 1});
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    cairo_stroke(cr);
    const double fy = cy - h * 0.12, pr = size * 0.2;
    for (int i = 0; i < 6; ++i) {
        double a = 2 * kPi * i / 6;
        ellipse(cr, cx + std::cos(a) * pr * 0.62, fy + std::sin(a) * pr * 0.62, pr * 0.42, pr * 0.42);
        setSource(cr, fill ? *fill : Rgb{1, 1, 1});
        cairo_fill_preserve(cr);
        cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
        cairo_stroke(cr);
    }
    cairo_arc(cr, cx, fy, pr * 0.38, 0, 2 * kPi);
    setSource(cr, fill ? Rgb{1.0, 0.82, 0.25} : Rgb{1, 1, 1});
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    cairo_stroke(cr);
}

void drawPalette(cairo_t* cr, double cx, double cy, double size) {
    // A kidney-shaped palette with a thumb hole and three wells: yellow, blue,
    // and the green they make together.
    const double w = size * 1.3, h = size * 0.9;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_move_to(cr, -w * 0.5, 0);
    cairo_curve_to(cr, -w * 0.5, -h * 0.62, w * 0.5, -h * 0.62, w * 0.5, -h * 0.05);
    cairo_curve_to(cr, w * 0.5, h * 0.55, w * 0.05, h * 0.5, -w * 0.05, h * 0.3);
    cairo_curve_to(cr, -w * 0.12, h * 0.18, -w * 0.2, h * 0.5, -w * 0.36, h * 0.42);
    cairo_curve_to(cr, -w * 0.48, h * 0.36, -w * 0.5, h * 0.2, -w * 0.5, 0);
    cairo_close_path(cr);
    cairo_pattern_t* wood = cairo_pattern_create_linear(0, -h / 2, 0, h / 2);
    cairo_pattern_add_color_stop_rgb(wood, 0, 1, 1, 1);
    cairo_pattern_add_color_stop_rgb(wood, 1, 0.86, 0.85, 0.84);
    fillWith(cr, wood);
    outline(cr, size * 0.025);
    ellipse(cr, -w * 0.3, h * 0.12, w * 0.06, h * 0.07);
    setSource(cr, {0.55, 0.5, 0.45});
    cairo_fill(cr);
    const struct {
        double x, y;
        Rgb colour;
    } wells[3] = {{-w * 0.22, -h * 0.2, {1.0, 0.85, 0.12}},
                  {w * 0.05, -h * 0.27, {0.2, 0.45, 0.9}},
                  {w * 0.3, -h * 0.1, {0.3, 0.68, 0.25}}};
    for (const auto& well : wells) {
        ellipse(cr, well.x, well.y, w * 0.12, h * 0.13);
        setSource(cr, {0.8, 0.78, 0.76});
        cairo_fill(cr);
        ellipse(cr, well.x, well.y + h * 0.01, w * 0.1, h * 0.1);
        setSource(cr, well.colour);
        cairo_fill(cr);
        ellipse(cr, well.x - w * 0.03, well.y - h * 0.03, w * 0.03, h * 0.02);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.6);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void drawGlass(cairo_t* cr, double cx, double cy, double size) {
    const double h = size, wTop = size * 0.62, wBottom = size * 0.5, top = cy - h / 2, bottom = cy + h / 2;
    const double water = top + h * 0.35;
    // The water, then the glass around it.
    cairo_move_to(cr, cx - (wTop - (wTop - wBottom) * 0.35) / 2, water);
    cairo_line_to(cr, cx - wBottom / 2, bottom);
    cairo_line_to(cr, cx + wBottom / 2, bottom);
    cairo_line_to(cr, cx + (wTop - (wTop - wBottom) * 0.35) / 2, water);
    cairo_close_path(cr);
    cairo_pattern_t* blue = cairo_pattern_create_linear(0, water, 0, bottom);
    cairo_pattern_add_color_stop_rgba(blue, 0, 0.55, 0.78, 0.95, 0.9);
    cairo_pattern_add_color_stop_rgba(blue, 1, 0.3, 0.55, 0.85, 0.95);
    cairo_set_source(cr, blue);
    cairo_fill(cr);
    cairo_pattern_destroy(blue);
    // Bubbles rising from the washed brush.
    const double bubbles[4][3] = {{-0.08, 0.55, 0.035}, {0.1, 0.45, 0.03}, {-0.02, 0.3, 0.045}, {0.12, 0.7, 0.025}};
    for (const auto& b : bubbles) {
        cairo_arc(cr, cx + b[0] * size, top + b[1] * h, b[2] * size, 0, 2 * kPi);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.8);
        cairo_set_line_width(cr, size * 0.012);
        cairo_stroke(cr);
    }
    cairo_move_to(cr, cx - wTop / 2, top);
    cairo_line_to(cr, cx - wBottom / 2, bottom);
    cairo_line_to(cr, cx + wBottom / 2, bottom);
    cairo_line_to(cr, cx + wTop / 2, top);
    cairo_set_source_rgba(cr, 0.85, 0.93, 1.0, 0.25);
    cairo_fill_preserve(cr);
    outline(cr, size * 0.02);
    ellipse(cr, cx, top, wTop / 2, size * 0.05);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.5);
    cairo_fill_preserve(cr);
    outline(cr, size * 0.02);
    cairo_move_to(cr, cx - wTop * 0.36, top + h * 0.12);
    cairo_line_to(cr, cx - wBottom * 0.36, bottom - h * 0.08);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.6);
    cairo_set_line_width(cr, size * 0.035);
    cairo_stroke(cr);
}

void drawArrowButton(cairo_t* cr, double cx, double cy, double radius, bool right) {
    drawGlossyDisc(cr, cx, cy, radius, colours::orange);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    if (!right) cairo_scale(cr, -1, 1);
    const double s = radius / 0.98 * 0.0082;  // the desk's arrow, drawn 128 pixels to the unit
    for (int pass = 0; pass < 2; ++pass) {
        cairo_save(cr);
        if (pass == 0) {
            cairo_translate(cr, 3 * s, 5 * s);
            cairo_set_source_rgba(cr, 0.1, 0.05, 0, 0.22);
        } else {
            cairo_set_source_rgb(cr, 1, 1, 1);
        }
        cairo_set_line_width(cr, 22 * s);
        cairo_move_to(cr, -38 * s, 0);
        cairo_line_to(cr, 10 * s, 0);
        cairo_stroke(cr);
        cairo_set_line_width(cr, 10 * s);
        cairo_move_to(cr, 2 * s, -36 * s);
        cairo_line_to(cr, 40 * s, 0);
        cairo_line_to(cr, 2 * s, 36 * s);
        cairo_close_path(cr);
        cairo_fill_preserve(cr);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    cairo_restore(cr);
}

void drawMoon(cairo_t* cr, double cx, double cy, double size) {
    // A sleepy crescent with a closed eye and a smile: the disc less a second,
    // offset disc; the path runs round the outer edge and back along the inner.
    const double r = size / 2, r2 = r * 0.8, ox = r * 0.5, oy = -r * 0.28, d = std::hypot(ox, oy);
    const double ix = cx + ox, iy = cy + oy;
    const double towards = std::atan2(oy, ox), alpha = std::acos((r * r + d * d - r2 * r2) / (2 * r * d));
    const double a1 = towards + alpha, a2 = towards - alpha + 2 * kPi;
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r, a1, a2);
    const double s = std::atan2(cy + r * std::sin(a2) - iy, cx + r * std::cos(a2) - ix);
    const double e = std::atan2(cy + r * std::sin(a1) - iy, cx + r * std::cos(a1) - ix);
    cairo_arc_negative(cr, ix, iy, r2, s, e);
    cairo_close_path(cr);
    cairo_pattern_t* glow = cairo_pattern_create_radial(cx - r * 0.4, cy, r * 0.1, cx, cy, r);
    cairo_pattern_add_color_stop_rgb(glow, 0, 1, 0.95, 0.6);
    cairo_pattern_add_color_stop_rgb(glow, 1, 1, 0.8, 0.25);
    fillWith(cr, glow);
    outline(cr, size * 0.03);
    cairo_set_line_width(cr, size * 0.035);
    setSource(cr, kOutline);
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx - r * 0.55, cy - r * 0.1, r * 0.12, 0.15 * kPi, 0.85 * kPi);
    cairo_stroke(cr);
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx - r * 0.5, cy + r * 0.3, r * 0.16, 0.1 * kPi, 0.8 * kPi);
    cairo_stroke(cr);
    cairo_arc(cr, cx - r * 0.76, cy + r * 0.16, r * 0.08, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 1, 0.5, 0.45, 0.5);
    cairo_fill(cr);
}

void drawCurvedArrow(cairo_t* cr, double x0, double y0, double x1, double y1, double bend, double width, Rgb colour) {
    const double dx = x1 - x0, dy = y1 - y0, len = std::hypot(dx, dy);
    const double nx = dy / len, ny = -dx / len;  // to the left of the way
    const double mx = (x0 + x1) / 2 + nx * bend, my = (y0 + y1) / 2 + ny * bend;
    // The head points along the curve's end.
    double tx = x1 - mx, ty = y1 - my, tl = std::hypot(tx, ty);
    tx /= tl;
    ty /= tl;
    const double head = width * 2.6;
    const double bx = x1 - tx * head, by = y1 - ty * head;
    cairo_move_to(cr, x0, y0);
    cairo_curve_to(cr, mx, my, mx, my, bx, by);
    setSource(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
    cairo_move_to(cr, x1, y1);
    cairo_line_to(cr, bx - ty * head * 0.62, by + tx * head * 0.62);
    cairo_line_to(cr, bx + ty * head * 0.62, by - tx * head * 0.62);
    cairo_close_path(cr);
    cairo_set_line_width(cr, width * 0.6);
    cairo_fill_preserve(cr);
    cairo_stroke(cr);
}

void drawSparkle(cairo_t* cr, double cx, double cy, double size, Rgb colour, double alpha) {
    const double r = size / 2, k = r * 0.22;
    cairo_move_to(cr, cx, cy - r);
    cairo_curve_to(cr, cx + k * 0.3, cy - k, cx + k, cy - k * 0.3, cx + r, cy);
    cairo_curve_to(cr, cx + k, cy + k * 0.3, cx + k * 0.3, cy + k, cx, cy + r);
    cairo_curve_to(cr, cx - k * 0.3, cy + k, cx - k, cy + k * 0.3, cx - r, cy);
    cairo_curve_to(cr, cx - k, cy - k * 0.3, cx - k * 0.3, cy - k, cx, cy - r);
    cairo_close_path(cr);
    setSource(cr, colour, alpha);
    cairo_fill(cr);
}

}  // namespace screenart
