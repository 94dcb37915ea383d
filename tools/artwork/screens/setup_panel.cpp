// The setup panel ("setup"): a card titled "Menu" with the words beside the
// sound and music check boxes, and a pot of flowers in the space the buttons
// leave. The check boxes and buttons are separate models that the program
// places in front of the card; the card is drawn around where they appear.
#include <cmath>

#include "tools/artwork/screens/screens_art.h"

namespace screenart {

namespace {

const double kD = place::topPanelDistance;

// A position on the panel where a control `nearer` units in front of it appears.
double seenX(double x, double nearer) { return seenOnPanel(x, place::panelX, kD, nearer); }
double seenZ(double z, double nearer) { return seenOnPanel(z, place::panelZ, kD, nearer); }

void drawFlowerPot(cairo_t* cr, double cx, double bottom, double height) {
    const double s = height;
    // Stems and leaves first, then the flowers on top of them, then the pot.
    struct Bloom {
        double x, y, size;
        Rgb colour;
        int petals;
    };
    const Bloom blooms[3] = {{-0.26, -0.78, 0.36, colours::pink, 8},
                             {0.02, -0.93, 0.4, {0.55, 0.5, 0.95}, 6},
                             {0.3, -0.72, 0.34, {1.0, 0.62, 0.3}, 7}};
    cairo_set_line_width(cr, s * 0.035);
    setSource(cr, {0.3, 0.6, 0.25});
    for (const Bloom& b : blooms) {
        cairo_move_to(cr, cx + b.x * s * 0.3, bottom - s * 0.3);
        cairo_curve_to(cr, cx + b.x * s * 0.5, bottom - s * 0.5, cx + b.x * s, bottom + (b.y + 0.25) * s,
                       cx + b.x * s, bottom + b.y * s);
        cairo_stroke(cr);
    }
    for (int side = -1; side <= 1; side += 2) {
        cairo_save(cr);
        cairo_translate(cr, cx + side * s * 0.1, bottom - s * 0.42);
        cairo_rotate(cr, side * 0.6);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, side * s * 0.08, -s * 0.08, side * s * 0.2, -s * 0.05, side * s * 0.26, 0);
        cairo_curve_to(cr, side * s * 0.2, s * 0.05, side * s * 0.08, s * 0.06, 0, 0);
        setSource(cr, {0.42, 0.72, 0.32});
        cairo_fill_preserve(cr);
        setSource(cr, {0.25, 0.45, 0.2});
        cairo_set_line_width(cr, s * 0.015);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    for (const Bloom& b : blooms) drawFlower(cr, cx + b.x * s, bottom + b.y * s, b.size * s, b.colour, b.petals);
    // The pot: a terracotta cone with a rim.
    const double potTop = bottom - s * 0.34, w = s * 0.42;
    cairo_move_to(cr, cx - w / 2, potTop);
    cairo_line_to(cr, cx - w * 0.36, bottom);
    cairo_line_to(cr, cx + w * 0.36, bottom);
    cairo_line_to(cr, cx + w / 2, potTop);
    cairo_close_path(cr);
    cairo_pattern_t* clay = cairo_pattern_create_linear(cx - w / 2, 0, cx + w / 2, 0);
    cairo_pattern_add_color_stop_rgb(clay, 0, 0.72, 0.36, 0.2);
    cairo_pattern_add_color_stop_rgb(clay, 0.35, 0.93, 0.56, 0.35);
    cairo_pattern_add_color_stop_rgb(clay, 1, 0.7, 0.34, 0.2);
    cairo_set_source(cr, clay);
    cairo_fill(cr);
    roundedRect(cr, cx - w * 0.56, potTop - s * 0.02, w * 1.12, s * 0.09, s * 0.02);
    cairo_set_source(cr, clay);
    cairo_fill(cr);
    cairo_pattern_destroy(clay);
}

}  // namespace

void addSetupPanel(PakArchive& pak, const ScreenTexts& t) {
    // The card reaches round the buttons and check boxes as they appear on it
    // (they stand 0.635 in front of it); the close button sits on its corner.
    const double left = -5.45, right = 4.45, bottom = -2.45, top = 2.55;
    const Area area{left - 0.25, bottom - 0.3, right + 0.25, top + 0.55};
    Canvas c = beginCanvas(area, 1024, 512);
    cairo_t* cr = c.cr;
    drawCard(cr, left, -top, right - left, top - bottom);
    drawRibbon(cr, -0.3, -top, 3.0, 0.72, colours::green);
    TextStyle title;
    title.size = 0.52;
    title.bold = true;
    title.colour = {1, 1, 1};
    drawText(cr, t.menuTitle, -1.7, -top - 0.36, 2.8, 0.72, title);

    // The words beside the check boxes, each after a small sign of its own.
    const double boxRight = seenX(place::setupSoundX, -place::setupCheckY) + size::checkSide / 2 * 1.04;
    const struct {
        double z;
        void (*sign)(cairo_t*, double, double, double);
        Rgb colour;
        const char* word;
    } rows[2] = {{place::setupSoundZ, drawSpeaker, colours::blue, t.sounds},
                 {place::setupMusicZ, drawNote, colours::purple, t.music}};
    for (const auto& row : rows) {
        double y = -seenZ(row.z, -place::setupCheckY);
        double signX = boxRight + 0.5;
        cairo_arc(cr, signX, y, 0.29, 0, 2 * 3.14159265358979323846);
        setSource(cr, row.colour);
        cairo_fill(cr);
        drawWhiteSymbol(cr, row.sign, signX, y, 0.36);
        TextStyle label;
        label.size = 0.46;
        label.bold = true;
        label.align = Align::Left;
        label.minSize = 0.3;
        drawText(cr, row.word, signX + 0.42, y - 0.35, 3.0, 0.7, label);
    }

    drawFlowerPot(cr, 2.35, 1.15, 2.6);
    addFlatPicture(pak, "setup", area, kPanelDepth, finishCanvas(c), true);
}

}  // namespace screenart
