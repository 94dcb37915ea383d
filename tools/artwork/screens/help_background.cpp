// The help screen's background ("help_bg", in "langen.pak" for every language):
// a calm sky over a meadow that hides the desk while the help is shown. It is
// opaque and lies just behind the desk's buttons, 39.6 units from the eye, so
// the copies of the back and clear buttons the help screen puts at the top
// show in front of it, each in a soft glow. It reaches past the edges of
// screens up to about 2.4:1.
#include <cmath>

#include "screens/screen_entries.h"
#include "tools/artwork/screens/screens_art.h"

namespace screenart {

namespace {

const double kPi = 3.14159265358979323846;
const double kDepth = place::helpButtonsY + 0.6;  // holder y; the eye is at -100
const Area kArea{-40, -17.5, 40, 17.5};

void drawCloud(cairo_t* cr, double cx, double cy, double w) {
    const double puffs[5][3] = {{-0.32, 0.05, 0.2}, {-0.1, -0.1, 0.27}, {0.16, -0.06, 0.24}, {0.35, 0.06, 0.17},
                                {0.02, 0.08, 0.22}};
    for (const auto& p : puffs) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx + p[0] * w, cy + p[1] * w, p[2] * w, 0, 2 * kPi);
    }
    cairo_set_source_rgba(cr, 1, 1, 1, 0.75);
    cairo_fill(cr);
}

}  // namespace

void addHelpBackground(PakArchive& pak) {
    Canvas c = beginCanvas(kArea, 1024, 512);
    cairo_t* cr = c.cr;
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, -17.5, 0, 17.5);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.62, 0.8, 0.95);
    cairo_pattern_add_color_stop_rgb(sky, 0.62, 0.9, 0.95, 0.98);
    cairo_pattern_add_color_stop_rgb(sky, 0.7, 0.78, 0.9, 0.62);
    cairo_pattern_add_color_stop_rgb(sky, 1, 0.55, 0.78, 0.42);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);

    const double clouds[6][3] = {{-30, -12, 8}, {-17, -6.5, 6}, {20, -11, 9}, {32, -5, 6}, {-36, 0, 5}, {9, -3, 5}};
    for (const auto& cl : clouds) drawCloud(cr, cl[0], cl[1], cl[2]);
    // Rolling hills and a row of flowers along the bottom.
    cairo_move_to(cr, -40, 9);
    cairo_curve_to(cr, -25, 5.5, -12, 9.5, 0, 8);
    cairo_curve_to(cr, 12, 6.5, 26, 10, 40, 7);
    cairo_line_to(cr, 40, 17.5);
    cairo_line_to(cr, -40, 17.5);
    cairo_close_path(cr);
    setSource(cr, {0.47, 0.72, 0.36});
    cairo_fill(cr);
    const Rgb petals[4] = {colours::pink, {0.55, 0.5, 0.95}, {1.0, 0.62, 0.3}, {1, 1, 1}};
    for (int i = 0; i < 22; ++i) {
        double x = -39 + i * 3.7 + std::sin(i * 2.3) * 0.9, y = 13.5 + std::sin(i * 1.7) * 1.6;
        drawFlower(cr, x, y, 1.6 + 0.4 * std::sin(i * 0.9), petals[i % 4], 5 + i % 3);
    }

    // Glows behind the copies of the back and clear buttons.
    const double scale = (kDepth - place::eyeY) / (place::helpButtonsY - place::eyeY);
    for (double x : {place::helpBackX, place::helpClearX}) {
        double gx = x * scale, gy = -place::helpButtonsZ * scale;
        cairo_pattern_t* glow = cairo_pattern_create_radial(gx, gy, 0.8, gx, gy, 2.4);
        cairo_pattern_add_color_stop_rgba(glow, 0, 1, 1, 0.85, 0.95);
        cairo_pattern_add_color_stop_rgba(glow, 1, 1, 1, 0.85, 0);
        cairo_arc(cr, gx, gy, 2.4, 0, 2 * kPi);
        cairo_set_source(cr, glow);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
    }
    addFlatPicture(pak, helpBackgroundEntry, kArea, kDepth, finishCanvas(c, false), false);
}

}  // namespace screenart
