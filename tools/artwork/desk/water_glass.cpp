// The glass of water the brush is washed in: a tapered tumbler with a thick
// base, two-thirds full. Glass and water are one translucent mesh whose
// triangles are ordered far to near, so the water shows through the front wall
// and the back wall through the water; its picture holds both colours.
#include <cmath>

#include "tools/artwork/desk/desk_art.h"
#include "resources/desk_entries.h"

namespace desk {

namespace {

// The glass is about 75 pixels across at 1080 lines: 24 segments keep its
// outline within a third of a pixel.
const int kSegments = 24;
const double kHeight = 1.5, kWater = 0.98;

// Inner wall radius at height z.
double innerRadius(double z) { return 0.45 + (0.565 - 0.45) * (z - 0.14) / (kHeight - 0.14); }

// Upper half: glass, with streaks of reflection on the walls; lower half: water.
std::vector<uint8_t> glassAndWaterPicture() {
    const int w = 64, h = 64;
    artkit::Picture* pic = artkit::newPicture(w, h);
    paintPixels(pic, w, h, [&](int x, int y) {
        if (y >= h / 2) return Rgba{0.42, 0.7, 0.95, 0.5};
        double u = (x + 0.5) / w;
        auto band = [&](double centre, double width) {
            double d = std::fabs(u - centre) / width;
            return d < 1 ? 0.5 + 0.5 * std::cos(d * 3.14159265358979) : 0.0;
        };
        double streak = std::fmax(band(0.655, 0.03) * 0.7, band(0.845, 0.014) * 0.5);
        return Rgba{0.88 + 0.12 * streak, 0.94 + 0.06 * streak, 1.0, 0.16 + 0.66 * streak};
    });
    return artkit::finishPicture(pic);
}

}  // namespace

void addWaterGlass(DeskArchive& out) {
    // The lip's rounding is a pixel across and the base's a few, so short arcs do.
    std::vector<V2> glass{{0, 0}, {0.44, 0}};
    appendArc(glass, {0.44, 0.06}, 0.06, -90, 0, 2);
    glass.push_back({0.6, kHeight - 0.02});
    appendArc(glass, {0.5825, kHeight - 0.02}, 0.0175, 0, 180, 2);  // rounded lip
    glass.push_back({innerRadius(0.2), 0.2});
    appendArc(glass, {innerRadius(0.2) - 0.06, 0.2}, 0.06, 0, -90, 2);
    glass.push_back({0, 0.14});
    MeshBuilder wall;
    artkit::addRevolution(wall, glass, kSegments);
    // Keep the glass in the picture's upper half, away from the water colour.
    remapTexCoords(wall, 0, 1, 0.03, 0.44);
    for (size_t i = 0; i * 3 < wall.normals.size(); ++i) {
        if (std::fabs(wall.normals[i * 3 + 2]) > 0.6) wall.texCoords[i * 2] = 0.25;  // no streaks on the base
    }

    // The water: fills the inside to kWater, just inside the glass.
    // The inside wall is straight, so the water's side is one cone.
    std::vector<V2> water{{0, 0.145}, {innerRadius(0.15) - 0.006, 0.15}, {innerRadius(kWater - 0.03) - 0.006, kWater - 0.03}};
    water.push_back({innerRadius(kWater) - 0.012, kWater});  // meniscus
    water.push_back({innerRadius(kWater) - 0.05, kWater - 0.008});
    water.push_back({0, kWater - 0.01});
    MeshBuilder body;
    artkit::addRevolution(body, water, kSegments);
    setTexCoord(body, {0.5, 0.75});

    MeshBuilder all = wall;
    artkit::append(all, body);
    sortFarToNear(all, deskViewDirection());
    addModelEntry(out, deskEntry::waterGlass, {artkit::toMeshData(all, "tex_water_glass.png",
                                                      artkit::makeMaterial(0.8f, 0.9f, 1, 0.3f, 0.8f, 60, true))});
    addPictureEntry(out, "tex_water_glass.png", glassAndWaterPicture());
}

}  // namespace desk
