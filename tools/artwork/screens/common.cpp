// The pictures without words ("langall.pak"): the backdrop that dims the desk
// behind a top-level screen, the close button and the two check-box faces.
#include <cmath>

#include "tools/artwork/screens/screens_art.h"

namespace screenart {

namespace {

// The backdrop lies at the holder's origin, one unit behind a top-level panel:
// 19 units from the eye, where the view is 7.87 units high above its centre and,
// on a 16:9 screen, 14 units wide beside it. It reaches well past that, for
// screens up to about 2.8:1.
const double kBackdropY = place::topPanelY + 0.5;
const Area kBackdrop{-22, -9.6, 22, 9.6};

void addBackdrop(PakArchive& pak) {
    Canvas c = beginCanvas(kBackdrop, 256, 128);
    // A dusky blue, deeper towards the edges: the desk stays visible but calm.
    cairo_pattern_t* shade = cairo_pattern_create_radial(0, 0, 2, 0, 0, 17);
    cairo_pattern_add_color_stop_rgba(shade, 0, 0.12, 0.1, 0.22, 0.42);
    cairo_pattern_add_color_stop_rgba(shade, 1, 0.08, 0.06, 0.16, 0.66);
    cairo_set_source(c.cr, shade);
    cairo_paint(c.cr);
    cairo_pattern_destroy(shade);
    addFlatPicture(pak, "menu_alpha", kBackdrop, kBackdropY, finishCanvas(c, false), true);
}

void addCloseButton(PakArchive& pak) {
    const double r = size::closeRadius, edge = r + 0.06;
    const Area area{-edge, -edge, edge, edge};
    Canvas c = beginCanvas(area, 128, 128);
    drawGlossyDisc(c.cr, 0, 0, r, colours::red);
    drawWhiteSymbol(c.cr, drawCross, 0, 0, r * 1.15);
    addFlatPicture(pak, "button_close", area, kControlDepth, finishCanvas(c), true);
}

void addCheckBox(PakArchive& pak, bool ticked) {
    const double side = size::checkSide, edge = side / 2 + 0.05;
    const Area area{-edge, -edge, edge, edge};
    Canvas c = beginCanvas(area, 128, 128);
    cairo_t* cr = c.cr;
    const double x = -side / 2, radius = 0.14, frame = 0.06;
    softShadow(cr, x + 0.01, x + 0.03, side, side, radius, 0.035, 0.45);
    Rgb rim = ticked ? darker(colours::green, 0.2) : Rgb{0.72, 0.6, 0.5};
    roundedRect(cr, x, x, side, side, radius);
    setSource(cr, rim);
    cairo_fill(cr);
    // Ticked: a green face with a white tick. Not ticked: an empty white box,
    // a little sunken, waiting for its tick.
    cairo_pattern_t* face = cairo_pattern_create_linear(0, x, 0, -x);
    if (ticked) {
        Rgb top = lighter(colours::green, 0.22);
        cairo_pattern_add_color_stop_rgb(face, 0, top.r, top.g, top.b);
        cairo_pattern_add_color_stop_rgb(face, 1, colours::green.r, colours::green.g, colours::green.b);
    } else {
        cairo_pattern_add_color_stop_rgb(face, 0, 0.9, 0.88, 0.85);
        cairo_pattern_add_color_stop_rgb(face, 0.35, 1, 1, 1);
        cairo_pattern_add_color_stop_rgb(face, 1, 1, 1, 1);
    }
    roundedRect(cr, x + frame, x + frame, side - 2 * frame, side - 2 * frame, radius - frame);
    cairo_set_source(cr, face);
    cairo_fill(cr);
    cairo_pattern_destroy(face);
    if (ticked) {
        cairo_pattern_t* gloss = cairo_pattern_create_linear(0, x, 0, 0);
        cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, 0.4);
        cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, 0.05);
        roundedRect(cr, x + 2 * frame, x + 1.5 * frame, side - 4 * frame, side * 0.4, 0.08);
        cairo_set_source(cr, gloss);
        cairo_fill(cr);
        cairo_pattern_destroy(gloss);
        drawWhiteSymbol(cr, drawTick, 0, 0.02, side * 0.66);
    }
    addFlatPicture(pak, ticked ? "check_enable" : "check_disable", area, kControlDepth, finishCanvas(c), true);
}

}  // namespace

void addCommonPictures(PakArchive& pak) {
    addBackdrop(pak);
    addCloseButton(pak);
    addCheckBox(pak, true);
    addCheckBox(pak, false);
}

}  // namespace screenart
