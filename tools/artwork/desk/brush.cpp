// The paintbrush: a soft round tip at the origin, a metal ferrule and a wooden
// handle with a lacquered end along +z, 2.52 long. The tip ("kist_vors_color") is
// painted by the program with the brush's colour, so its bristles are white.
#include <cmath>

#include "tools/artwork/desk/desk_art.h"
#include "resources/desk_entries.h"

namespace desk {

namespace {

// The brush is about 150 pixels long at 1080 lines, the handle at most 22
// across: 16 segments keep its outline within a quarter of a pixel.
const int kSegments = 16;

// Fine lengthwise streaks: bristles on the tip, grain on the handle.
std::vector<uint8_t> streakPicture(Rgb base, double depth, int lines, double maxWidth, uint32_t seed) {
    const int w = 128, h = 128;
    std::vector<double> column(w, 1.0);
    Random rnd(seed);
    for (int i = 0; i < lines; ++i) {
        double x = w * rnd.next(), width = 0.6 + (maxWidth - 0.6) * rnd.next(), k = depth * (0.4 + 0.6 * rnd.next());
        for (int c = 0; c < w; ++c) {
            double d = std::fabs(c + 0.5 - x);
            d = std::fmin(d, w - d);  // the picture wraps round the brush
            if (d < width) column[size_t(c)] *= 1.0 - k * (1.0 - d / width);
        }
    }
    artkit::Picture* pic = artkit::newPicture(w, h);
    paintPixels(pic, w, h, [&](int x, int y) {
        double wave = periodicNoise(x / 8.0, y / 32.0, w / 8, h / 32, seed + 1);
        double k = column[size_t(x)] * (0.96 + 0.06 * wave);
        return Rgba{base.r * k, base.g * k, base.b * k, 1};
    });
    return artkit::finishPicture(pic);
}

// Brushed metal: bright with soft rings across the ferrule.
std::vector<uint8_t> ferrulePicture() {
    const int w = 8, h = 64;
    artkit::Picture* pic = artkit::newPicture(w, h);
    paintPixels(pic, w, h, [&](int, int y) {
        double v = (y + 0.5) / h;
        double k = 0.82 + 0.1 * std::sin(v * 3.14159265358979 * 6) + 0.08 * std::cos(v * 3.14159265358979 * 2);
        return Rgba{0.86 * k, 0.88 * k, 0.92 * k, 1};
    });
    return artkit::finishPicture(pic);
}

}  // namespace

void addBrush(DeskArchive& out) {
    {
        // A plump tip that ends in a soft point; its top end lies inside the
        // ferrule and stays open.
        std::vector<V2> tip{{0, 0}, {0.045, 0.022}, {0.09, 0.09}, {0.13, 0.2}, {0.152, 0.32},
                            {0.16, 0.45}, {0.151, 0.58}, {0.14, 0.64}};
        MeshBuilder bristles;
        artkit::addRevolution(bristles, tip, kSegments);
        addModelEntry(out, deskEntry::brushTip, {artkit::toMeshData(bristles, "tex_brush_bristles.png",
                                                                   artkit::makeMaterial(1, 1, 1, 1, 0.3f, 25))});
    }
    {
        // Small roundings of a pixel or two are bevels; the wood's and the
        // lacquer's open ends lie inside the ferrule and the lacquer.
        std::vector<V2> ferrule{{0.12, 0.575}, {0.152, 0.575}, {0.167, 0.59}, {0.172, 0.8},
                                {0.165, 0.83}, {0.174, 0.86}, {0.178, 0.96}, {0.168, 0.97}, {0, 0.97}};
        std::vector<V2> wood{{0.16, 0.965}, {0.178, 1.2}, {0.185, 1.45}, {0.172, 1.7}, {0.13, 2.02}};
        std::vector<V2> end{{0.132, 2.0}, {0.121, 2.25}, {0.112, 2.42}};
        appendArc(end, {0.06, 2.42}, 0.052, 0, 90, 2);
        end.push_back({0, 2.52});
        MeshBuilder metal, handle, lacquer;
        artkit::addRevolution(metal, ferrule, kSegments);
        artkit::addRevolution(handle, wood, kSegments);
        artkit::addRevolution(lacquer, end, kSegments);
        addModelEntry(out, deskEntry::brushHandle,
                      {artkit::toMeshData(metal, "tex_brush_ferrule.png", artkit::makeMaterial(0.85f, 0.87f, 0.9f, 1, 0.8f, 60)),
                       artkit::toMeshData(handle, "tex_brush_wood.png", artkit::makeMaterial(0.93f, 0.72f, 0.45f, 1, 0.35f, 30)),
                       artkit::toMeshData(lacquer, "tex_brush_end.png", artkit::makeMaterial(0.88f, 0.18f, 0.15f, 1, 0.5f, 40))});
    }
    addPictureEntry(out, "tex_brush_bristles.png", streakPicture({1, 1, 1}, 0.16, 120, 1.3, 5));
    addPictureEntry(out, "tex_brush_wood.png", streakPicture({0.95, 0.74, 0.47}, 0.25, 26, 2.2, 9));
    addPictureEntry(out, "tex_brush_ferrule.png", ferrulePicture());
    addPictureEntry(out, "tex_brush_end.png", solidPicture({0.9, 0.2, 0.17}));
}

}  // namespace desk
