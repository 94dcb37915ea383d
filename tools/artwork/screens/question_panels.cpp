// The three questions ("menu_exit", "menu_clear", "menu_clearall"): a picture
// of what will happen, the question in large letters and a short reassurance
// or warning below it, above the places of the OK and "no" buttons. The exit
// question has a second panel ("menu_exit_unkept") for a run whose paintings
// cannot be kept: its picture shows the colours floating away from the page,
// and its words tell the grown-up why.
#include <cmath>

#include "screens/screen_entries.h"
#include "tools/artwork/screens/screens_art.h"

namespace screenart {

namespace {

const double kPi = 3.14159265358979323846;

enum class Question { Exit, ExitUnkept, Clear, ClearAll };

// The eraser of the desk's clear button, on its pink disc.
void drawEraserBadge(cairo_t* cr, double cx, double cy, double radius) {
    drawGlossyDisc(cr, cx, cy, radius, colours::pink);
    drawWhiteSymbol(cr, drawEraser, cx, cy, radius * 1.05);
}

void drawQuestionPicture(cairo_t* cr, Question q, double cx, double cy, double size) {
    const Rgb paint{0.95, 0.45, 0.55};
    switch (q) {
        case Question::Exit:
            drawMoon(cr, cx - size * 0.05, cy + size * 0.05, size * 0.8);
            drawSparkle(cr, cx + size * 0.36, cy - size * 0.3, size * 0.22, colours::yellow, 1);
            drawSparkle(cr, cx + size * 0.42, cy + size * 0.18, size * 0.14, colours::yellow, 1);
            drawSparkle(cr, cx - size * 0.38, cy - size * 0.4, size * 0.12, colours::yellow, 1);
            break;
        case Question::ExitUnkept: {
            // The sleepy moon of the usual question over a page gone white,
            // its colours floating away as drops that grow smaller and fainter.
            drawMoon(cr, cx - size * 0.25, cy - size * 0.3, size * 0.4);
            drawPage(cr, cx - size * 0.03, cy + size * 0.17, size * 0.56, nullptr);
            const Rgb drops[4] = {paint, colours::yellow, colours::blue, colours::purple};
            const double x0 = cx + size * 0.1, y0 = cy - size * 0.06, x1 = cx + size * 0.46, y1 = cy - size * 0.45;
            for (int i = 0; i < 4; ++i) {
                const double t = i / 3.0;
                const double x = x0 + (x1 - x0) * t + std::sin(t * 1.5 * kPi) * size * 0.05;
                const double y = y0 + (y1 - y0) * t;
                const double r = size * (0.075 - 0.013 * i), alpha = 1.0 - 0.18 * i;
                cairo_arc(cr, x, y, r, 0, 2 * kPi);
                setSource(cr, drops[i], alpha);
                cairo_fill_preserve(cr);
                setSource(cr, darker(drops[i], 0.35), alpha);
                cairo_set_line_width(cr, size * 0.012);
                cairo_stroke(cr);
                cairo_arc(cr, x - r * 0.35, y - r * 0.35, r * 0.28, 0, 2 * kPi);
                cairo_set_source_rgba(cr, 1, 1, 1, 0.7 * alpha);
                cairo_fill(cr);
            }
            break;
        }
        case Question::Clear:
            drawPage(cr, cx - size * 0.05, cy, size * 0.62, &paint);
            drawEraserBadge(cr, cx + size * 0.3, cy + size * 0.26, size * 0.22);
            break;
        case Question::ClearAll: {
            const Rgb fills[3] = {{0.5, 0.7, 0.95}, {1.0, 0.8, 0.3}, paint};
            for (int i = 0; i < 3; ++i) {
                cairo_save(cr);
                cairo_translate(cr, cx - size * 0.05 + (i - 1) * size * 0.1, cy + (1 - i) * size * 0.06);
                cairo_rotate(cr, (i - 1) * 8 * kPi / 180);
                drawPage(cr, 0, 0, size * 0.56, &fills[i]);
                cairo_restore(cr);
            }
            drawEraserBadge(cr, cx + size * 0.32, cy + size * 0.3, size * 0.22);
            break;
        }
    }
}

struct Layout {
    double left, bottom, right, top;  // the card
    double halo;                      // a wide soft shadow that dims what lies behind
};

void addQuestion(PakArchive& pak, const char* entry, Question q, const char* question, const char* note,
                 const Layout& l) {
    const double margin = 0.3 + l.halo;
    const Area area{l.left - margin, l.bottom - margin, l.right + margin, l.top + margin};
    Canvas c = beginCanvas(area, 1024, 512);
    cairo_t* cr = c.cr;
    if (l.halo > 0) softShadow(cr, l.left, -l.top, l.right - l.left, l.top - l.bottom, 0.5, l.halo, 0.5);
    drawCard(cr, l.left, -l.top, l.right - l.left, l.top - l.bottom);
    // The picture and the words share the card above the buttons' row.
    const double rowTop = place::questionButtonZ + size::okHeight / 2 + 0.25;
    const double pictureSize = l.top - rowTop - 0.4;
    const double pictureX = l.left + 0.35 + pictureSize * 0.55;
    drawQuestionPicture(cr, q, pictureX, -(rowTop + l.top) / 2, pictureSize);
    const double textLeft = pictureX + pictureSize * 0.62, textRight = l.right - 0.4;
    // A longer note (the grown-up's, when nothing can be kept) takes more of the card.
    const double noteShare = q == Question::ExitUnkept ? 0.62 : 0.45;
    const double textTop = -(l.top - 0.3), middle = -(rowTop + (l.top - rowTop) * noteShare);
    TextStyle big;
    big.size = 0.62;
    big.bold = true;
    big.minSize = 0.4;
    drawText(cr, question, textLeft, textTop, textRight - textLeft, middle - textTop, big);
    TextStyle small;
    small.size = 0.4;
    small.minSize = q == Question::ExitUnkept ? 0.24 : 0.28;
    small.colour = {0.42, 0.32, 0.26};
    drawText(cr, note, textLeft, middle + 0.05, textRight - textLeft, -rowTop - middle - 0.1, small);
    addFlatPicture(pak, entry, area, kPanelDepth, finishCanvas(c), true);
}

}  // namespace

void addQuestionPanels(PakArchive& pak, const ScreenTexts& t) {
    // Top level: the desk's backdrop dims what lies behind.
    const Layout top{-4.6, -1.75, 4.7, 2.45, 0};
    addQuestion(pak, "menu_exit", Question::Exit, t.exitQuestion, t.exitNote, top);
    addQuestion(pak, unkeptExitEntry, Question::ExitUnkept, t.exitQuestion, t.exitUnkeptNote, top);
    addQuestion(pak, "menu_clear", Question::Clear, t.clearQuestion, t.clearNote, top);
    // Second level, over the setup panel: large enough to hide it, with a wide
    // shadow that dims anything of it still showing.
    const Layout over{-5.25, -2.15, 4.55, 2.8, 1.0};
    addQuestion(pak, "menu_clearall", Question::ClearAll, t.clearAllQuestion, t.clearAllNote, over);
}

}  // namespace screenart
