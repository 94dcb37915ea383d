// Building blocks of the artwork tool: meshes assembled from triangles with
// outward normals, turned into model entries; pictures drawn with cairo.
//
// Models are authored with z up and -y towards the viewer (the program stands
// them up with a rotation of -90 degrees about X).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "resources/model.h"

namespace artkit {

struct V2 {
    double x = 0, y = 0;
};
struct V3 {
    double x = 0, y = 0, z = 0;
};

V3 operator+(V3 a, V3 b);
V3 operator-(V3 a, V3 b);
V3 operator*(V3 a, double s);
double dot(V3 a, V3 b);
V3 cross(V3 a, V3 b);
V3 normalized(V3 a);

// Triangles of one mesh (one material, one texture).
struct MeshBuilder {
    std::vector<double> vertices;   // 9 per triangle
    std::vector<double> normals;    // 9 per triangle
    std::vector<double> texCoords;  // 6 per triangle
    int triangles() const { return int(vertices.size() / 9); }
};

void addTriangle(MeshBuilder& m, V3 a, V3 b, V3 c, V3 na, V3 nb, V3 nc, V2 ta, V2 tb, V2 tc);
// A flat triangle; its normal is (b - a) x (c - a), so list corners counter-clockwise
// as seen from the side the normal should face.
void addFlatTriangle(MeshBuilder& m, V3 a, V3 b, V3 c, V2 ta = {}, V2 tb = {}, V2 tc = {});
// Appends another builder's triangles moved by offset.
void append(MeshBuilder& m, const MeshBuilder& other, V3 offset = {});

// Material presets; colours RGBA.
Material makeMaterial(float r, float g, float b, float a, float specular, float shininess,
                      bool translucent = false, bool alphaTest = false);

ModelMeshData toMeshData(const MeshBuilder& m, const std::string& textureName, const Material& material);

// A surface of revolution about the z axis. profile points are (radius, z), listed
// from bottom to top; normals face outward (away from the axis for a wall going up).
void addRevolution(MeshBuilder& m, const std::vector<V2>& profile, int segments, V3 center = {});
// A prism: the outline (counter-clockwise seen from +z) extruded from z0 to z1,
// with its side walls and, when caps is set, both end faces.
void addExtrusion(MeshBuilder& m, const std::vector<V2>& outline, double z0, double z1, bool caps);
// A flat polygon (outer contour counter-clockwise, holes clockwise; any simple
// polygon) at y = depth in the model's x-z plane, facing -y (the viewer).
void addFlatPolygon(MeshBuilder& m, const std::vector<std::vector<V2>>& contours, double depth);
// A stroke of even width along a polyline at y = depth in the x-z plane, facing
// -y, with round joins and caps.
void addThickPolyline(MeshBuilder& m, const std::vector<V2>& points, bool closed, double width, double depth);

// Pictures: a cairo drawing turned into PNG bytes (RGBA, sizes powers of two).
struct Picture;
Picture* newPicture(int width, int height);  // the cairo_t is picture->cr
void* pictureCairo(Picture* p);              // cairo_t*
std::vector<uint8_t> finishPicture(Picture* p);  // PNG bytes; frees the picture

}  // namespace artkit
