// The desk itself: a light wooden top that fills the window behind everything,
// the sheet of craft cardboard under the book, and the push pin that holds it.
//
// The background node stands at the scene origin, so model y is depth behind the
// page (the page lies near y = 0) and model x, z are the scene's x, y.
#include <cmath>

#include "tools/artwork/desk/desk_art.h"
#include "resources/desk_entries.h"

namespace desk {

namespace {

const double kPi = 3.14159265358979323846;

// Planks of light wood running across the desk, eight to a picture; the picture
// repeats seamlessly both ways.
std::vector<uint8_t> deskWoodPicture() {
    const int size = 1024, planks = 8, plankHeight = size / planks;
    Random rnd(11);
    struct Plank {
        Rgb base;
        double joint;   // x of the butt joint between two boards, in pixels
        double shade2;  // brightness of the board right of the joint
        uint32_t seed;
    };
    std::vector<Plank> board;
    for (int p = 0; p < planks; ++p) {
        double k = 0.94 + 0.1 * rnd.next();
        Rgb base{0.90 * k, 0.74 * k, 0.53 * k * (0.97 + 0.05 * rnd.next())};
        board.push_back({base, size * rnd.next(), 0.94 + 0.1 * rnd.next(), uint32_t(100 + p * 17)});
    }
    artkit::Picture* pic = artkit::newPicture(size, size);
    paintPixels(pic, size, size, [&](int x, int y) {
        int p = y / plankHeight;
        const Plank& pl = board[size_t(p)];
        double ly = y - p * plankHeight;
        double fx = double(x) / size, fy = double(y) / size;
        // Grain: stretched lines that wander slowly; knots are left out, they read
        // as eyes or dirt at this size.
        double warp = periodicFbm(fx * 4, fy * 8, 4, 8, pl.seed, 4);
        double g = (ly + 40.0 * warp) / 9.0;
        double line = 0.5 + 0.5 * std::sin(2 * kPi * g + 2.5 * periodicNoise(fx * 8, fy * 64, 8, 64, pl.seed + 7));
        double grain = std::pow(line, 6.0);
        double fibre = periodicNoise(fx * 128, fy * 512, 128, 512, pl.seed + 3);
        double mottle = periodicFbm(fx * 2, fy * 16, 2, 16, pl.seed + 5, 3);
        // Two boards to a plank, butted end to end half a picture apart.
        double along = std::fmod(x - pl.joint + 2.0 * size, double(size));
        double piece = along < size * 0.5 ? pl.shade2 : 1.0;
        double shade = piece * (0.96 + 0.06 * mottle) * (1.0 - 0.13 * grain) * (0.97 + 0.05 * fibre);
        Rgb c{pl.base.r * shade, pl.base.g * shade, pl.base.b * shade};
        // Seams: a soft dark groove between the planks and a thin one at each joint.
        double edge = std::fmin(ly, plankHeight - 1 - ly);
        double joint = std::fmin(std::fmin(along, size - along), std::fabs(along - size * 0.5));
        double groove = 1.0;
        if (edge < 2.5) groove = 0.62 + 0.15 * edge;
        if (joint < 1.0) groove = std::fmin(groove, 0.7);
        return Rgba{c.r * groove, c.g * groove, c.b * groove, 1.0};
    });
    return artkit::finishPicture(pic);
}

// Craft cardboard: warm brown, mottled, with short fibres in every direction.
std::vector<uint8_t> cardboardPicture() {
    const int size = 512;
    artkit::Picture* pic = artkit::newPicture(size, size);
    paintPixels(pic, size, size, [&](int x, int y) {
        double fx = double(x) / size, fy = double(y) / size;
        double mottle = periodicFbm(fx * 8, fy * 8, 8, 8, 31, 4);
        double fine = periodicNoise(fx * 128, fy * 128, 128, 128, 37);
        double k = 0.9 + 0.16 * mottle + 0.04 * fine;
        return Rgba{0.80 * k, 0.63 * k, 0.44 * k, 1.0};
    });
    cairo_t* cr = cairoOf(pic);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    Random rnd(41);
    for (int i = 0; i < 2600; ++i) {
        double x = size * rnd.next(), y = size * rnd.next();
        double angle = 2 * kPi * rnd.next(), length = 4 + 14 * rnd.next();
        double bend = (rnd.next() - 0.5) * 6;
        bool dark = rnd.next() < 0.55;
        double alpha = 0.12 + 0.16 * rnd.next();
        double dx = std::cos(angle) * length, dy = std::sin(angle) * length;
        if (dark)
            cairo_set_source_rgba(cr, 0.45, 0.32, 0.2, alpha);
        else
            cairo_set_source_rgba(cr, 0.96, 0.86, 0.68, alpha);
        cairo_set_line_width(cr, 0.6 + 0.8 * rnd.next());
        // Drawn once for every neighbouring copy, so fibres cross the border seamlessly.
        for (int ox = -1; ox <= 1; ++ox) {
            for (int oy = -1; oy <= 1; ++oy) {
                double sx = x + ox * size, sy = y + oy * size;
                if (sx + 25 < 0 || sx - 25 > size || sy + 25 < 0 || sy - 25 > size) continue;
                cairo_move_to(cr, sx, sy);
                cairo_curve_to(cr, sx + dx / 3 - dy / length * bend, sy + dy / 3 + dx / length * bend,
                               sx + 2 * dx / 3 - dy / length * bend, sy + 2 * dy / 3 + dx / length * bend, sx + dx,
                               sy + dy);
                cairo_stroke(cr);
            }
        }
    }
    return artkit::finishPicture(pic);
}

std::vector<V2> roundedRectangle(double x0, double y0, double x1, double y1, double radius, int steps) {
    std::vector<V2> out;
    V2 centres[4] = {{x1 - radius, y0 + radius}, {x1 - radius, y1 - radius}, {x0 + radius, y1 - radius},
                     {x0 + radius, y0 + radius}};
    for (int c = 0; c < 4; ++c) {
        for (int k = 0; k <= steps; ++k) {
            double a = (-90.0 + 90.0 * c + 90.0 * k / steps) * kPi / 180.0;
            out.push_back({centres[c].x + radius * std::cos(a), centres[c].y + radius * std::sin(a)});
        }
    }
    return out;
}

}  // namespace

void addBackground(DeskArchive& out) {
    // The desk top lies 1.5 behind the page. At that depth the window is 42.0
    // high on each side of the centre and, at 21:9, 98 wide; the top reaches
    // well past both so that no window shape shows its edge.
    {
        MeshBuilder top;
        const double y = 1.5, halfWidth = 150, halfHeight = 50;
        V3 a{-halfWidth, y, -halfHeight}, b{halfWidth, y, -halfHeight}, c{halfWidth, y, halfHeight}, d{-halfWidth, y, halfHeight};
        artkit::addFlatTriangle(top, a, b, c);
        artkit::addFlatTriangle(top, a, c, d);
        // One picture for every 80 units: about one texel per pixel at 1080 lines.
        projectTexCoords(top, {0, 0, 0}, {1.0 / 80, 0, 0}, {0, 0, -1.0 / 80});
        // No specular: a flat face turned to a light at the eye would shine all over.
        addModelEntry(out, deskEntry::deskTop, {artkit::toMeshData(top, "tex_desk_wood.png", artkit::makeMaterial(0.86, 0.7, 0.5, 1, 0, 1))});
    }
    {
        // The book's block spans x -44..44 and y -22..36; the sheet is a little
        // larger, with room at the top for the pin.
        MeshBuilder card;
        artkit::addExtrusion(card, roundedRectangle(-47.5, -25.5, 47.5, 40.5, 1.2, 6), 0, 0.25, true);
        transformMesh(card, rotationX(90), {0, 1.25, 0});  // outline y -> z, front face at y = 1.0
        projectTexCoords(card, {0, 0, 0}, {1.0 / 24, 0, 0}, {0, 0, -1.0 / 24});
        addModelEntry(out, deskEntry::cardboard,
                      {artkit::toMeshData(card, "tex_cardboard.png", artkit::makeMaterial(0.8, 0.63, 0.44, 1, 0.05, 8))});
    }
    {
        // A spool-shaped push pin in the cardboard's top-left corner, clear of the
        // book; h is the height towards the viewer.
        // Its foot is pressed to the cardboard and left open; the head is about
        // 38 pixels across at 1080 lines, so 16 segments keep it round.
        std::vector<V2> profile{{0.9, 0}, {0.97, 0.08}, {0.55, 0.32}, {0.5, 0.6}, {1.0, 0.96}};
        appendArc(profile, {1.0, 1.06}, 0.1, -90, 60, 2);
        profile.push_back({0.55, 1.38});
        profile.push_back({0, 1.43});
        MeshBuilder pin;
        artkit::addRevolution(pin, profile, 16);
        transformMesh(pin, rotationX(90) * scaling(1.35, 1.35, 1.35), {-44.4, 1.0, 38.3});
        addModelEntry(out, deskEntry::pin,
                      {artkit::toMeshData(pin, "tex_pin_red.png", artkit::makeMaterial(0.88, 0.18, 0.15, 1, 0.55, 40))});
    }
    addPictureEntry(out, "tex_desk_wood.png", deskWoodPicture());
    addPictureEntry(out, "tex_cardboard.png", cardboardPicture());
    addPictureEntry(out, "tex_pin_red.png", solidPicture({0.9, 0.2, 0.17}));
}

}  // namespace desk
