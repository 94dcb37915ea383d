// The buttons with words ("langXX.pak"): OK with a tick and "no" with a cross,
// so that they read as yes and no before the word is read; and the setup
// screen's clear-all, parents' guide and about buttons, each with its sign.
#include <cmath>

#include "tools/artwork/screens/screens_art.h"

namespace screenart {

namespace {

using Symbol = void (*)(cairo_t*, double, double, double);

void addButton(PakArchive& pak, const char* entry, double w, double h, int textureWidth, Rgb colour,
               Symbol symbol, const char* word) {
    const double margin = 0.07;
    const Area area{-w / 2 - margin, -h / 2 - margin, w / 2 + margin, h / 2 + margin};
    Canvas c = beginCanvas(area, textureWidth, 128);
    cairo_t* cr = c.cr;
    drawPill(cr, 0, 0, w, h, colour);
    // The sign sits in a lighter round patch at the left end.
    const double signX = -w / 2 + h / 2 + 0.02, signR = h * 0.36;
    cairo_arc(cr, signX, 0, signR, 0, 2 * 3.14159265358979323846);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.2);
    cairo_fill(cr);
    drawWhiteSymbol(cr, symbol, signX, 0.005, h * 0.5);
    // The word in the rest, white with a soft shadow.
    const double textLeft = signX + signR + 0.06, textRight = w / 2 - h * 0.32;
    TextStyle style;
    style.size = h * 0.56;
    style.minSize = h * 0.3;
    style.bold = true;
    style.colour = {0.1, 0.05, 0};
    cairo_push_group(cr);
    double used = drawText(cr, word, textLeft + 0.02, -h / 2 + 0.045, textRight - textLeft, h, style);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 0.22);
    style.size = used;
    style.colour = {1, 1, 1};
    drawText(cr, word, textLeft, -h / 2 + 0.01, textRight - textLeft, h, style);
    addFlatPicture(pak, entry, area, kControlDepth, finishCanvas(c), true);
}

}  // namespace

void addLanguageButtons(PakArchive& pak, const ScreenTexts& t) {
    addButton(pak, "button_ok", size::okWidth, size::okHeight, 256, colours::green, drawTick, t.ok);
    addButton(pak, "button_cancel", size::okWidth, size::okHeight, 256, colours::red, drawCross, t.no);
    addButton(pak, "setup_button_about", size::wideWidth, size::wideHeight, 512, colours::blue, drawInfo, t.about);
    addButton(pak, "setup_button_clearall", size::clearAllWidth, size::wideHeight, 512, colours::pink, drawEraser,
              t.clearAll);
    addButton(pak, "setup_button_web", size::wideWidth, size::wideHeight, 512, colours::purple, drawFamily,
              t.parents);
}

}  // namespace screenart
