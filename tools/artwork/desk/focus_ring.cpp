// The access focus: a soft glowing frame the program lays round whatever a
// keyboard or switch user has in focus, and the ring that fills round the
// brush while a resting pointer waits to click.
//
// The frame is cut into pieces the program scales to any box: four corners
// ("fokus_ugol1" .. "fokus_ugol4": top left, top right, bottom right, bottom
// left; quarter discs of radius 1 round the origin) and four sides
// ("fokus_kray1" .. "fokus_kray4": top, right, bottom, left; unit squares
// reaching outward from the origin's line). All lie flat in the x-z plane
// facing -y, the box's edge at distance 0 and the glow's outer end at 1, so
// one picture ("tex_fokus.png", across u) shades them alike: a thin white line
// on the box's edge, a broad deep violet band that shows on the light paper and
// the wood alike, and a glow fading out.
//
// The dwell ring is 24 arcs ("fokus_dwell01" .. "fokus_dwell24"), clockwise from
// the top, between radius 0.74 and 1; the program shows as many as the wait
// has filled.
#include <cmath>

#include "tools/artwork/desk/desk_art.h"

namespace desk {

namespace {

const double kPi = 3.14159265358979323846;

// A quad facing -y whatever order its corners come in.
void facingQuad(MeshBuilder& m, V3 a, V3 b, V3 c, V3 d, V2 ta, V2 tb, V2 tc, V2 td) {
    V3 n = artkit::cross(b - a, c - a);
    if (n.y <= 0) {
        artkit::addFlatTriangle(m, a, b, c, ta, tb, tc);
        artkit::addFlatTriangle(m, a, c, d, ta, tc, td);
    } else {
        artkit::addFlatTriangle(m, a, c, b, ta, tc, tb);
        artkit::addFlatTriangle(m, a, d, c, ta, td, tc);
    }
}

// Quarter disc in the quadrant (sx, sz), u the distance from the centre.
MeshBuilder corner(double sx, double sz) {
    MeshBuilder m;
    const int rings = 4, steps = 8;
    for (int i = 0; i < rings; ++i)
        for (int j = 0; j < steps; ++j) {
            double r0 = double(i) / rings, r1 = double(i + 1) / rings;
            double a0 = 0.5 * kPi * j / steps, a1 = 0.5 * kPi * (j + 1) / steps;
            auto at = [&](double r, double a) { return V3{sx * r * std::cos(a), 0, sz * r * std::sin(a)}; };
            facingQuad(m, at(r0, a0), at(r1, a0), at(r1, a1), at(r0, a1), {r0, 0.5}, {r1, 0.5}, {r1, 0.5},
                       {r0, 0.5});
        }
    return m;
}

// A unit square from the origin's line outward along (ox, oz), along the other axis 0..1.
MeshBuilder side(double ox, double oz) {
    MeshBuilder m;
    V3 out{ox, 0, oz}, along{oz != 0 ? 1.0 : 0.0, 0, ox != 0 ? 1.0 : 0.0};
    V3 a{0, 0, 0};
    facingQuad(m, a, a + along, a + along + out, a + out, {0, 0.5}, {0, 0.5}, {1, 0.5}, {1, 0.5});
    return m;
}

MeshBuilder dwellArc(int k) {
    MeshBuilder m;
    const int steps = 3;
    const double inner = 0.74;
    for (int j = 0; j < steps; ++j) {
        // Clockwise from the top as seen by the viewer (x right, z up).
        double a0 = kPi / 2 - 2 * kPi * (k * steps + j) / (24.0 * steps);
        double a1 = kPi / 2 - 2 * kPi * (k * steps + j + 1) / (24.0 * steps);
        auto at = [&](double r, double a) { return V3{r * std::cos(a), 0, r * std::sin(a)}; };
        facingQuad(m, at(inner, a0), at(1, a0), at(1, a1), at(inner, a1), {0.3, 0.5}, {0.3, 0.5}, {0.3, 0.5},
                   {0.3, 0.5});
    }
    return m;
}

// Across u: a thin white line on the box's edge, which parts the frame from the
// picture's own black outlines, a broad deep violet band, which stands out at
// least 3:1 against the cream paper and the light wood alike, and a violet glow
// fading out.
std::vector<uint8_t> glowPicture() {
    const int width = 64, height = 4;
    artkit::Picture* picture = artkit::newPicture(width, height);
    paintPixels(picture, width, height, [&](int x, int) {
        double u = (x + 0.5) / width;
        const Rgba line{1.0, 1.0, 1.0, 0.95}, band{0.2, 0.1, 0.6, 1.0};
        if (u < 0.1) return line;
        if (u < 0.14) {
            double t = (u - 0.1) / 0.04;
            return Rgba{line.r + (band.r - line.r) * t, line.g + (band.g - line.g) * t,
                        line.b + (band.b - line.b) * t, line.a + (band.a - line.a) * t};
        }
        if (u < 0.55) return band;
        double fade = (1 - u) / 0.45;
        return Rgba{0.36, 0.24, 0.8, fade * fade * 0.8};
    });
    return artkit::finishPicture(picture);
}

}  // namespace

void addFocusRing(DeskArchive& out) {
    addPictureEntry(out, "tex_fokus.png", glowPicture());
    // Translucent, so the glow blends over the desk; a little shine, as the buttons have.
    const Material glow = artkit::makeMaterial(1, 1, 1, 1, 0.1f, 10, true);
    const double corners[4][2] = {{-1, 1}, {1, 1}, {1, -1}, {-1, -1}};
    for (int i = 0; i < 4; ++i)
        addModelEntry(out, "fokus_ugol" + std::to_string(i + 1),
                      {artkit::toMeshData(corner(corners[i][0], corners[i][1]), "tex_fokus.png", glow)});
    const double sides[4][2] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
    for (int i = 0; i < 4; ++i)
        addModelEntry(out, "fokus_kray" + std::to_string(i + 1),
                      {artkit::toMeshData(side(sides[i][0], sides[i][1]), "tex_fokus.png", glow)});
    for (int k = 0; k < 24; ++k) {
        std::string name = std::string("fokus_dwell") + (k < 9 ? "0" : "") + std::to_string(k + 1);
        addModelEntry(out, name, {artkit::toMeshData(dwellArc(k), "tex_fokus.png", glow)});
    }
}

}  // namespace desk
