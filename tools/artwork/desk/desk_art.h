// The desk's artwork: every model and picture of "interface.pak", built from code.
//
// Models are authored with z up and -y towards the viewer; the program stands
// them up with a rotation of -90 degrees about X. Colours come from the pictures
// only (the program draws with the current colour white, or with the paint colour
// for the bodies it paints), so every surface names a picture and every painted
// body has a white or near-white one.
#pragma once
#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "resources/pak.h"
#include "tools/artkit/artkit.h"

namespace desk {

using artkit::MeshBuilder;
using artkit::V2;
using artkit::V3;

// The archive being assembled; entries keep the order in which they are added,
// which the code fixes, so the archive's bytes never vary between runs.
struct DeskArchive {
    PakArchive pak;
};

void addModelEntry(DeskArchive& out, const std::string& name, const std::vector<ModelMeshData>& meshes);
void addPictureEntry(DeskArchive& out, const std::string& name, const std::vector<uint8_t>& png);

// The parts of the desk, each adding its models and the pictures they name.
void addBackground(DeskArchive& out);  // "fon", "fon_cardon", "fon_bulavka"
void addHudButtons(DeskArchive& out);  // "knopka_*"
void addJar(DeskArchive& out);         // "banka_kraska", "banka_steclo", "banka_kriska"
void addBrush(DeskArchive& out);       // "kist_ruchka", "kist_vors_color"
void addPalette(DeskArchive& out);     // "palitra", "kaplia1" ... "kaplia4_pr"
void addWaterGlass(DeskArchive& out);  // "stakan"
void addStar(DeskArchive& out);        // "zvezda"
void addFocusRing(DeskArchive& out);   // "fokus_ugol1".."4", "fokus_kray1".."4", "fokus_dwell01".."24"

// ---- geometry beyond artkit's (desk_geometry.cpp) ----

// Rows of a 3x3 matrix.
struct Mat3 {
    double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
};
Mat3 rotationX(double degrees);
Mat3 rotationY(double degrees);
Mat3 rotationZ(double degrees);
Mat3 scaling(double sx, double sy, double sz);
Mat3 operator*(const Mat3& a, const Mat3& b);
V3 operator*(const Mat3& a, V3 v);

// Applies p -> linear * p + offset to the vertices; normals follow the inverse
// transpose, so a non-uniform scale keeps them perpendicular to the surface.
void transformMesh(MeshBuilder& m, const Mat3& linear, V3 offset = {});
// Texture coordinates by projection: u = dot(p - origin, uAxis), v = dot(p - origin, vAxis).
void projectTexCoords(MeshBuilder& m, V3 origin, V3 uAxis, V3 vAxis);
// Every vertex gets the same texture coordinate (one colour of a picture).
void setTexCoord(MeshBuilder& m, V2 uv);
// Maps existing texture coordinates: u -> u0 + u * su, v -> v0 + v * sv.
void remapTexCoords(MeshBuilder& m, double u0, double su, double v0, double sv);

// A quad grid over (row, column) parameters; rows and columns are point counts.
// Triangles face the side from which rows go up and columns go right, i.e. the
// normal is d(pos)/d(column) x d(pos)/d(row).
void addGrid(MeshBuilder& m, int rows, int columns, const std::function<V3(int, int)>& pos,
             const std::function<V2(int, int)>& uv);
// Replaces the normals by averages over triangles that meet at the same point
// and whose faces differ by less than creaseDegrees; sharper edges stay sharp.
void smoothNormals(MeshBuilder& m, double creaseDegrees);
// Orders the triangles from far to near along viewDirection (from the eye into
// the scene), so that a translucent body blends its back behind its front.
void sortFarToNear(MeshBuilder& m, V3 viewDirection);
// The typical direction the desk is seen from, in model coordinates: from the
// front (-y) and a little above.
V3 deskViewDirection();

// Catmull-Rom points through a closed loop of control points, `perSpan` per span.
std::vector<V2> closedSpline(const std::vector<V2>& control, int perSpan);
// A quarter of a rounded corner in the (radius, z) profile plane: points from
// `from` to `to` along a circular arc around `centre`, first point excluded.
void appendArc(std::vector<V2>& profile, V2 centre, double radius, double fromDegrees, double toDegrees,
               int steps);

// ---- pictures (desk_pictures.cpp) ----

struct Rgb {
    double r, g, b;
};
// A picture of one colour (and alpha), 8 x 8 pixels.
std::vector<uint8_t> solidPicture(Rgb colour, double alpha = 1.0);

// Deterministic noise: a seeded generator and periodic value noise.
struct Random {
    uint64_t state;
    explicit Random(uint64_t seed) : state(seed * 2862933555777941757ULL + 3037000493ULL) {}
    double next();  // [0, 1)
};
// Smooth value noise in [0, 1] over cells of size 1, repeating after periodX
// cells in x and periodY cells in y, so that pictures made of it tile.
double periodicNoise(double x, double y, int periodX, int periodY, uint32_t seed);
// Sum of octaves of periodicNoise, each octave doubling the frequency.
double periodicFbm(double x, double y, int periodX, int periodY, uint32_t seed, int octaves);

struct Rgba {
    double r, g, b, a;
};
// Sets every pixel of a picture from a function of its position (x right, y down).
void paintPixels(artkit::Picture* picture, int width, int height, const std::function<Rgba(int, int)>& pixel);
// The cairo context of a picture, typed.
cairo_t* cairoOf(artkit::Picture* picture);

}  // namespace desk
