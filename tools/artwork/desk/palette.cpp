// The artist's palette with its four wells, paint blobs and small drops.
//
// In the palette's own frame the top faces +z and lies at z = -0.72; the wells
// and drops are separate nodes placed on it (well origins at z = -0.70, drops at
// about z = -0.74), so each of their models stands on its own origin's plane.
#include <cmath>

#include "tools/artwork/desk/desk_art.h"
#include "resources/desk_entries.h"

namespace desk {

namespace {

const double kPi = 3.14159265358979323846;
const double kTop = -0.72, kBottom = -0.86, kEdge = 0.06;
const V2 kHole{-0.2, 1.5};
const double kHoleRadius = 0.5;

// The outline, counter-clockwise, round the thumb hole: a bean with a shallow
// notch beside the hole. Every ray from the hole's centre meets it once, which
// lets the top be built as rings round the hole.
std::vector<V2> paletteOutline() {
    return closedSpline({{4.25, 0.3},
                         {3.8, 1.55},
                         {2.7, 2.2},
                         {1.55, 2.35},
                         {0.95, 2.12},
                         {0.3, 2.45},
                         {-0.8, 2.62},
                         {-2.2, 2.47},
                         {-3.6, 2.0},
                         {-4.6, 1.0},
                         {-4.85, -0.4},
                         {-4.3, -2.1},
                         {-3.1, -3.2},
                         {-1.6, -3.62},
                         {0.0, -3.25},
                         {1.6, -2.9},
                         {2.9, -2.15},
                         {3.9, -1.0}},
                        24);
}

// The desk sets the palette down tilted by (-50.99, -28, -32.804) degrees, with
// its top turned well away from the desk's one light, which shines from the eye:
// lit truly, the white enamel would show as a dull grey. Faces that look up
// (the flat top, the empty wells' bowls) therefore take normals leaning about
// halfway towards the eye, still on their own side of the surface; steeper faces
// such as the rounded edge keep their true ones and still shade the outline.
void leanUpwardFacesTowardsTheEye(MeshBuilder& m) {
    // The scene's +z (towards the eye) in the palette's frame: the transpose of
    // the desk's rotation applied to it.
    Mat3 placement = rotationX(-50.99) * rotationY(-28) * rotationZ(-32.804);
    V3 eye{placement.m[2][0], placement.m[2][1], placement.m[2][2]};
    for (size_t i = 0; i * 3 < m.normals.size(); ++i) {
        V3 n{m.normals[i * 3], m.normals[i * 3 + 1], m.normals[i * 3 + 2]};
        double weight = (n.z - 0.7) / 0.3;
        if (weight <= 0) continue;
        V3 leant = artkit::normalized(n + eye * (0.8 * weight));
        m.normals[i * 3] = leant.x;
        m.normals[i * 3 + 1] = leant.y;
        m.normals[i * 3 + 2] = leant.z;
    }
}

// Points along a closed polyline at even steps of its length.
std::vector<V2> evenlyAlong(const std::vector<V2>& loop, int count) {
    std::vector<double> along(loop.size() + 1, 0.0);
    for (size_t i = 0; i < loop.size(); ++i) {
        V2 a = loop[i], b = loop[(i + 1) % loop.size()];
        along[i + 1] = along[i] + std::hypot(b.x - a.x, b.y - a.y);
    }
    std::vector<V2> out;
    size_t i = 0;
    for (int k = 0; k < count; ++k) {
        double target = along.back() * k / count;
        while (along[i + 1] < target) ++i;
        double span = along[i + 1] - along[i], t = span > 0 ? (target - along[i]) / span : 0;
        V2 a = loop[i], b = loop[(i + 1) % loop.size()];
        out.push_back({a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t});
    }
    return out;
}

// The palette is about 500 pixels across at 1080 lines. Its columns are spread
// evenly along the outline rather than evenly in angle round the hole, so the
// far ends get as many as the near side, and 112 of them keep the outline
// within half a pixel; its rounded edge, some 3 pixels thick, needs two steps
// a quarter. The underside lies on the desk and is left out.
MeshBuilder paletteBody() {
    const int columns = 112, arcSteps = 2;
    std::vector<V2> outline = paletteOutline();
    // Every ray from the hole's centre meets the outline once, so the angles of
    // points taken in order along it rise steadily from the first.
    std::vector<V2> rim = evenlyAlong(outline, columns);
    std::vector<V2> rimNormal(columns), hole(columns), holeNormal(columns);
    for (int k = 0; k < columns; ++k) {
        V2 p = rim[size_t(k)];
        double a = std::atan2(p.y - kHole.y, p.x - kHole.x);
        holeNormal[size_t(k)] = {std::cos(a), std::sin(a)};  // into the wood
        hole[size_t(k)] = {kHole.x + kHoleRadius * std::cos(a), kHole.y + kHoleRadius * std::sin(a)};
    }
    for (int k = 0; k < columns; ++k) {
        V2 prev = rim[size_t((k + columns - 1) % columns)], next = rim[size_t((k + 1) % columns)];
        V2 t{next.x - prev.x, next.y - prev.y};
        double len = std::sqrt(t.x * t.x + t.y * t.y);
        rimNormal[size_t(k)] = {t.y / len, -t.x / len};
    }
    // Rows of the cross-section, from the outer edge's underside up round the
    // edge, across the top to the hole and down round its wall. Each row is
    // (inset, z, onHole) for every column.
    struct Row {
        double inset, z;
        bool onHole;
    };
    std::vector<Row> rows;
    auto arc = [&](bool onHole, bool down) {
        for (int s = 0; s <= 2 * arcSteps; ++s) {
            double phi = kPi * s / (2 * arcSteps);
            if (!down) phi = kPi - phi;
            double inset = kEdge * (1 - std::sin(phi));
            double z = phi <= kPi / 2 ? kTop - kEdge * (1 - std::cos(phi)) : kBottom + kEdge * (1 + std::cos(phi));
            rows.push_back({inset, z, onHole});
        }
    };
    arc(false, false);
    rows.push_back({kEdge + 0.05, kTop, false});
    rows.push_back({kEdge + 0.05, kTop, true});
    arc(true, true);
    MeshBuilder body;
    addGrid(
        body, int(rows.size()), columns + 1,
        [&](int i, int j) {
            const Row& r = rows[size_t(i)];
            size_t k = size_t(j % columns);
            V2 p = r.onHole ? V2{hole[k].x + holeNormal[k].x * r.inset, hole[k].y + holeNormal[k].y * r.inset}
                            : V2{rim[k].x - rimNormal[k].x * r.inset, rim[k].y - rimNormal[k].y * r.inset};
            return V3{p.x, p.y, r.z};
        },
        [](int, int) { return V2{0, 0}; });
    smoothNormals(body, 40);
    leanUpwardFacesTowardsTheEye(body);
    projectTexCoords(body, {-5, 3, 0}, {0.1, 0, 0}, {0, -0.1, 0});
    return body;
}

// Warm white enamel with the faintest cloudiness.
std::vector<uint8_t> palettePicture() {
    const int size = 128;
    artkit::Picture* pic = artkit::newPicture(size, size);
    paintPixels(pic, size, size, [&](int x, int y) {
        double n = periodicFbm(x / 16.0, y / 16.0, size / 16, size / 16, 71, 3);
        double k = 0.97 + 0.04 * n;
        return Rgba{0.99 * k, 0.96 * k, 0.91 * k, 1};
    });
    return artkit::finishPicture(pic);
}

// An empty well: a shallow white saucer with a sky-blue line round its rim. It
// stands on the palette, which hides its underside, so that is left open. About
// 45 pixels in radius at 1080 lines: 24 segments keep it round.
MeshBuilder wellDish() {
    std::vector<V2> p{{0.73, -0.03}, {0.75, 0.04}};
    appendArc(p, {0.705, 0.05}, 0.045, 10, 170, 4);
    p.push_back({0.6, 0.04});
    p.push_back({0.4, 0.012});
    p.push_back({0, 0.0});
    MeshBuilder dish;
    artkit::addRevolution(dish, p, 24);
    leanUpwardFacesTowardsTheEye(dish);
    // Height picks the colour: the rim's crest gets the line.
    projectTexCoords(dish, {0, 0, 0.1}, {0, 0, 0}, {0, 0, -1 / 0.14});
    remapTexCoords(dish, 0.5, 1, 0, 1);
    return dish;
}

std::vector<uint8_t> dishPicture() {
    const int w = 8, h = 64;
    artkit::Picture* pic = artkit::newPicture(w, h);
    paintPixels(pic, w, h, [&](int, int y) {
        double v = (y + 0.5) / h;  // 0 at z = 0.1, 1 at z = -0.04
        double line = std::exp(-std::pow((v - 0.13) / 0.05, 2));
        Rgb white{0.98, 0.98, 0.97}, blue{0.45, 0.72, 0.95};
        return Rgba{white.r + (blue.r - white.r) * line, white.g + (blue.g - white.g) * line,
                    white.b + (blue.b - white.b) * line, 1};
    });
    return artkit::finishPicture(pic);
}

// A full well: a soft, slightly wobbly mound of paint with a little curl on top;
// each well's blob has its own wobble. It sits on the palette, which hides its
// underside. About 35 pixels in radius at 1080 lines: 24 columns; its rings
// crowd towards the steep edge, where the mound bends most.
MeshBuilder paintBlob(int well) {
    const int columns = 24;
    const double ringAt[] = {1.0, 0.95, 0.85, 0.68, 0.45, 0.22, 0.0};  // fraction of the radius
    const int rows = int(sizeof ringAt / sizeof ringAt[0]);
    double phase3 = 1.3 * well + 0.4, phase5 = 2.1 * well + 1.0;
    auto radius = [&](double a) { return 0.6 * (1 + 0.06 * std::sin(3 * a + phase3) + 0.035 * std::sin(5 * a + phase5)); };
    auto height = [&](double s, double a) {
        double mound = 0.15 * std::pow(std::fmax(0.0, 1 - std::pow(s, 2.2)), 0.45);
        double curl = 0.07 * std::exp(-std::pow(s / 0.32, 2)) * (1 + 0.25 * std::sin(a + phase3));
        return mound + curl;
    };
    // Rows from the foot, just into the palette's top, over the mound to the apex.
    MeshBuilder blob;
    addGrid(
        blob, rows, columns + 1,
        [&](int i, int j) {
            double a = 2 * kPi * (j % columns) / columns;
            double r = radius(a), s = ringAt[i];
            if (i == 0) return V3{r * std::cos(a), r * std::sin(a), -0.02};
            if (i == rows - 1) return V3{0, 0, height(0, 0)};
            return V3{s * r * std::cos(a), s * r * std::sin(a), height(s, a)};
        },
        [](int, int) { return V2{0, 0}; });
    smoothNormals(blob, 60);
    projectTexCoords(blob, {-0.7, 0.7, 0}, {1 / 1.4, 0, 0}, {0, -1 / 1.4, 0});
    return blob;
}

// A faint swirl that the paint colour darkens a little, so a blob reads as paint.
std::vector<uint8_t> paintSwirlPicture() {
    const int size = 128;
    artkit::Picture* pic = artkit::newPicture(size, size);
    cairo_t* cr = cairoOf(pic);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_rgba(cr, 0.8, 0.8, 0.8, 0.5);
    cairo_set_line_width(cr, 3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int k = 0; k <= 160; ++k) {
        double t = k / 160.0, a = t * 5.0 * kPi, r = 6 + 44 * t;
        double x = size / 2.0 + r * std::cos(a), y = size / 2.0 + r * std::sin(a);
        if (k == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_stroke(cr);
    return artkit::finishPicture(pic);
}

// A small round bead, the shape of both the clear drop and the colour drop.
// It is shown at a third of its size, a few pixels across, and sits a little
// into the palette, which hides its underside.
MeshBuilder dropBead() {
    const double a = 0.21, c = 0.15;
    const int steps = 5;
    std::vector<V2> p;
    for (int k = 0; k <= steps; ++k) {
        double alpha = (-30.0 + 120.0 * k / steps) * kPi / 180;
        p.push_back({k == steps ? 0.0 : a * std::cos(alpha), c * (std::sin(alpha) + 0.5)});
    }
    MeshBuilder bead;
    artkit::addRevolution(bead, p, 14);
    projectTexCoords(bead, {-0.25, 0.25, 0}, {2, 0, 0}, {0, -2, 0});
    return bead;
}

// Clear water: pale blue glass with a bright glint towards the top left.
std::vector<uint8_t> clearDropPicture() {
    const int size = 64;
    artkit::Picture* pic = artkit::newPicture(size, size);
    paintPixels(pic, size, size, [&](int x, int y) {
        double dx = (x + 0.5) / size - 0.38, dy = (y + 0.5) / size - 0.36;
        double glint = std::exp(-(dx * dx + dy * dy) / 0.004);
        Rgb water{0.62, 0.84, 1.0};
        return Rgba{water.r + (1 - water.r) * glint, water.g + (1 - water.g) * glint, 1.0, 0.55 + 0.4 * glint};
    });
    return artkit::finishPicture(pic);
}

}  // namespace

void addPalette(DeskArchive& out) {
    addModelEntry(out, deskEntry::palette,
                  {artkit::toMeshData(paletteBody(), "tex_palette.png", artkit::makeMaterial(0.98f, 0.95f, 0.9f, 1, 0.2f, 20))});
    MeshBuilder dish = wellDish(), bead = dropBead(), clearBead = bead;
    sortFarToNear(clearBead, deskViewDirection());
    for (int n = 1; n <= 4; ++n) {
        const char* const* names = wellEntries[n - 1];
        addModelEntry(out, names[wellEmpty], {artkit::toMeshData(dish, "tex_dish.png", artkit::makeMaterial(0.98f, 0.98f, 0.97f, 1, 0.4f, 40))});
        addModelEntry(out, names[wellFull],
                      {artkit::toMeshData(paintBlob(n), "tex_paint_swirl.png", artkit::makeMaterial(1, 1, 1, 1, 0.45f, 40))});
        addModelEntry(out, names[wellClearDrop], {artkit::toMeshData(clearBead, "tex_drop_clear.png",
                                                              artkit::makeMaterial(0.62f, 0.84f, 1, 0.55f, 0.9f, 70, true))});
        addModelEntry(out, names[wellPreviousDrop],
                      {artkit::toMeshData(bead, "tex_paint.png", artkit::makeMaterial(1, 1, 1, 1, 0.5f, 50))});
    }
    addPictureEntry(out, "tex_palette.png", palettePicture());
    addPictureEntry(out, "tex_dish.png", dishPicture());
    addPictureEntry(out, "tex_paint_swirl.png", paintSwirlPicture());
    addPictureEntry(out, "tex_drop_clear.png", clearDropPicture());
}

}  // namespace desk
