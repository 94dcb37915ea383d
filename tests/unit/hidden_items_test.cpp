// Which meshes count as flat sheets, and what a repair box may leave out behind
// one: only what lies wholly behind an opaque sheet covering the part it is
// left out of.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "scene/flat_outline.h"
#include "scene/hidden_items.h"
#include "scene/mesh.h"

namespace {

// A grid of cols x rows cells over [x0, x1] x [y0, y1] at height z, two
// triangles a cell, counter-clockwise seen from +z.
std::vector<double> grid(int cols, int rows, double x0, double y0, double x1, double y1, double z) {
    std::vector<double> v;
    auto at = [&](int c, int r) {
        v.push_back(x0 + (x1 - x0) * c / cols);
        v.push_back(y0 + (y1 - y0) * r / rows);
        v.push_back(z);
    };
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            at(c, r), at(c + 1, r), at(c + 1, r + 1);
            at(c, r), at(c + 1, r + 1), at(c, r + 1);
        }
    return v;
}

FlatOutline flatOutlineOf(const Mesh* mesh) { return decideFlatOutline(mesh->vertices, mesh->triangleCount); }

void use(Mesh& mesh, const std::vector<double>& vertices) {
    mesh.vertices = vertices.data();
    mesh.triangleCount = int32_t(vertices.size() / 9);
}

TEST(FlatOutline, OnlyWholeFlatSheetsWithoutCracksCount) {
    Mesh mesh;
    std::vector<double> sheet = grid(4, 3, -2, -1, 2, 1, 0.5);
    use(mesh, sheet);
    const FlatOutline outline = flatOutlineOf(&mesh);
    ASSERT_TRUE(outline.flat);
    EXPECT_EQ(outline.hull.size(), 4u * 3u);  // the four corners, the edges' middles left out

    std::vector<double> holed = sheet;  // an inner triangle taken out
    holed.erase(holed.begin() + 9 * 8, holed.begin() + 9 * 9);
    use(mesh, holed);
    EXPECT_FALSE(flatOutlineOf(&mesh).flat);

    std::vector<double> doubled = sheet;  // one triangle twice: overlap
    doubled.insert(doubled.end(), sheet.begin() + 9 * 8, sheet.begin() + 9 * 9);
    use(mesh, doubled);
    EXPECT_FALSE(flatOutlineOf(&mesh).flat);

    std::vector<double> bent = sheet;  // an inner corner lifted off the plane
    for (size_t i = 2; i < bent.size(); i += 3)
        if (std::fabs(sheet[i - 2] - 0) < 1e-12 && std::fabs(sheet[i - 1] - 1.0 / 3) < 1e-9) bent[i] += 0.01;
    use(mesh, bent);
    EXPECT_FALSE(flatOutlineOf(&mesh).flat);

    std::vector<double> flipped = sheet;  // one triangle facing the other way
    for (int k = 0; k < 3; ++k) std::swap(flipped[9 * 5 + 3 + size_t(k)], flipped[9 * 5 + 6 + size_t(k)]);
    use(mesh, flipped);
    EXPECT_FALSE(flatOutlineOf(&mesh).flat);

    // A vertex in the middle of a neighbour's edge (a T-junction) may leave a
    // crack between the two when rasterised.
    const std::vector<double> tee = {0, 0, 0, 2, 0, 0, 0, 2, 0,  2, 0, 0, 2, 1, 0, 1, 1, 0,
                                     2, 1, 0, 2, 2, 0, 1, 1, 0,  1, 1, 0, 2, 2, 0, 0, 2, 0};
    use(mesh, tee);
    EXPECT_FALSE(flatOutlineOf(&mesh).flat);
    const std::vector<double> fan = {0, 0, 0, 2, 0, 0, 1, 1, 0,  2, 0, 0, 2, 2, 0, 1, 1, 0,
                                     2, 2, 0, 0, 2, 0, 1, 1, 0,  0, 2, 0, 0, 0, 0, 1, 1, 0};
    use(mesh, fan);
    EXPECT_TRUE(flatOutlineOf(&mesh).flat);
}

// The camera's view: 45 degrees, 0.1 to 250, 1280x720; meshes placed in eye
// coordinates by a translation.
struct Scene {
    FrameRecord record;
    std::vector<Mesh> meshes = std::vector<Mesh>(8);
    std::vector<std::vector<double>> arrays = std::vector<std::vector<double>>(8);
    Scene() {
        const double f = 1 / std::tan(45.0 * M_PI / 360), near = 0.1, far = 250, aspect = 1280.0 / 720;
        record.projection[0] = f / aspect;
        record.projection[5] = f;
        record.projection[10] = (far + near) / (near - far);
        record.projection[11] = -1;
        record.projection[14] = 2 * far * near / (near - far);
        record.viewport[2] = 1280;
        record.viewport[3] = 720;
    }
    // A mesh of the vertices at eye depth z (its own coordinates' z added).
    DrawItem& add(const std::vector<double>& vertices, double z, bool translucent = false) {
        const size_t n = record.items.size();
        arrays[n] = vertices;
        Mesh& mesh = meshes[n];
        use(mesh, arrays[n]);
        mesh.boundsKnown = true;
        for (int k = 0; k < 3; ++k) {
            mesh.boundsLow[k] = 1e300;
            mesh.boundsHigh[k] = -1e300;
        }
        for (size_t i = 0; i < vertices.size(); ++i) {
            mesh.boundsLow[i % 3] = std::min(mesh.boundsLow[i % 3], vertices[i]);
            mesh.boundsHigh[i % 3] = std::max(mesh.boundsHigh[i % 3], vertices[i]);
        }
        static uint8_t opaque[60] = {}, blended[60] = {0, 1};
        DrawItem item;
        item.mesh = &mesh;
        item.material = translucent ? blended : opaque;
        item.translucent = translucent;
        item.triangleCount = mesh.triangleCount;
        item.vertices = mesh.vertices;
        for (int k = 0; k < 4; ++k) item.modelview[5 * k] = 1;
        item.modelview[14] = z;
        item.rect = {0, 0, 1280, 720};
        record.items.push_back(item);
        return record.items.back();
    }
};

TEST(HiddenItems, OnlyWhatLiesWhollyBehindACoveringSheetIsLeftOut) {
    Scene s;
    // At 100 in front of the eye a unit is 8.69 pixels; the sheet (80 x 40)
    // covers x 292.3..987.7, y 186.1..533.9.
    s.add(grid(1, 1, -60, -30, 60, 30, 0), -101);      // 0: the desk, behind
    s.add(grid(2, 2, -40, -20, 40, 20, 0), -100);      // 1: the sheet
    s.add(grid(1, 1, -10, -10, 10, 10, 0), -99.5);     // 2: in front of it
    s.add({-5, -5, 0.8, 5, -5, -0.8, 0, 5, 0}, -100);  // 3: through it
    s.add(grid(1, 1, -10, -10, 10, 10, 0), -100.001);  // 4: behind by less than the margin
    s.add(grid(1, 1, -10, -10, 10, 10, 0), -100.5).depthTest = false;  // 5: drawn over everything
    s.add(grid(1, 1, -10, -10, 10, 10, 0), -100.5, true);              // 6: blended, behind
    ScreenRect inside;
    std::vector<uint8_t> hidden;

    const ScreenRect box{400, 250, 900, 480};
    EXPECT_EQ(findHiddenItems(s.record, box, inside, hidden), 2u);
    EXPECT_EQ(std::vector<uint8_t>(hidden), (std::vector<uint8_t>{1, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(inside.x0, box.x0);
    EXPECT_EQ(inside.x1, box.x1);
    EXPECT_EQ(inside.y0, box.y0);
    EXPECT_EQ(inside.y1, box.y1);

    // A box reaching past the sheet's edges: only the part it covers, with a
    // pixel to spare, leaves anything out.
    const ScreenRect wider{250, 150, 1030, 570};
    ASSERT_EQ(findHiddenItems(s.record, wider, inside, hidden), 2u);
    EXPECT_EQ(inside.x0, 294);
    EXPECT_EQ(inside.x1, 986);
    EXPECT_EQ(inside.y0, 188);
    EXPECT_EQ(inside.y1, 532);

    // Mostly beside the sheet: nothing.
    EXPECT_EQ(findHiddenItems(s.record, {900, 100, 1200, 600}, inside, hidden), 0u);
    EXPECT_TRUE(isEmpty(inside));

    // A translucent or alpha-tested sheet hides nothing (the desk would cover
    // the box, but nothing lies behind it).
    s.record.items[1].translucent = true;
    EXPECT_EQ(findHiddenItems(s.record, box, inside, hidden), 0u);
    s.record.items[1].translucent = false;
    static uint8_t alphaTested[60] = {1};
    s.record.items[1].material = alphaTested;
    EXPECT_EQ(findHiddenItems(s.record, box, inside, hidden), 0u);

    // Under another projection (orthographic) nothing is left out.
    s.record.items[1].material = s.record.items[0].material;
    s.record.projection[11] = 0;
    s.record.projection[15] = 1;
    EXPECT_EQ(findHiddenItems(s.record, box, inside, hidden), 0u);
}

}  // namespace
