// The about panel ("about", picture archives): the name with a flower, the
// version, that everything in the program was made for it, the licence, and
// that nothing leaves the computer.
// It opens over the setup panel, one unit nearer the eye, and hides it.
#include "tools/artwork/screens/screens_art.h"

namespace screenart {

void addAboutPanel(PakArchive& pak, const ScreenTexts& t) {
    const double left = -5.25, right = 4.55, bottom = -2.35, top = 3.05, halo = 1.0;
    const double margin = 0.3 + halo;
    const Area area{left - margin, bottom - margin, right + margin, top + margin};
    Canvas c = beginCanvas(area, 1024, 1024);
    cairo_t* cr = c.cr;
    softShadow(cr, left, -top, right - left, top - bottom, 0.5, halo, 0.5);
    drawCard(cr, left, -top, right - left, top - bottom);

    // The name beside a flower and a brush.
    drawBrush(cr, -3.15, -1.95, 1.5, 35, &colours::pink);
    drawFlower(cr, -3.7, -2.05, 1.3, colours::pink, 8);
    TextStyle name;
    name.size = 0.95;
    name.bold = true;
    name.colour = {0.85, 0.36, 0.2};
    name.align = Align::Left;
    drawText(cr, "Quillmead", -2.55, -2.75, 6.6, 1.05, name);
    TextStyle version;
    version.size = 0.38;
    version.align = Align::Left;
    version.colour = {0.42, 0.32, 0.26};
    drawText(cr, t.version, -2.5, -1.68, 6.5, 0.45, version);

    TextStyle words;
    words.size = 0.36;
    words.minSize = 0.28;
    drawText(cr, t.madeFor, left + 0.5, -1.2, right - left - 1.0, 1.0, words);
    TextStyle small;
    small.size = 0.3;
    small.minSize = 0.22;
    small.colour = {0.42, 0.32, 0.26};
    drawText(cr, t.licence, left + 0.5, -0.15, right - left - 1.0, 0.62, small);
    drawText(cr, t.offline, left + 0.5, 0.5, right - left - 1.0, 0.4, small);
    addFlatPicture(pak, "about", area, kPanelDepth, finishCanvas(c), true);
}

}  // namespace screenart
