// The star of the star bursts: a plump five-pointed star, puffed up like a
// cushion on both faces because it spins about its vertical axis in flight.
// The program paints it, so its picture is white. Radius 1 to the tips; it is
// shown at 0.02 to 0.4 of that size, and twenty fly at once, so it is kept lean.
#include <cmath>

#include "tools/artwork/desk/desk_art.h"
#include "resources/desk_entries.h"

namespace desk {

namespace {

const double kPi = 3.14159265358979323846;

// The outline in the x-z plane, counter-clockwise seen from -y, with rounded
// tips and valleys; every ray from the centre meets it once.
std::vector<V2> starOutline() {
    const double outer = 1.0, inner = 0.52, tipRound = 0.16, valleyRound = 0.1;
    std::vector<V2> corners;
    for (int i = 0; i < 10; ++i) {
        double a = kPi / 2 + i * kPi / 5;
        double r = i % 2 == 0 ? outer : inner;
        corners.push_back({r * std::cos(a), r * std::sin(a)});
    }
    // Each corner is replaced by a short arc that meets both edges.
    std::vector<V2> out;
    for (int i = 0; i < 10; ++i) {
        V2 p = corners[size_t(i)], prev = corners[size_t((i + 9) % 10)], next = corners[size_t((i + 1) % 10)];
        double round = i % 2 == 0 ? tipRound : valleyRound;
        V2 a{prev.x - p.x, prev.y - p.y}, b{next.x - p.x, next.y - p.y};
        double la = std::sqrt(a.x * a.x + a.y * a.y), lb = std::sqrt(b.x * b.x + b.y * b.y);
        a = {a.x / la, a.y / la};
        b = {b.x / lb, b.y / lb};
        // A tip is at most 4 pixels round: two chords follow it within half a pixel.
        const int steps = 2;
        for (int k = 0; k <= steps; ++k) {
            double t = double(k) / steps;
            // Quadratic Bezier from the point on the incoming edge, through the
            // corner, to the point on the outgoing edge.
            V2 s{p.x + a.x * round, p.y + a.y * round}, e{p.x + b.x * round, p.y + b.y * round};
            double u = 1 - t;
            out.push_back({u * u * s.x + 2 * u * t * p.x + t * t * e.x, u * u * s.y + 2 * u * t * p.y + t * t * e.y});
        }
    }
    // Rounding pulled the tips in; bring them back out to radius 1.
    double reach = 0;
    for (V2 p : out) reach = std::fmax(reach, std::sqrt(p.x * p.x + p.y * p.y));
    for (V2& p : out) p = {p.x / reach, p.y / reach};
    return out;
}

}  // namespace

void addStar(DeskArchive& out) {
    std::vector<V2> outline = starOutline();
    const int columns = int(outline.size()), rings = 3;
    const double thickness = 0.3;
    // Rows from the back centre out to the rim and in again to the front centre;
    // s is the fraction of the way from the centre to the outline.
    // Three rings a face follow the puffed section within a quarter of a pixel at
    // the largest size the star is shown (some 24 pixels in radius at 1080 lines).
    MeshBuilder star;
    addGrid(
        star, 2 * rings + 1, columns + 1,
        [&](int i, int j) {
            V2 p = outline[size_t(j % columns)];
            bool front = i > rings;
            int ring = front ? 2 * rings - i : i;
            double s = std::sin(0.5 * kPi * ring / rings);
            double puff = thickness * std::sqrt(std::fmax(0.0, 1 - s * s));
            return V3{s * p.x, front ? -puff : puff, s * p.y};
        },
        [](int, int) { return V2{0.5, 0.5}; });
    // The rim is rounded, not a seam: with three rings its two faces meet at up
    // to 85 degrees and must still share their normals there.
    smoothNormals(star, 89);
    addModelEntry(out, deskEntry::star, {artkit::toMeshData(star, "tex_paint.png", artkit::makeMaterial(1, 1, 1, 1, 0.5f, 30))});
}

}  // namespace desk
