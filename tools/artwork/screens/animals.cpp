// The "Who is painting?" pictures (animals.pak): twelve animal faces a child
// tells apart without reading, each on a round glossy badge of its own colour,
// large for the chooser and small with a swap sign for the menu; and the
// chooser's card with its question in each language.
#include <cmath>
#include <string>

#include "screens/chooser_entries.h"
#include "screens/screen_entries.h"
#include "tools/artwork/screens/screens_art.h"

namespace screenart {

namespace {

const double kPi = 3.14159265358979323846;
const Rgb kOutline{0.22, 0.15, 0.12};

void circle(cairo_t* cr, double x, double y, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * kPi);
}
void ellipse(cairo_t* cr, double x, double y, double rx, double ry, double angle = 0) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
}
// Fills the current path in colour and outlines it.
void paint(cairo_t* cr, Rgb colour, double line = 0.035) {
    setSource(cr, colour);
    cairo_fill_preserve(cr);
    setSource(cr, kOutline);
    cairo_set_line_width(cr, line);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}
void fill(cairo_t* cr, Rgb colour) {
    setSource(cr, colour);
    cairo_fill(cr);
}
// Two friendly eyes with a light catch.
void eyes(cairo_t* cr, double dx, double y, double r) {
    for (int side = -1; side <= 1; side += 2) {
        circle(cr, side * dx, y, r);
        fill(cr, kOutline);
        circle(cr, side * dx + r * 0.35, y - r * 0.35, r * 0.35);
        fill(cr, {1, 1, 1});
    }
}
void smile(cairo_t* cr, double y, double w) {
    cairo_new_path(cr);
    cairo_arc(cr, 0, y - w * 0.5, w, kPi * 0.25, kPi * 0.75);
    setSource(cr, kOutline);
    cairo_set_line_width(cr, 0.035);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}
void cheeks(cairo_t* cr, double dx, double y) {
    for (int side = -1; side <= 1; side += 2) {
        circle(cr, side * dx, y, 0.08);
        setSource(cr, {0.95, 0.45, 0.5}, 0.45);
        cairo_fill(cr);
    }
}
void triangle(cairo_t* cr, double x0, double y0, double x1, double y1, double x2, double y2) {
    cairo_new_sub_path(cr);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_line_to(cr, x2, y2);
    cairo_close_path(cr);
}

// Each face is drawn about the origin within a radius of about 0.75.
void fox(cairo_t* cr) {
    const Rgb orange{0.95, 0.5, 0.15};
    for (int s = -1; s <= 1; s += 2) {
        triangle(cr, s * 0.62, -0.1, s * 0.55, -0.78, s * 0.15, -0.42);
        paint(cr, orange);
        triangle(cr, s * 0.5, -0.25, s * 0.48, -0.62, s * 0.27, -0.42);
        fill(cr, {0.35, 0.2, 0.15});
    }
    cairo_new_path(cr);
    cairo_move_to(cr, -0.68, -0.2);
    cairo_curve_to(cr, -0.6, -0.55, 0.6, -0.55, 0.68, -0.2);
    cairo_curve_to(cr, 0.62, 0.2, 0.2, 0.55, 0, 0.62);
    cairo_curve_to(cr, -0.2, 0.55, -0.62, 0.2, -0.68, -0.2);
    cairo_close_path(cr);
    paint(cr, orange);
    cairo_move_to(cr, -0.6, 0.0);
    cairo_curve_to(cr, -0.3, 0.05, -0.15, 0.25, 0, 0.6);
    cairo_curve_to(cr, 0.15, 0.25, 0.3, 0.05, 0.6, 0.0);
    cairo_curve_to(cr, 0.5, 0.3, 0.2, 0.55, 0, 0.62);
    cairo_curve_to(cr, -0.2, 0.55, -0.5, 0.3, -0.6, 0.0);
    fill(cr, {1, 0.97, 0.92});
    eyes(cr, 0.24, -0.08, 0.07);
    ellipse(cr, 0, 0.5, 0.09, 0.07);
    fill(cr, kOutline);
}

void owl(cairo_t* cr) {
    const Rgb brown{0.62, 0.42, 0.28};
    for (int s = -1; s <= 1; s += 2) {
        triangle(cr, s * 0.55, -0.35, s * 0.62, -0.8, s * 0.25, -0.55);
        paint(cr, brown);
    }
    ellipse(cr, 0, 0.05, 0.62, 0.68);
    paint(cr, brown);
    ellipse(cr, 0, 0.38, 0.36, 0.3);
    fill(cr, {0.93, 0.84, 0.68});
    for (int s = -1; s <= 1; s += 2) {
        circle(cr, s * 0.25, -0.12, 0.22);
        paint(cr, {1.0, 0.85, 0.3});
        circle(cr, s * 0.25, -0.12, 0.13);
        fill(cr, kOutline);
        circle(cr, s * 0.25 + 0.05, -0.17, 0.045);
        fill(cr, {1, 1, 1});
    }
    triangle(cr, -0.08, 0.07, 0.08, 0.07, 0, 0.24);
    paint(cr, {0.98, 0.6, 0.15}, 0.025);
    for (int i = 0; i < 3; ++i) {
        cairo_new_path(cr);
        cairo_arc(cr, -0.15 + i * 0.15, 0.38, 0.06, 0.2, kPi - 0.2);
        setSource(cr, {0.7, 0.55, 0.4});
        cairo_set_line_width(cr, 0.025);
        cairo_stroke(cr);
    }
}

void bear(cairo_t* cr) {
    const Rgb brown{0.6, 0.38, 0.22};
    for (int s = -1; s <= 1; s += 2) {
        circle(cr, s * 0.48, -0.5, 0.2);
        paint(cr, brown);
        circle(cr, s * 0.48, -0.5, 0.1);
        fill(cr, {0.85, 0.65, 0.5});
    }
    circle(cr, 0, 0.02, 0.62);
    paint(cr, brown);
    ellipse(cr, 0, 0.24, 0.26, 0.2);
    fill(cr, {0.9, 0.75, 0.58});
    eyes(cr, 0.22, -0.12, 0.07);
    ellipse(cr, 0, 0.14, 0.09, 0.065);
    fill(cr, kOutline);
    smile(cr, 0.28, 0.1);
}

void rabbit(cairo_t* cr) {
    const Rgb fur{0.9, 0.9, 0.92};
    for (int s = -1; s <= 1; s += 2) {
        ellipse(cr, s * 0.2, -0.55, 0.13, 0.38, s * 0.12);
        paint(cr, fur);
        ellipse(cr, s * 0.2, -0.52, 0.06, 0.27, s * 0.12);
        fill(cr, {0.98, 0.68, 0.75});
    }
    ellipse(cr, 0, 0.22, 0.5, 0.44);
    paint(cr, fur);
    eyes(cr, 0.2, 0.12, 0.065);
    triangle(cr, -0.06, 0.27, 0.06, 0.27, 0, 0.34);
    paint(cr, {0.98, 0.55, 0.65}, 0.02);
    cheeks(cr, 0.32, 0.33);
    smile(cr, 0.42, 0.08);
}

void hedgehog(cairo_t* cr) {
    // Spines round the top and sides, a pale pointed face in front.
    cairo_new_path(cr);
    const int spikes = 11;
    for (int i = 0; i <= spikes * 2; ++i) {
        double a = kPi * 0.95 + i * (kPi * 1.1) / (spikes * 2);
        double r = (i % 2) ? 0.74 : 0.55;
        double x = std::cos(a) * r, y = std::sin(a) * r * 0.9 + 0.08;
        if (i == 0) cairo_move_to(cr, x, y);
        else cairo_line_to(cr, x, y);
    }
    cairo_line_to(cr, 0.5, 0.45);
    cairo_line_to(cr, -0.5, 0.45);
    cairo_close_path(cr);
    paint(cr, {0.45, 0.3, 0.2});
    cairo_new_path(cr);
    cairo_move_to(cr, -0.45, 0.0);
    cairo_curve_to(cr, -0.4, -0.3, 0.4, -0.3, 0.45, 0.0);
    cairo_curve_to(cr, 0.4, 0.3, 0.15, 0.55, 0, 0.6);
    cairo_curve_to(cr, -0.15, 0.55, -0.4, 0.3, -0.45, 0.0);
    cairo_close_path(cr);
    paint(cr, {0.95, 0.85, 0.68});
    eyes(cr, 0.17, 0.02, 0.06);
    circle(cr, 0, 0.56, 0.075);
    fill(cr, kOutline);
    cheeks(cr, 0.28, 0.2);
}

void frog(cairo_t* cr) {
    const Rgb green{0.45, 0.78, 0.3};
    for (int s = -1; s <= 1; s += 2) {
        circle(cr, s * 0.3, -0.38, 0.22);
        paint(cr, green);
        circle(cr, s * 0.3, -0.38, 0.14);
        fill(cr, {1, 1, 1});
        circle(cr, s * 0.3, -0.36, 0.08);
        fill(cr, kOutline);
    }
    ellipse(cr, 0, 0.12, 0.68, 0.46);
    paint(cr, green);
    // The wide smile.
    cairo_new_path(cr);
    cairo_move_to(cr, -0.42, 0.12);
    cairo_curve_to(cr, -0.2, 0.4, 0.2, 0.4, 0.42, 0.12);
    setSource(cr, kOutline);
    cairo_set_line_width(cr, 0.04);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cheeks(cr, 0.45, 0.22);
    for (int s = -1; s <= 1; s += 2) {
        circle(cr, s * 0.06, 0.0, 0.022);
        fill(cr, kOutline);
    }
}

void cat(cairo_t* cr) {
    const Rgb grey{0.62, 0.62, 0.68};
    for (int s = -1; s <= 1; s += 2) {
        triangle(cr, s * 0.6, -0.05, s * 0.52, -0.72, s * 0.15, -0.45);
        paint(cr, grey);
        triangle(cr, s * 0.5, -0.2, s * 0.47, -0.56, s * 0.28, -0.42);
        fill(cr, {0.98, 0.7, 0.75});
    }
    ellipse(cr, 0, 0.08, 0.62, 0.55);
    paint(cr, grey);
    // Stripes on the forehead.
    for (int i = -1; i <= 1; ++i) {
        cairo_new_path(cr);
        cairo_move_to(cr, i * 0.1, -0.45);
        cairo_line_to(cr, i * 0.1, -0.3);
        setSource(cr, {0.42, 0.42, 0.48});
        cairo_set_line_width(cr, 0.05);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
    for (int s = -1; s <= 1; s += 2) {
        ellipse(cr, s * 0.23, -0.02, 0.1, 0.12);
        fill(cr, {0.55, 0.8, 0.35});
        ellipse(cr, s * 0.23, -0.02, 0.035, 0.1);
        fill(cr, kOutline);
        for (int w = 0; w < 3; ++w) {
            cairo_new_path(cr);
            cairo_move_to(cr, s * 0.2, 0.22 + w * 0.05);
            cairo_line_to(cr, s * 0.62, 0.14 + w * 0.1);
            setSource(cr, kOutline);
            cairo_set_line_width(cr, 0.018);
            cairo_stroke(cr);
        }
    }
    triangle(cr, -0.07, 0.15, 0.07, 0.15, 0, 0.23);
    paint(cr, {0.98, 0.55, 0.65}, 0.02);
    smile(cr, 0.3, 0.07);
}

void duck(cairo_t* cr) {
    circle(cr, 0, -0.02, 0.58);
    paint(cr, {1.0, 0.86, 0.25});
    // A tuft on top.
    cairo_new_path(cr);
    cairo_move_to(cr, -0.05, -0.58);
    cairo_curve_to(cr, -0.1, -0.8, 0.15, -0.8, 0.08, -0.62);
    paint(cr, {1.0, 0.86, 0.25});
    eyes(cr, 0.22, -0.12, 0.07);
    ellipse(cr, 0, 0.24, 0.3, 0.13);
    paint(cr, {0.98, 0.55, 0.12});
    cairo_new_path(cr);
    cairo_move_to(cr, -0.26, 0.25);
    cairo_line_to(cr, 0.26, 0.25);
    setSource(cr, kOutline);
    cairo_set_line_width(cr, 0.025);
    cairo_stroke(cr);
    cheeks(cr, 0.38, 0.06);
}

void turtle(cairo_t* cr) {
    const Rgb skin{0.55, 0.8, 0.45}, shell{0.35, 0.6, 0.3};
    // Shell behind, head in front.
    ellipse(cr, 0, 0.25, 0.72, 0.45);
    paint(cr, shell);
    for (int i = -1; i <= 1; ++i) {
        cairo_new_path(cr);
        for (int k = 0; k < 6; ++k) {
            double a = k * kPi / 3;
            double x = i * 0.42 + std::cos(a) * 0.17, y = 0.38 + std::sin(a) * 0.13;
            if (k == 0) cairo_move_to(cr, x, y);
            else cairo_line_to(cr, x, y);
        }
        cairo_close_path(cr);
        paint(cr, {0.5, 0.72, 0.35}, 0.025);
    }
    circle(cr, 0, -0.22, 0.42);
    paint(cr, skin);
    eyes(cr, 0.17, -0.28, 0.07);
    smile(cr, -0.1, 0.12);
    cheeks(cr, 0.3, -0.1);
}

void bee(cairo_t* cr) {
    // Wings, a striped round body, feelers.
    for (int s = -1; s <= 1; s += 2) {
        ellipse(cr, s * 0.35, -0.45, 0.25, 0.18, s * -0.5);
        setSource(cr, {0.85, 0.95, 1.0}, 0.9);
        cairo_fill_preserve(cr);
        setSource(cr, kOutline);
        cairo_set_line_width(cr, 0.03);
        cairo_stroke(cr);
        cairo_new_path(cr);
        cairo_move_to(cr, s * 0.12, -0.5);
        cairo_curve_to(cr, s * 0.15, -0.7, s * 0.25, -0.75, s * 0.3, -0.72);
        cairo_set_line_width(cr, 0.03);
        cairo_stroke(cr);
        circle(cr, s * 0.3, -0.72, 0.05);
        fill(cr, kOutline);
    }
    circle(cr, 0, 0.05, 0.55);
    paint(cr, {1.0, 0.82, 0.15});
    cairo_save(cr);
    circle(cr, 0, 0.05, 0.55);
    cairo_clip(cr);
    for (double y : {0.28, 0.5}) {
        cairo_rectangle(cr, -0.7, y - 0.06, 1.4, 0.12);
        fill(cr, kOutline);
    }
    cairo_restore(cr);
    eyes(cr, 0.2, -0.08, 0.07);
    smile(cr, 0.08, 0.09);
    cheeks(cr, 0.34, 0.05);
}

void mouse(cairo_t* cr) {
    const Rgb grey{0.7, 0.7, 0.74};
    for (int s = -1; s <= 1; s += 2) {
        circle(cr, s * 0.45, -0.4, 0.3);
        paint(cr, grey);
        circle(cr, s * 0.45, -0.4, 0.18);
        fill(cr, {0.98, 0.7, 0.75});
    }
    cairo_new_path(cr);
    cairo_move_to(cr, -0.42, -0.15);
    cairo_curve_to(cr, -0.45, -0.5, 0.45, -0.5, 0.42, -0.15);
    cairo_curve_to(cr, 0.38, 0.2, 0.12, 0.55, 0, 0.58);
    cairo_curve_to(cr, -0.12, 0.55, -0.38, 0.2, -0.42, -0.15);
    cairo_close_path(cr);
    paint(cr, grey);
    eyes(cr, 0.16, -0.05, 0.06);
    circle(cr, 0, 0.52, 0.07);
    fill(cr, {0.95, 0.5, 0.6});
    for (int s = -1; s <= 1; s += 2)
        for (int w = 0; w < 2; ++w) {
            cairo_new_path(cr);
            cairo_move_to(cr, s * 0.08, 0.42 + w * 0.05);
            cairo_line_to(cr, s * 0.45, 0.32 + w * 0.12);
            setSource(cr, kOutline);
            cairo_set_line_width(cr, 0.016);
            cairo_stroke(cr);
        }
}

void whale(cairo_t* cr) {
    const Rgb blue{0.35, 0.6, 0.9};
    // The spout, then the body with a tail.
    for (int s = -1; s <= 1; s += 2) {
        cairo_new_path(cr);
        cairo_move_to(cr, -0.1, -0.35);
        cairo_curve_to(cr, -0.1, -0.6, s * 0.15, -0.7, s * 0.28, -0.62);
        setSource(cr, {0.55, 0.8, 1.0});
        cairo_set_line_width(cr, 0.06);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
    cairo_move_to(cr, -0.7, 0.1);
    cairo_curve_to(cr, -0.7, -0.45, 0.35, -0.45, 0.45, 0.05);
    cairo_line_to(cr, 0.72, -0.22);
    cairo_line_to(cr, 0.66, 0.12);
    cairo_line_to(cr, 0.74, 0.4);
    cairo_line_to(cr, 0.45, 0.2);
    cairo_curve_to(cr, 0.3, 0.5, -0.7, 0.5, -0.7, 0.1);
    cairo_close_path(cr);
    paint(cr, blue);
    cairo_new_path(cr);
    cairo_move_to(cr, -0.62, 0.22);
    cairo_curve_to(cr, -0.4, 0.45, 0.1, 0.45, 0.3, 0.28);
    cairo_curve_to(cr, 0.1, 0.38, -0.4, 0.38, -0.62, 0.22);
    fill(cr, {0.85, 0.93, 1.0});
    // Seen from the side: one eye and half a smile.
    circle(cr, -0.3, -0.02, 0.07);
    fill(cr, kOutline);
    circle(cr, -0.275, -0.045, 0.025);
    fill(cr, {1, 1, 1});
    cairo_save(cr);
    cairo_translate(cr, -0.3, 0);
    smile(cr, 0.12, 0.12);
    cairo_restore(cr);
}

struct AnimalArt {
    void (*draw)(cairo_t*);
    Rgb badge;  // the badge's colour, different for each, so the colour helps too
};
const AnimalArt kArt[animalCount] = {
    {fox, {0.55, 0.8, 0.45}},       {owl, {0.45, 0.5, 0.85}},     {bear, {0.98, 0.8, 0.35}},
    {rabbit, {0.55, 0.78, 0.95}},   {hedgehog, {0.7, 0.88, 0.5}}, {frog, {0.98, 0.65, 0.65}},
    {cat, {0.95, 0.72, 0.4}},       {duck, {0.5, 0.7, 0.95}},     {turtle, {0.98, 0.85, 0.5}},
    {bee, {0.68, 0.55, 0.9}},       {mouse, {0.95, 0.6, 0.45}},   {whale, {0.98, 0.9, 0.55}},
};

// Two curved arrows chasing each other round (cx, cy): "someone else".
void drawSwap(cairo_t* cr, double cx, double cy, double r) {
    cairo_set_line_width(cr, r * 0.28);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int half = 0; half < 2; ++half) {
        double start = half * kPi + 0.35, end = start + kPi - 0.9;
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, r * 0.62, start, end);
        cairo_stroke(cr);
        double tipX = cx + std::cos(end) * r * 0.62, tipY = cy + std::sin(end) * r * 0.62;
        double along = end + kPi / 2;
        cairo_new_path(cr);
        cairo_move_to(cr, tipX + std::cos(along) * r * 0.38, tipY + std::sin(along) * r * 0.38);
        cairo_line_to(cr, tipX + std::cos(end) * r * 0.3, tipY + std::sin(end) * r * 0.3);
        cairo_line_to(cr, tipX - std::cos(end) * r * 0.3, tipY - std::sin(end) * r * 0.3);
        cairo_close_path(cr);
        cairo_fill(cr);
    }
}

void addAnimal(PakArchive& pak, int animal, double radius, bool swapSign) {
    const double edge = radius + 0.08;
    const Area area{-edge, -edge, edge, edge};
    Canvas c = beginCanvas(area, 256, 256);
    cairo_t* cr = c.cr;
    drawGlossyDisc(cr, 0, 0, radius, kArt[animal].badge);
    cairo_save(cr);
    cairo_scale(cr, radius * 1.05, radius * 1.05);
    cairo_translate(cr, 0, 0.04);
    kArt[animal].draw(cr);
    cairo_restore(cr);
    if (swapSign) {
        const double r = radius * 0.34, x = radius * 0.72, y = radius * 0.72;
        drawGlossyDisc(cr, x, y, r, colours::green);
        cairo_set_source_rgb(cr, 1, 1, 1);
        drawSwap(cr, x, y, r * 0.85);
    }
    std::string entry = std::string("animal_") + animalNames[animal] + (swapSign ? "_switch" : "");
    addFlatPicture(pak, entry, area, kControlDepth, finishCanvas(c), true);
}

// The chooser's card: three rows of four animals below the question.
void addChooserCard(PakArchive& pak, const ScreenTexts& t) {
    const double left = -6.0, right = 6.0, bottom = -4.0, top = 3.9;
    const Area area{left - 0.3, bottom - 0.3, right + 0.3, top + 0.6};
    Canvas c = beginCanvas(area, 1024, 1024);
    cairo_t* cr = c.cr;
    drawCard(cr, left, -top, right - left, top - bottom);
    drawRibbon(cr, 0, -top, 6.4, 0.9, colours::orange);
    TextStyle title;
    title.size = 0.6;
    title.minSize = 0.4;
    title.bold = true;
    title.colour = {1, 1, 1};
    drawText(cr, t.whoIsPainting, -3.0, -top - 0.45, 6.0, 0.9, title);
    addFlatPicture(pak, std::string("chooser_") + t.code, area, kPanelDepth, finishCanvas(c), true);
}

}  // namespace

void addChooserPictures(PakArchive& pak) {
    for (int animal = 0; animal < animalCount; ++animal) {
        addAnimal(pak, animal, 0.95, false);
        addAnimal(pak, animal, 0.6, true);
    }
    for (int language = 0; language < screenLanguageCount; ++language) addChooserCard(pak, screenTexts(language));
}

}  // namespace screenart
