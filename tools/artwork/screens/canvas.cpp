// Flat picture models: one quad facing the viewer, its picture drawn in model units.
#include <cmath>

#include "tools/artwork/screens/screens_art.h"

namespace screenart {

Canvas beginCanvas(Area area, int width, int height) {
    Canvas c;
    c.area = area;
    c.picture = artkit::newPicture(width, height);
    c.cr = static_cast<cairo_t*>(artkit::pictureCairo(c.picture));
    // Model x maps to pixels left to right, model z top to bottom.
    cairo_scale(c.cr, width / (area.right - area.left), height / (area.top - area.bottom));
    cairo_translate(c.cr, -area.left, area.top);
    cairo_set_line_cap(c.cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(c.cr, CAIRO_LINE_JOIN_ROUND);
    // Tolerance in pixels: curves flattened finely whatever the stretch.
    cairo_set_tolerance(c.cr, 0.05);
    return c;
}

std::vector<uint8_t> finishCanvas(Canvas& canvas, bool clearEdges) {
    if (clearEdges) {
        // Textures repeat: filtering at one edge reads the opposite one, so an
        // edge row with shadow in it would show as a faint line along the other.
        cairo_t* cr = canvas.cr;
        cairo_save(cr);
        cairo_identity_matrix(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
        double w = cairo_image_surface_get_width(cairo_get_target(cr));
        double h = cairo_image_surface_get_height(cairo_get_target(cr));
        cairo_rectangle(cr, 0, 0, w, h);
        cairo_rectangle(cr, w - 1, 1, -(w - 2), h - 2);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    std::vector<uint8_t> png = artkit::finishPicture(canvas.picture);
    canvas.picture = nullptr;
    canvas.cr = nullptr;
    return png;
}

void addFlatPicture(PakArchive& pak, const std::string& entry, Area area, double depth,
                    const std::vector<uint8_t>& png, bool translucent) {
    using artkit::V2;
    using artkit::V3;
    artkit::MeshBuilder quad;
    V3 bottomLeft{area.left, depth, area.bottom}, bottomRight{area.right, depth, area.bottom};
    V3 topLeft{area.left, depth, area.top}, topRight{area.right, depth, area.top};
    // Texture rows run from the picture's top (v = 0) down; the faces turn to -y.
    artkit::addFlatTriangle(quad, bottomLeft, bottomRight, topRight, V2{0, 1}, V2{1, 1}, V2{1, 0});
    artkit::addFlatTriangle(quad, bottomLeft, topRight, topLeft, V2{0, 1}, V2{1, 0}, V2{0, 0});
    const std::string texture = "tex_" + entry + ".png";
    // The desk's light comes from the eye: a face turned to the eye gets 0.9 of
    // its picture (ambient 0.2 + 0.1, diffuse 0.6) and, since light, eye and
    // normal line up, the light's whole specular 0.7 times the material's, the
    // same at every point. A specular of 1/7 adds the missing tenth evenly, so
    // the pictures' white shows white.
    Material material = artkit::makeMaterial(1, 1, 1, 1, float(0.1 / 0.7), 1, translucent);
    std::vector<uint8_t> model = writeModel({artkit::toMeshData(quad, texture, material)});
    pakAddBuffer(pak, entry, model.data(), model.size());
    pakAddBuffer(pak, texture, png.data(), png.size());
}

double seenOnPanel(double panelCoordinate, double centreOffset, double panelDistance, double nearer) {
    double fromCentre = panelCoordinate + centreOffset;
    return fromCentre * panelDistance / (panelDistance - nearer) - centreOffset;
}

}  // namespace screenart
