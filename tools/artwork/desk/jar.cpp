// A squat glass jar of paint with a screw lid. The program draws the paint and
// the glass as one body and paints that body and the lid with the jar's colour,
// so all three are white or nearly so in their pictures; the glass is
// translucent and thin, and is drawn over the paint.
//
// The glass stands on z = -0.25, its rim reaches z = 0.61 with radius 0.55 and
// the widest part is 1.2 across. The lid is its own model, hinged at the rim's
// left edge: the program places it at (-0.606, -0.001, 0.612) and swings it
// about y.
#include <cmath>

#include "tools/artwork/desk/desk_art.h"
#include "resources/desk_entries.h"

namespace desk {

namespace {

// The jar is about 70 pixels across at 1080 lines (84 when it grows under the
// pointer): these counts keep every facet within half a pixel of the circle.
// The glass is nearly clear, so its outline may be a little coarser.
const int kLidSegments = 22, kPaintSegments = 24, kGlassSegments = 20;

// A narrow glassy reflection down the front left and a thinner one on the
// right, so the glass reads as glass whatever lies behind it.
std::vector<uint8_t> glassPicture(Rgb tint, double alpha) {
    const int w = 64, h = 8;
    artkit::Picture* pic = artkit::newPicture(w, h);
    paintPixels(pic, w, h, [&](int x, int) {
        double u = (x + 0.5) / w;
        // u = 0.75 faces the viewer (-y).
        auto band = [&](double centre, double width) {
            double d = std::fabs(u - centre) / width;
            return d < 1 ? 0.5 + 0.5 * std::cos(d * 3.14159265358979) : 0.0;
        };
        double streak = std::fmax(band(0.655, 0.025) * 0.9, band(0.84, 0.015) * 0.5);
        double a = alpha + (0.85 - alpha) * streak;
        return Rgba{tint.r + (1 - tint.r) * streak, tint.g + (1 - tint.g) * streak, tint.b + (1 - tint.b) * streak, a};
    });
    return artkit::finishPicture(pic);
}

// Knurled ridges round the lid's side; the top stays plain.
std::vector<uint8_t> lidRidgePicture() {
    const int w = 256, h = 8, ridges = 48;
    artkit::Picture* pic = artkit::newPicture(w, h);
    paintPixels(pic, w, h, [&](int x, int) {
        double phase = std::fmod((x + 0.5) * ridges / double(w), 1.0);
        double k = 0.86 + 0.14 * std::sin(phase * 3.14159265358979);
        return Rgba{k, k, k, 1};
    });
    return artkit::finishPicture(pic);
}

// The jar's glass: up the outside from the round foot, over the shoulder and
// the rolled rim, ending just inside it. Its base lies under the paint and the
// inside below the rim under the paint's surface, so neither is modelled; the
// closed lid hides the rim, which only shows while the lid swings.
std::vector<V2> glassProfile() {
    std::vector<V2> p{{0.48, -0.25}};
    appendArc(p, {0.48, -0.13}, 0.12, -90, 0, 2);  // round foot
    p.push_back({0.6, 0.4});
    p.push_back({0.54, 0.53});  // shoulder and neck: within a quarter pixel of the curve
    p.push_back({0.53, 0.613});  // rolled rim
    p.push_back({0.5, 0.59});
    return p;
}

// The paint: fills the glass's inside up to the shoulder. Its underside rests
// on the glass's base, where no view of the desk reaches, so it is left open.
std::vector<V2> paintProfile() {
    std::vector<V2> p{{0.455, -0.195}};
    appendArc(p, {0.455, -0.1}, 0.095, -90, 0, 2);
    p.push_back({0.553, 0.39});
    p.push_back({0.535, 0.432});
    p.push_back({0, 0.44});
    return p;
}

}  // namespace

void addJar(DeskArchive& out) {
    {
        MeshBuilder paint;
        artkit::addRevolution(paint, paintProfile(), kPaintSegments);
        // Wet paint: a soft sheen.
        addModelEntry(out, deskEntry::jarPaint,
                      {artkit::toMeshData(paint, "tex_paint.png", artkit::makeMaterial(1, 1, 1, 1, 0.35f, 40))});
    }
    {
        MeshBuilder glass;
        artkit::addRevolution(glass, glassProfile(), kGlassSegments);
        // The reflections belong on the walls; the base and the rim look at them
        // from every angle and would show them as spokes.
        for (size_t i = 0; i * 3 < glass.normals.size(); ++i) {
            if (std::fabs(glass.normals[i * 3 + 2]) > 0.6) glass.texCoords[i * 2] = 0.25;
        }
        sortFarToNear(glass, deskViewDirection());
        addModelEntry(out, deskEntry::jarGlass, {artkit::toMeshData(glass, "tex_jar_glass.png",
                                                                artkit::makeMaterial(0.9f, 0.95f, 1, 0.3f, 0.8f, 60, true))});
    }
    {
        // Lid around its own centre, then moved so that its left edge is the hinge.
        const double r = 0.615;
        // The underside is a shallow cone out to the skirt and a bevel up to its
        // side: it is seen only while the lid swings, and then edge on.
        std::vector<V2> cap{{0, -0.03}, {0.575, -0.075}, {r, -0.055}};
        std::vector<V2> side{{r, -0.055}, {r, 0.065}};
        std::vector<V2> top{{r, 0.065}};
        appendArc(top, {r - 0.035, 0.065}, 0.035, 0, 90, 2);
        top.push_back({0.0, 0.11});
        MeshBuilder plain, ridged;
        artkit::addRevolution(plain, cap, kLidSegments);
        artkit::addRevolution(plain, top, kLidSegments);
        artkit::addRevolution(ridged, side, kLidSegments);
        Material lacquer = artkit::makeMaterial(1, 1, 1, 1, 0.45f, 35);
        transformMesh(plain, Mat3(), {0.606, 0.001, 0});
        transformMesh(ridged, Mat3(), {0.606, 0.001, 0});
        setTexCoord(plain, {0.5, 0.5});
        addModelEntry(out, deskEntry::jarLid, {artkit::toMeshData(plain, "tex_paint.png", lacquer),
                                            artkit::toMeshData(ridged, "tex_lid_ridges.png", lacquer)});
    }
    addPictureEntry(out, "tex_paint.png", solidPicture({1, 1, 1}));
    // The paint is seen through two walls of glass; thin glass keeps it bright.
    addPictureEntry(out, "tex_jar_glass.png", glassPicture({0.88, 0.93, 0.98}, 0.13));
    addPictureEntry(out, "tex_lid_ridges.png", lidRidgePicture());
}

}  // namespace desk
