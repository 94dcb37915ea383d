// The round HUD buttons: glossy coloured discs, 2 units across, each with one
// bold white symbol painted into its picture. No words: the desk is the same in
// every language.
#include <cmath>

#include "tools/artwork/desk/desk_art.h"
#include "resources/desk_entries.h"

namespace desk {

namespace {

const double kPi = 3.14159265358979323846;
const int kSize = 256;
// The disc's radius 1 spans this many pixels of the picture (see the projection).
const double kTextureSpan = 2.1;

enum class Symbol { Close, Help, Menu, Left, Right, Back, Clear };

// Draws the symbol in the current source, in pixels around the button's centre.
// Details cut back out of the shape take `cutColour`; the shadow has none.
void drawSymbol(cairo_t* cr, Symbol symbol, const Rgb* cutColour) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    switch (symbol) {
        case Symbol::Close:
            cairo_set_line_width(cr, 22);
            cairo_move_to(cr, -34, -34);
            cairo_line_to(cr, 34, 34);
            cairo_move_to(cr, -34, 34);
            cairo_line_to(cr, 34, -34);
            cairo_stroke(cr);
            break;
        case Symbol::Help:
            cairo_set_line_width(cr, 20);
            cairo_arc(cr, 0, -24, 25, kPi, 2 * kPi + 0.36 * kPi);
            cairo_line_to(cr, 0, 6);
            cairo_line_to(cr, 0, 14);
            cairo_stroke(cr);
            cairo_arc(cr, 0, 42, 12.5, 0, 2 * kPi);
            cairo_fill(cr);
            break;
        case Symbol::Menu:
            cairo_set_line_width(cr, 16);
            for (int i = -1; i <= 1; ++i) {
                cairo_move_to(cr, -36, 27 * i);
                cairo_line_to(cr, 36, 27 * i);
            }
            cairo_stroke(cr);
            break;
        case Symbol::Left:
        case Symbol::Right:
            if (symbol == Symbol::Left) cairo_scale(cr, -1, 1);
            cairo_set_line_width(cr, 22);
            cairo_move_to(cr, -38, 0);
            cairo_line_to(cr, 10, 0);
            cairo_stroke(cr);
            cairo_set_line_width(cr, 10);
            cairo_move_to(cr, 2, -36);
            cairo_line_to(cr, 40, 0);
            cairo_line_to(cr, 2, 36);
            cairo_close_path(cr);
            cairo_fill_preserve(cr);
            cairo_stroke(cr);
            break;
        case Symbol::Back:
            cairo_translate(cr, 6, -4);
            cairo_set_line_width(cr, 20);
            cairo_arc_negative(cr, 4, 4, 30, kPi / 3, -kPi);
            cairo_stroke(cr);
            cairo_set_line_width(cr, 8);
            cairo_move_to(cr, -26 - 22, 0);
            cairo_line_to(cr, -26 + 22, 0);
            cairo_line_to(cr, -26, 30);
            cairo_close_path(cr);
            cairo_fill_preserve(cr);
            cairo_stroke(cr);
            break;
        case Symbol::Clear: {
            // A two-part eraser wiping a swoosh.
            cairo_save(cr);
            cairo_translate(cr, 2, -12);
            cairo_rotate(cr, -30 * kPi / 180);
            double w = 78, h = 40, r = 10;
            cairo_new_sub_path(cr);
            cairo_arc(cr, w / 2 - r, -h / 2 + r, r, -kPi / 2, 0);
            cairo_arc(cr, w / 2 - r, h / 2 - r, r, 0, kPi / 2);
            cairo_arc(cr, -w / 2 + r, h / 2 - r, r, kPi / 2, kPi);
            cairo_arc(cr, -w / 2 + r, -h / 2 + r, r, kPi, 1.5 * kPi);
            cairo_close_path(cr);
            cairo_fill(cr);
            // The eraser's sleeve line is cut out in the button colour.
            if (cutColour) {
                cairo_save(cr);
                cairo_set_source_rgb(cr, cutColour->r, cutColour->g, cutColour->b);
                cairo_set_line_width(cr, 5);
                cairo_move_to(cr, -6, -h / 2 + 3);
                cairo_line_to(cr, -6, h / 2 - 3);
                cairo_stroke(cr);
                cairo_restore(cr);
            }
            cairo_restore(cr);
            cairo_set_line_width(cr, 9);
            cairo_move_to(cr, -40, 40);
            cairo_curve_to(cr, -22, 28, -8, 50, 8, 38);
            cairo_curve_to(cr, 20, 30, 30, 40, 40, 34);
            cairo_stroke(cr);
            break;
        }
    }
}

std::vector<uint8_t> buttonPicture(Rgb base, Symbol symbol) {
    artkit::Picture* pic = artkit::newPicture(kSize, kSize);
    cairo_t* cr = cairoOf(pic);
    const double c = kSize / 2.0, px = kSize / kTextureSpan;  // pixels per unit
    auto scaled = [](Rgb b, double k) { return Rgb{b.r * k, b.g * k, b.b * k}; };
    Rgb rim = scaled(base, 0.78);
    cairo_set_source_rgb(cr, rim.r, rim.g, rim.b);
    cairo_paint(cr);
    // The face: lighter towards the top left, where the light seems to come from.
    cairo_pattern_t* face = cairo_pattern_create_radial(c - 14, c - 22, 4, c, c, 0.88 * px);
    Rgb hi = {std::fmin(1.0, base.r * 1.15 + 0.05), std::fmin(1.0, base.g * 1.15 + 0.05), std::fmin(1.0, base.b * 1.15 + 0.05)};
    cairo_pattern_add_color_stop_rgb(face, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(face, 0.8, base.r, base.g, base.b);
    cairo_pattern_add_color_stop_rgb(face, 1, base.r * 0.9, base.g * 0.9, base.b * 0.9);
    cairo_arc(cr, c, c, 0.88 * px, 0, 2 * kPi);
    cairo_set_source(cr, face);
    cairo_fill(cr);
    cairo_pattern_destroy(face);
    // A thin light lip where the face meets the rim.
    cairo_set_line_width(cr, 3);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
    cairo_arc(cr, c, c, 0.88 * px - 2, 0, 2 * kPi);
    cairo_stroke(cr);
    // A soft gloss over the upper half.
    cairo_save(cr);
    cairo_translate(cr, c, c - 0.42 * px);
    cairo_scale(cr, 0.62 * px, 0.3 * px);
    cairo_pattern_t* gloss = cairo_pattern_create_linear(0, -1, 0, 1);
    cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, 0.45);
    cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, 0.0);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_set_source(cr, gloss);
    cairo_fill(cr);
    cairo_pattern_destroy(gloss);
    cairo_restore(cr);
    // The symbol: a soft shadow, then the white shape.
    for (int pass = 0; pass < 3; ++pass) {
        cairo_save(cr);
        if (pass < 2) {
            cairo_translate(cr, c + 3 + pass, c + 5 + pass);
            cairo_set_source_rgba(cr, 0.1, 0.05, 0.0, pass == 0 ? 0.22 : 0.12);
            drawSymbol(cr, symbol, nullptr);
        } else {
            cairo_translate(cr, c, c);
            cairo_set_source_rgb(cr, 1, 1, 1);
            drawSymbol(cr, symbol, &base);
        }
        cairo_restore(cr);
    }
    return artkit::finishPicture(pic);
}

// A thick disc with a rounded edge and a gently domed face towards -y. The
// back lies against nothing anyone sees, so it stays open behind a bevel that
// rounds the edge seen on the corner buttons. A button is about 66 pixels
// across at 1080 lines: 24 segments keep its outline within a third of a pixel.
MeshBuilder buttonDisc() {
    std::vector<V2> profile{{0.92, 0}, {0.98, 0.06}, {0.98, 0.14}};
    appendArc(profile, {0.86, 0.14}, 0.12, 0, 90, 3);
    // The dome only shades, and at this size three rings shade it smoothly.
    const int domeSteps = 3;
    for (int k = 1; k <= domeSteps; ++k) {
        double r = 0.86 * (1.0 - double(k) / domeSteps);
        double f = r / 0.86;
        profile.push_back({r, 0.26 + 0.12 * (1 - f * f)});
    }
    MeshBuilder disc;
    artkit::addRevolution(disc, profile, 24);
    transformMesh(disc, rotationX(90));  // the face turns to -y
    projectTexCoords(disc, {-kTextureSpan / 2, 0, kTextureSpan / 2}, {1.0 / kTextureSpan, 0, 0},
                     {0, 0, -1.0 / kTextureSpan});
    return disc;
}

}  // namespace

void addHudButtons(DeskArchive& out) {
    struct Button {
        const char* model;
        const char* picture;
        Rgb colour;
        Symbol symbol;
    };
    const Rgb orange{0.99, 0.6, 0.14};
    const Button buttons[] = {
        {deskEntry::closeButton, "tex_button_close.png", {0.93, 0.3, 0.26}, Symbol::Close},
        {deskEntry::helpButton, "tex_button_help.png", {0.24, 0.58, 0.93}, Symbol::Help},
        {deskEntry::menuButton, "tex_button_menu.png", {0.35, 0.72, 0.3}, Symbol::Menu},
        {deskEntry::leftArrow, "tex_button_left.png", orange, Symbol::Left},
        {deskEntry::rightArrow, "tex_button_right.png", orange, Symbol::Right},
        {deskEntry::backButton, "tex_button_back.png", {0.6, 0.42, 0.88}, Symbol::Back},
        {deskEntry::clearButton, "tex_button_clear.png", {0.95, 0.42, 0.62}, Symbol::Clear},
    };
    MeshBuilder disc = buttonDisc();
    for (const Button& b : buttons) {
        Material material = artkit::makeMaterial(float(b.colour.r), float(b.colour.g), float(b.colour.b), 1, 0.45f, 30);
        addModelEntry(out, b.model, {artkit::toMeshData(disc, b.picture, material)});
        addPictureEntry(out, b.picture, buttonPicture(b.colour, b.symbol));
    }
}

}  // namespace desk
