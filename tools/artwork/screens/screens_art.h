// The screens' artwork: the panels, buttons and check boxes of the modal screens
// in five languages, the help and about pictures, and the parents' guide.
//
// Every picture is a flat model facing the viewer, authored like the desk's
// models (x right, z up, -y towards the eye) in the units and at the origin the
// program places it at. Drawing happens in cairo user space measured in those
// units, with x to the right and y = -z downwards, so a drawing's coordinates
// read directly as positions on the model.
#pragma once
#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "resources/pak.h"
#include "tools/artkit/artkit.h"

namespace screenart {

// ---- the words (texts.cpp) ----

// Everything a child or a parent reads on the screens, in one language.
struct ScreenTexts {
    const char* code;  // "en", matches languageCodes
    const char* menuTitle;
    const char* sounds;
    const char* music;
    const char* clearAll;  // setup button
    const char* parents;   // setup button that opens the guide
    const char* about;     // setup button
    const char* ok;
    const char* no;
    const char* exitQuestion;
    const char* exitNote;
    // Below the same question when the paintings cannot be kept this time: for
    // the grown-up, what happened and what to check.
    const char* exitUnkeptNote;
    const char* clearQuestion;
    const char* clearNote;
    const char* clearAllQuestion;
    const char* clearAllNote;
    const char* version;
    const char* madeFor;  // everything was made for the program
    const char* licence;
    const char* offline;  // nothing leaves the computer
    const char* showAtStart;
    const char* dip;
    const char* paint;
    const char* mix;
    const char* wash;
    const char* turn;
    const char* undo;
    const char* clearPage;
    const char* whoIsPainting;  // the chooser of a book for each child
};
// Indexed like languageArchives: 0 en, 1 de, 2 es, 3 ru, 4 fr.
const ScreenTexts& screenTexts(int language);

// ---- pictures on flat models (canvas.cpp) ----

// A rectangle of a model's face in model units: x from left to right, z from
// bottom to top.
struct Area {
    double left, bottom, right, top;
};

// A picture being drawn over an Area. cr's user space is model units with y = -z.
struct Canvas {
    artkit::Picture* picture = nullptr;
    cairo_t* cr = nullptr;
    Area area{};
};
// width and height are the texture's pixels, powers of two; the area may be
// stretched over them unevenly, and the drawing is stretched back on screen.
Canvas beginCanvas(Area area, int width, int height);
// The PNG bytes. A picture with a transparent surround clears its outermost
// pixels, so that nothing of one edge bleeds into the other; one that is the
// same all round its edge (a backdrop larger than the view) keeps them.
std::vector<uint8_t> finishCanvas(Canvas& canvas, bool clearEdges = true);

// Adds the model `entry` (one quad over `area` at y = depth, facing -y, showing
// the whole picture) and its picture "tex_<entry>.png". Translucent models blend
// their picture's alpha over what lies behind; opaque ones cover it.
void addFlatPicture(PakArchive& pak, const std::string& entry, Area area, double depth,
                    const std::vector<uint8_t>& png, bool translucent);

// Depths of the faces relative to their model's origin: a panel's face lies a
// little behind it and a control's a little in front, so that controls placed
// nearer the eye than their panel never meet its face.
constexpr double kPanelDepth = 0.05;
constexpr double kControlDepth = -0.05;

// ---- colours and shapes (drawing.cpp) ----

struct Rgb {
    double r, g, b;
};
Rgb mixed(Rgb a, Rgb b, double t);  // a at 0, b at 1
Rgb lighter(Rgb c, double t);       // towards white
Rgb darker(Rgb c, double t);        // towards black
void setSource(cairo_t* cr, Rgb c, double alpha = 1.0);

// The colours shared with the desk's buttons.
namespace colours {
constexpr Rgb green{0.35, 0.72, 0.3};
constexpr Rgb red{0.93, 0.3, 0.26};
constexpr Rgb blue{0.24, 0.58, 0.93};
constexpr Rgb pink{0.95, 0.42, 0.62};
constexpr Rgb purple{0.6, 0.42, 0.88};
constexpr Rgb orange{0.99, 0.6, 0.14};
constexpr Rgb yellow{1.0, 0.84, 0.2};
constexpr Rgb ink{0.29, 0.2, 0.16};    // words on the cards
constexpr Rgb cream{1.0, 0.976, 0.925};
constexpr Rgb border{0.96, 0.66, 0.3};  // the cards' frame
}  // namespace colours

// A rounded rectangle path, in cairo coordinates (y down).
void roundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);
// A soft shadow under a rounded rectangle, built from widening translucent layers.
void softShadow(cairo_t* cr, double x, double y, double w, double h, double radius, double spread, double alpha);
// The cream card every panel is drawn on: shadow, frame, stitched inner edge.
// Coordinates are the card's outer edge in cairo coordinates.
void drawCard(cairo_t* cr, double x, double y, double w, double h);
// A card title on a coloured ribbon centred at (cx, cy).
void drawRibbon(cairo_t* cr, double cx, double cy, double w, double h, Rgb colour);
// A glossy coloured pill (a button face) with a rim, centred at (cx, cy).
void drawPill(cairo_t* cr, double cx, double cy, double w, double h, Rgb colour);
// A glossy disc like the desk's round buttons.
void drawGlossyDisc(cairo_t* cr, double cx, double cy, double radius, Rgb colour);

// ---- white symbols for buttons and labels (symbols.cpp) ----
// Each is drawn in the current source around (cx, cy), `size` units tall.

void drawTick(cairo_t* cr, double cx, double cy, double size);
void drawCross(cairo_t* cr, double cx, double cy, double size);
void drawInfo(cairo_t* cr, double cx, double cy, double size);
void drawEraser(cairo_t* cr, double cx, double cy, double size);
void drawFamily(cairo_t* cr, double cx, double cy, double size);
void drawSpeaker(cairo_t* cr, double cx, double cy, double size);
void drawNote(cairo_t* cr, double cx, double cy, double size);
// Draws a symbol twice: a soft dark shadow, then in white.
void drawWhiteSymbol(cairo_t* cr, void (*symbol)(cairo_t*, double, double, double), double cx, double cy,
                     double size);

// ---- coloured pictures of the desk's things (pictograms.cpp) ----
// Each fits a box `size` units tall centred at (cx, cy).

void drawFlower(cairo_t* cr, double cx, double cy, double size, Rgb petals, int petalCount);
void drawJar(cairo_t* cr, double cx, double cy, double size, Rgb paint);
// The brush lying at `degrees` from vertical (positive leans right), tip down.
void drawBrush(cairo_t* cr, double cx, double cy, double size, double degrees, const Rgb* tip);
void drawPage(cairo_t* cr, double cx, double cy, double size, const Rgb* fill);
void drawPalette(cairo_t* cr, double cx, double cy, double size);
void drawGlass(cairo_t* cr, double cx, double cy, double size);
void drawArrowButton(cairo_t* cr, double cx, double cy, double radius, bool right);
void drawMoon(cairo_t* cr, double cx, double cy, double size);
// A curved arrow from (x0, y0) to (x1, y1), bending by `bend` units to its left.
void drawCurvedArrow(cairo_t* cr, double x0, double y0, double x1, double y1, double bend, double width, Rgb colour);
// A small sparkle (four-pointed star).
void drawSparkle(cairo_t* cr, double cx, double cy, double size, Rgb colour, double alpha);

// ---- words (text.cpp) ----

enum class Align { Left, Centre, Right };

struct TextStyle {
    double size = 0.4;  // units from the top of the tallest letters to the bottom of the lowest
    bool bold = false;
    Rgb colour = colours::ink;
    Align align = Align::Centre;
    double minSize = 0.2;  // the size may shrink this far to fit the box
};

// Writes `text` (UTF-8) in Andika inside the box (cairo coordinates), wrapped at
// words and centred vertically; the size shrinks until the words fit. Returns
// the size used.
double drawText(cairo_t* cr, const std::string& text, double x, double y, double w, double h, const TextStyle& style);
// Width in units that `text` takes on one line at `size`.
double textWidth(cairo_t* cr, const std::string& text, double size, bool bold);

// ---- the archives' contents ----

void addCommonPictures(PakArchive& pak);                         // common.cpp
void addSetupPanel(PakArchive& pak, const ScreenTexts& t);       // setup_panel.cpp
void addQuestionPanels(PakArchive& pak, const ScreenTexts& t);   // question_panels.cpp
void addLanguageButtons(PakArchive& pak, const ScreenTexts& t);  // buttons.cpp
void addAboutPanel(PakArchive& pak, const ScreenTexts& t);       // about_panel.cpp
void addHelpPanel(PakArchive& pak, const ScreenTexts& t);        // help_panel.cpp
void addHelpBackground(PakArchive& pak);                         // help_background.cpp
void addChooserPictures(PakArchive& pak);                        // animals.cpp

// The screen positions the pictures are drawn around (they come from the
// program's screen builders and must change with them).
namespace place {
// Panels, relative to the screen holder; the eye is 100 units in front of it, along -y.
constexpr double panelX = 0.245, panelZ = 0.258;
constexpr double topPanelY = -81.5;
constexpr double eyeY = -100.0;
constexpr double topPanelDistance = topPanelY - eyeY;  // 18.5
// Controls the pictures are drawn beside, relative to their panel (x, y, z).
constexpr double setupSoundX = -3.212, setupSoundZ = 1.498, setupMusicZ = 0.684, setupCheckY = -0.635;
constexpr double helpCheckX = -2.594, helpCheckY = -0.142, helpCheckZ = 0.301;
constexpr double questionButtonZ = -0.871;  // OK and "no" on the three questions
// The help screen's copies of the desk's back and clear buttons, relative to the holder.
constexpr double helpBackX = -2.781, helpClearX = 1.781, helpButtonsY = -61.005, helpButtonsZ = 14.85;
}  // namespace place

// Where a point of a control placed `nearer` units in front of its panel
// appears on the panel's face (perspective from the eye, panel `panelDistance`
// units from it): panel coordinates are scaled away from the view's centre.
double seenOnPanel(double panelCoordinate, double centreOffset, double panelDistance, double nearer);

// The sizes of the controls, shared by the pictures and the panels drawn around them.
namespace size {
constexpr double okWidth = 2.5, okHeight = 0.8;       // OK and cancel
constexpr double wideWidth = 3.7, wideHeight = 0.72;  // setup's web and about, side by side
constexpr double clearAllWidth = 4.6;                 // setup's clear-all, alone on its row
constexpr double closeRadius = 0.42;
constexpr double checkSide = 0.68;
}  // namespace size

// ---- the parents' guide (guide.cpp) ----

// The whole page, UTF-8 HTML with one section per language.
std::string parentsGuideHtml();

}  // namespace screenart
