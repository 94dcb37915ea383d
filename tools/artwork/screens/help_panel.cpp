// The help panel ("help", picture archives): how to play, told in pictures
// with one or two words each, for a child who cannot read yet.
//
//   above the card   the desk's back and clear buttons (copies the help screen
//                    shows there), each with a tag pointing at it
//   top row          dip the brush in a jar -> paint the page;   mix on the palette
//   middle           the "show at start" check box and the OK button
//   bottom row       wash the brush in the glass;   turn the page with the arrows
#include <cmath>

#include "tools/artwork/screens/screens_art.h"

namespace screenart {

namespace {

const double kPi = 3.14159265358979323846;
const double kD = place::topPanelDistance;

// Where the help screen's copies of the desk buttons appear on the panel.
double copySeenX(double x) { return x * kD / (place::helpButtonsY - place::eyeY) - place::panelX; }
double copySeenZ() { return place::helpButtonsZ * kD / (place::helpButtonsY - place::eyeY) - place::panelZ; }

// A caption under a picture.
void caption(cairo_t* cr, const char* word, double cx, double y, double w) {
    TextStyle style;
    style.size = 0.52;
    style.bold = true;
    style.minSize = 0.34;
    drawText(cr, word, cx - w / 2, y, w, 0.7, style);
}

// A word tag beside a desk button, with a pointer towards it.
void buttonTag(cairo_t* cr, const char* words, double buttonX, double buttonY, double buttonRadius, bool tagOnLeft) {
    const double h = 0.74, w = 5.0, gap = 0.28, pointer = 0.26;
    const double x = tagOnLeft ? buttonX - buttonRadius - gap - pointer - w : buttonX + buttonRadius + gap + pointer;
    const double y = buttonY - h / 2;
    softShadow(cr, x + 0.02, y + 0.05, w, h, h / 2, 0.08, 0.4);
    roundedRect(cr, x, y, w, h, h / 2);
    setSource(cr, colours::cream);
    cairo_fill_preserve(cr);
    setSource(cr, colours::border);
    cairo_set_line_width(cr, 0.06);
    cairo_stroke(cr);
    const double tipX = tagOnLeft ? buttonX - buttonRadius - gap * 0.4 : buttonX + buttonRadius + gap * 0.4;
    const double baseX = tagOnLeft ? x + w - 0.02 : x + 0.02;
    cairo_move_to(cr, tipX, buttonY);
    cairo_line_to(cr, baseX, buttonY - 0.2);
    cairo_line_to(cr, baseX, buttonY + 0.2);
    cairo_close_path(cr);
    setSource(cr, colours::border);
    cairo_fill(cr);
    TextStyle style;
    style.size = 0.42;
    style.bold = true;
    style.minSize = 0.28;
    drawText(cr, words, x + 0.25, y, w - 0.5, h, style);
}

void drawDip(cairo_t* cr, double cx, double cy, double size) {
    const Rgb red{0.9, 0.2, 0.2};
    drawJar(cr, cx, cy + size * 0.2, size * 0.75, red);
    drawBrush(cr, cx + size * 0.1, cy - size * 0.16, size * 0.8, 12, &red);
    // The jar's front over the brush's tip, so the brush is in the paint.
    const double w = size * 0.75 * 0.78, top = cy + size * 0.2 - size * 0.75 * 0.3 + w * 0.17 * 0.3;
    cairo_save(cr);
    cairo_rectangle(cr, cx - w / 2 - 0.1, top, w + 0.2, size);
    cairo_clip(cr);
    drawJar(cr, cx, cy + size * 0.2, size * 0.75, red);
    cairo_restore(cr);
}

void drawPainting(cairo_t* cr, double cx, double cy, double size) {
    const Rgb red{0.9, 0.2, 0.2};
    drawPage(cr, cx, cy + size * 0.08, size * 0.72, &red);
    drawBrush(cr, cx + size * 0.36, cy - size * 0.22, size * 0.8, 30, &red);
    drawSparkle(cr, cx - size * 0.34, cy - size * 0.36, size * 0.14, colours::yellow, 1);
    drawSparkle(cr, cx + size * 0.02, cy - size * 0.44, size * 0.1, colours::yellow, 1);
}

// Yellow and blue drops falling into a well that turns green.
void drawMixing(cairo_t* cr, double cx, double cy, double size) {
    drawPalette(cr, cx, cy + size * 0.12, size * 0.8);
    const struct {
        double x, y;
        Rgb colour;
    } drops[2] = {{-0.34, -0.42, {1.0, 0.85, 0.12}}, {0.02, -0.5, {0.2, 0.45, 0.9}}};
    for (const auto& d : drops) {
        double x = cx + d.x * size, y = cy + d.y * size, r = size * 0.07;
        cairo_move_to(cr, x, y - r * 2.2);
        cairo_curve_to(cr, x + r * 0.4, y - r, x + r, y - r * 0.6, x + r, y);
        cairo_arc(cr, x, y, r, 0, kPi);
        cairo_curve_to(cr, x - r, y - r * 0.6, x - r * 0.4, y - r, x, y - r * 2.2);
        cairo_close_path(cr);
        setSource(cr, d.colour);
        cairo_fill_preserve(cr);
        setSource(cr, {0.3, 0.22, 0.18}, 0.85);
        cairo_set_line_width(cr, size * 0.02);
        cairo_stroke(cr);
    }
    // The brush stirring the green well.
    const Rgb green{0.3, 0.68, 0.25};
    drawBrush(cr, cx + size * 0.36, cy - size * 0.22, size * 0.7, 25, &green);
}

void drawWashing(cairo_t* cr, double cx, double cy, double size) {
    const Rgb red{0.9, 0.2, 0.2};
    // A painted brush -> into the glass -> a clean brush.
    drawBrush(cr, cx - size * 0.95, cy, size * 0.8, -15, &red);
    drawCurvedArrow(cr, cx - size * 0.72, cy - size * 0.3, cx - size * 0.38, cy - size * 0.3, 0.25 * size, 0.09,
                    colours::orange);
    drawBrush(cr, cx + size * 0.04, cy - size * 0.2, size * 0.8, 8, &red);
    drawGlass(cr, cx, cy + size * 0.08, size * 0.75);
    drawCurvedArrow(cr, cx + size * 0.38, cy - size * 0.3, cx + size * 0.72, cy - size * 0.3, 0.25 * size, 0.09,
                    colours::orange);
    drawBrush(cr, cx + size * 0.95, cy, size * 0.8, 15, nullptr);
    drawSparkle(cr, cx + size * 1.12, cy + size * 0.3, size * 0.12, {0.5, 0.75, 1.0}, 1);
}

void drawTurning(cairo_t* cr, double cx, double cy, double size) {
    const Rgb yellow{1.0, 0.78, 0.2};
    drawPage(cr, cx, cy, size * 0.7, &yellow);
    drawArrowButton(cr, cx - size * 0.86, cy, size * 0.2, false);
    drawArrowButton(cr, cx + size * 0.86, cy, size * 0.2, true);
}

}  // namespace

void addHelpPanel(PakArchive& pak, const ScreenTexts& t) {
    // The card fills a 4:3 screen but for the strip at the top where the desk's
    // back and clear buttons show; the tags for them lie over the background.
    // It reaches the bottom edge of the view, hiding the palette and the jars,
    // which lie in front of the background.
    const double left = -10.1, right = 9.6, bottom = -7.86, top = 5.55;
    const Area area{-10.35, -7.9, 9.85, 7.3};
    Canvas c = beginCanvas(area, 2048, 1024);
    cairo_t* cr = c.cr;
    drawCard(cr, left, -top, right - left, top - bottom);

    const double copyRadius = 0.98 * kD / (place::helpButtonsY - place::eyeY);
    const double copyY = -copySeenZ();
    buttonTag(cr, t.undo, copySeenX(place::helpBackX), copyY, copyRadius, true);
    buttonTag(cr, t.clearPage, copySeenX(place::helpClearX), copyY, copyRadius, false);

    // Top row: dip, then paint; mix on its own.
    drawDip(cr, -6.9, -3.25, 3.2);
    caption(cr, t.dip, -6.9, -1.7, 3.6);
    drawCurvedArrow(cr, -4.9, -3.6, -2.6, -3.6, 0.7, 0.16, colours::orange);
    drawPainting(cr, -0.5, -3.25, 3.2);
    caption(cr, t.paint, -0.5, -1.7, 3.6);
    drawMixing(cr, 6.3, -3.25, 3.2);
    caption(cr, t.mix, 6.3, -1.7, 3.6);

    // Between the rows: the words beside the check box, left of the OK button.
    const double boxX = seenOnPanel(place::helpCheckX, place::panelX, kD, -place::helpCheckY);
    const double boxZ = seenOnPanel(place::helpCheckZ, place::panelZ, kD, -place::helpCheckY);
    TextStyle label;
    label.size = 0.46;
    label.bold = true;
    label.align = Align::Left;
    label.minSize = 0.3;
    label.colour = {0.42, 0.32, 0.26};
    drawText(cr, t.showAtStart, boxX + size::checkSide / 2 + 0.3, -boxZ - 0.36, 6.4, 0.72, label);

    // A line of dots between the rows, leaving room for the controls.
    cairo_set_line_width(cr, 0.08);
    const double dots[2] = {0.001, 0.3};
    cairo_set_dash(cr, dots, 2, 0);
    setSource(cr, colours::border, 0.6);
    cairo_move_to(cr, left + 0.6, 1.75);
    cairo_line_to(cr, -1.6, 1.75);
    cairo_move_to(cr, 1.9, 1.75);
    cairo_line_to(cr, right - 0.6, 1.75);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);

    // Bottom row: wash the brush; turn the page.
    drawWashing(cr, -5.0, 4.45, 2.9);
    caption(cr, t.wash, -5.0, 6.2, 3.6);
    drawTurning(cr, 5.3, 4.35, 3.3);
    caption(cr, t.turn, 5.3, 6.2, 5.0);
    addFlatPicture(pak, "help", area, kPanelDepth, finishCanvas(c), true);
}

}  // namespace screenart
