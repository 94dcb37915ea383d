// The open book and a drawing turned into models. The book's surfaces take
// their colour from textures (the program draws every mesh with the current
// colour white), regions have none so that paint shows true, and every surface
// faces the viewer.
#include "tools/artkit/page_archive.h"

#include <cairo.h>

#include <cmath>
#include <string>

namespace artkit {

namespace {

// Depths (model y) of the book's layers; the paper is at 0 and the regions
// start in front of it.
const double kCoverDepth = 0.6;
const double kStackDepth = 0.3;
const double kPaperDepth = 0.0;
const double kSpineShadowDepth = -0.04;

// Inset of the paper within the covers, and of the stack of pages under it.
const double kPaperInset = 1.35;
const double kStackInset = 0.85;
const double kSpineShadowHalfWidth = 5.0;

// With the light along the line of sight every surface facing the viewer gets
// the full specular term, so a little specular lifts the diffuse 0.9 to white.
const float kRegionSpecular = 0.12f;

void setTexCoords(MeshBuilder& m, double s0, double sPerUnit, double t0, double tPerUnit) {
    int n = m.triangles() * 3;
    m.texCoords.resize(size_t(n) * 2);
    for (int i = 0; i < n; ++i) {
        double x = m.vertices[size_t(i) * 3], z = m.vertices[size_t(i) * 3 + 2];
        m.texCoords[size_t(i) * 2] = s0 + x * sPerUnit;
        m.texCoords[size_t(i) * 2 + 1] = t0 - z * tPerUnit;
    }
}

Path aligned(const Path& p, double depth) {
    Path out;
    out.reserve(p.size());
    for (V2 q : p) out.push_back(alignToPaper(q, depth));
    return out;
}

double lineWidthAt(double depth) { return kLineWidth * (kEyeDistance + depth) / kEyeDistance; }

// Deterministic noise for the paper's fibres: the same bytes on every run.
struct Lcg {
    uint32_t state;
    double next() {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / double(1u << 24);
    }
};

std::vector<uint8_t> inkTexture() {
    Picture* p = newPicture(8, 8);
    cairo_t* cr = static_cast<cairo_t*>(pictureCairo(p));
    cairo_set_source_rgb(cr, 0.09, 0.08, 0.1);
    cairo_paint(cr);
    return finishPicture(p);
}

// Cream paper with faint fibres; the last rows are the darker cream of the
// page edges under the top sheet.
std::vector<uint8_t> paperTexture() {
    Picture* p = newPicture(256, 256);
    cairo_t* cr = static_cast<cairo_t*>(pictureCairo(p));
    cairo_set_source_rgb(cr, 1.0, 0.985, 0.935);
    cairo_paint(cr);
    Lcg rng{12345u};
    cairo_set_line_width(cr, 0.7);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 260; ++i) {
        double x = rng.next() * 256, y = rng.next() * 224;
        double a = rng.next() * 2 * M_PI, l = 2 + rng.next() * 6;
        cairo_set_source_rgba(cr, 0.55, 0.45, 0.3, 0.05 + 0.05 * rng.next());
        cairo_move_to(cr, x, y);
        cairo_rel_curve_to(cr, l * 0.3 * std::cos(a), l * 0.3 * std::sin(a) + 1, l * 0.7 * std::cos(a),
                           l * 0.7 * std::sin(a) - 1, l * std::cos(a), l * std::sin(a));
        cairo_stroke(cr);
    }
    // Page edges: alternating creams, read as thin stacked sheets.
    for (int row = 232; row < 256; ++row) {
        double shade = (row / 3) % 2 ? 0.86 : 0.92;
        cairo_set_source_rgb(cr, shade, shade * 0.96, shade * 0.86);
        cairo_rectangle(cr, 0, row, 256, 1);
        cairo_fill(cr);
    }
    return finishPicture(p);
}

// Book cloth: a deep teal with a fine weave.
std::vector<uint8_t> coverTexture() {
    Picture* p = newPicture(128, 128);
    cairo_t* cr = static_cast<cairo_t*>(pictureCairo(p));
    cairo_set_source_rgb(cr, 0.13, 0.36, 0.42);
    cairo_paint(cr);
    Lcg rng{777u};
    for (int i = 0; i < 128; i += 2) {
        cairo_set_source_rgba(cr, 1, 1, 1, 0.035 + 0.02 * rng.next());
        cairo_rectangle(cr, 0, i, 128, 1);
        cairo_fill(cr);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.04 + 0.02 * rng.next());
        cairo_rectangle(cr, i, 0, 1, 128);
        cairo_fill(cr);
    }
    return finishPicture(p);
}

// The shadow in the fold: dark in the middle, fading to nothing at both sides.
std::vector<uint8_t> spineTexture() {
    Picture* p = newPicture(64, 4);
    cairo_t* cr = static_cast<cairo_t*>(pictureCairo(p));
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    for (int x = 0; x < 64; ++x) {
        double u = (x + 0.5 - 32) / 32.0;
        double a = 0.3 * std::exp(-u * u / 0.12) + 0.12 * std::exp(-u * u / 0.004);
        cairo_set_source_rgba(cr, 0.3, 0.24, 0.18, a);
        cairo_rectangle(cr, x, 0, 1, 4);
        cairo_fill(cr);
    }
    return finishPicture(p);
}

void addItemLines(MeshBuilder& ink, const PageItem& item, int layer) {
    double depth = lineDepth(layer);
    double w = lineWidthAt(depth);
    if (item.kind == ItemKind::Ink) addFlatPolygon(ink, {aligned(item.outline, depth)}, depth);
    if (item.stroked) addThickPolyline(ink, aligned(item.outline, depth), true, w, depth);
    for (const Path& p : item.strokes) addThickPolyline(ink, aligned(p, depth), false, w, depth);
    for (const Path& p : item.loops) addThickPolyline(ink, aligned(p, depth), true, w, depth);
    for (const Path& p : item.dots) {
        addFlatPolygon(ink, {aligned(p, depth)}, depth);
        addThickPolyline(ink, aligned(p, depth), true, w, depth);
    }
}

}  // namespace

std::vector<uint8_t> pageBlockModel(const PageDrawing& d) {
    MeshBuilder cover, stack, paper, spine, ink;
    addFlatPolygon(cover, {roundedRect(kBookLeft, kBookBottom, kBookRight, kBookTop, 1.6)}, kCoverDepth);
    setTexCoords(cover, 0, 1 / 9.0, 0, 1 / 9.0);

    // Each half of the stack is a little lower at its outer edge, like pages
    // fanning down from the spine; both use the edge rows of the paper texture.
    double sl = kBookLeft + kStackInset, sr = kBookRight - kStackInset;
    double sb = kBookBottom + kStackInset, st = kBookTop - kStackInset;
    addFlatPolygon(stack, {roundedRect(sl, sb, sr, st, 0.5)}, kStackDepth);
    setTexCoords(stack, 0.5, 0.0, 0.0, 0.0);
    for (size_t i = 0; i < stack.texCoords.size(); i += 2) {
        double z = stack.vertices[i / 2 * 3 + 2];
        stack.texCoords[i + 1] = (232 + std::fmod(std::fabs(z) * 7.0, 24.0)) / 256.0;
    }

    double pl = kBookLeft + kPaperInset, pr = kBookRight - kPaperInset;
    double pb = kBookBottom + kPaperInset, pt = kBookTop - kPaperInset;
    addFlatPolygon(paper, {roundedRect(pl, pb, pr, pt, 0.35)}, kPaperDepth);
    setTexCoords(paper, 0.5, 1 / 60.0, 0.5, 1 / 70.0);

    addFlatPolygon(spine, {{{-kSpineShadowHalfWidth, pb}, {kSpineShadowHalfWidth, pb},
                            {kSpineShadowHalfWidth, pt}, {-kSpineShadowHalfWidth, pt}}},
                   kSpineShadowDepth);
    setTexCoords(spine, 0.5, 0.5 / kSpineShadowHalfWidth, 0.5, 0.0);

    for (size_t i = 0; i < d.items.size(); ++i) addItemLines(ink, d.items[i], int(i));

    std::vector<ModelMeshData> meshes;
    meshes.push_back(toMeshData(cover, "cover.png", makeMaterial(1, 1, 1, 1, 0.08f, 20)));
    meshes.push_back(toMeshData(stack, "paper.png", makeMaterial(1, 1, 1, 1, 0.06f, 10)));
    meshes.push_back(toMeshData(paper, "paper.png", makeMaterial(1, 1, 1, 1, 0.1f, 10)));
    meshes.push_back(toMeshData(ink, "ink.png", makeMaterial(0, 0, 0, 1, 0.0f, 1)));
    meshes.push_back(toMeshData(spine, "spine.png", makeMaterial(1, 1, 1, 1, 0.0f, 1, true)));
    return writeModel(meshes);
}

std::vector<uint8_t> pageRegionModel(const PageDrawing& d, int element) {
    int k = 0;
    for (size_t i = 0; i < d.items.size(); ++i) {
        const PageItem& item = d.items[i];
        if (item.kind != ItemKind::Region || ++k != element) continue;
        double depth = fillDepth(int(i));
        MeshBuilder m;
        addFlatPolygon(m, {aligned(item.outline, depth)}, depth);
        std::vector<ModelMeshData> meshes;
        meshes.push_back(toMeshData(m, "", makeMaterial(1, 1, 1, 1, kRegionSpecular, 10)));
        return writeModel(meshes);
    }
    return {};
}

void addPageEntries(PakArchive& pak, const PageDrawing& d) {
    std::vector<uint8_t> block = pageBlockModel(d);
    pakAddBuffer(pak, "block", block.data(), block.size());
    int n = regionCount(d);
    for (int k = 1; k <= n; ++k) {
        std::vector<uint8_t> m = pageRegionModel(d, k);
        pakAddBuffer(pak, "el" + std::to_string(k), m.data(), m.size());
    }
    // The textures are the same on every page; each archive carries its own
    // copy because a model names images of its own archive only.
    static const std::vector<uint8_t> ink = inkTexture(), paperPng = paperTexture(), cover = coverTexture(),
                                      spinePng = spineTexture();
    pakAddBuffer(pak, "ink.png", ink.data(), ink.size());
    pakAddBuffer(pak, "paper.png", paperPng.data(), paperPng.size());
    pakAddBuffer(pak, "cover.png", cover.data(), cover.size());
    pakAddBuffer(pak, "spine.png", spinePng.data(), spinePng.size());
}

}  // namespace artkit
