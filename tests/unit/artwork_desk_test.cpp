// The generated desk archive: every entry the program loads is there; models
// parse, have geometry with sound normals and name only pictures the archive
// holds; pictures decode to power-of-two RGBA; the models fit the places and
// uses the program gives them; the tool writes the same bytes every time.
#include <gtest/gtest.h>


#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "resources/desk_entries.h"
#include "resources/model.h"
#include "resources/pak.h"
#include "resources/png_decode.h"
#include "scene/mesh.h"
#include "support/test_support.h"

namespace {

struct V {
    double x, y, z;
};
V sub(V a, V b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V cross(V a, V b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double dot(V a, V b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Archive memory has no alignment: doubles are copied out.
V readV(const double* base, size_t index) {
    double d[3];
    std::memcpy(d, reinterpret_cast<const uint8_t*>(base) + index * 3 * sizeof(double), sizeof d);
    return {d[0], d[1], d[2]};
}

std::vector<std::string> requiredModels() {
    std::vector<std::string> names(std::begin(deskModelEntries), std::end(deskModelEntries));
    for (const auto& well : wellEntries) names.insert(names.end(), std::begin(well), std::end(well));
    return names;
}

struct LoadedMesh {
    std::string texture;
    Material material;
    std::vector<V> vertices;  // three per triangle
    std::vector<V> normals;
};

struct Bounds {
    V lo{1e300, 1e300, 1e300}, hi{-1e300, -1e300, -1e300};
    void add(V p) {
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
};

struct DecodedPicture {
    bool ok = false;
    int width = 0, height = 0, bitsPerPixel = 0;
    double meanLuminance = 0, meanAlpha = 0, minAlpha = 0;
};

class DeskArchive : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(pakOpen(archive, (dataDir() + "/interface.pak").c_str())) << "no " << dataDir() << "/interface.pak";
    }
    static void TearDownTestSuite() { pakClose(archive); }

    static std::vector<LoadedMesh> meshesOf(const std::string& name) {
        std::vector<LoadedMesh> out;
        int32_t size = 0;
        const uint8_t* bytes = pakGetEntry(archive, name.c_str(), &size);
        if (!bytes) return out;
        std::vector<ParsedMesh> parsed;
        if (parseModel(bytes, size, parsed) < 0) return out;
        for (const ParsedMesh& p : parsed) {
            LoadedMesh m;
            m.texture = p.textureName;
            m.material = readMaterial(p.material);
            for (size_t i = 0; i < size_t(p.triangleCount) * 3; ++i) {
                m.vertices.push_back(readV(p.vertices, i));
                m.normals.push_back(readV(p.normals, i));
            }
            out.push_back(m);
        }
        return out;
    }

    static Bounds boundsOf(const std::string& name) {
        Bounds b;
        for (const LoadedMesh& m : meshesOf(name))
            for (V p : m.vertices) b.add(p);
        return b;
    }

    static DecodedPicture decode(const std::string& name) {
        DecodedPicture d;
        int32_t size = 0;
        const uint8_t* bytes = pakGetEntry(archive, name.c_str(), &size);
        if (!bytes || size <= 0) return d;
        RgbaImage image;
        if (!decodePngToRgba(bytes, size_t(size), image)) return d;
        d.ok = true;
        d.width = image.width;
        d.height = image.height;
        // As stored: 8-bit RGBA (colour type 6) is what the pictures are written as.
        d.bitsPerPixel = size > 25 && bytes[24] == 8 && bytes[25] == 6 ? 32 : 0;
        {
            const uint8_t* px = image.pixels.data();
            double lum = 0, alpha = 0, minAlpha = 1;
            size_t count = size_t(image.width) * size_t(image.height);
            for (size_t i = 0; i < count; ++i) {
                lum += (0.3 * px[i * 4] + 0.59 * px[i * 4 + 1] + 0.11 * px[i * 4 + 2]) / 255.0;
                alpha += px[i * 4 + 3] / 255.0;
                minAlpha = std::min(minAlpha, px[i * 4 + 3] / 255.0);
            }
            d.meanLuminance = lum / double(count);
            d.meanAlpha = alpha / double(count);
            d.minAlpha = minAlpha;
        }
        return d;
    }

    static PakArchive archive;
};

PakArchive DeskArchive::archive;

bool isPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

TEST_F(DeskArchive, HoldsEveryModelTheProgramLoads) {
    for (const std::string& name : requiredModels()) {
        int32_t size = 0;
        EXPECT_NE(pakGetEntry(archive, name.c_str(), &size), nullptr) << name;
        EXPECT_GT(size, 0) << name;
    }
}

TEST_F(DeskArchive, ModelsParseWithGeometryAndNameOnlyPicturesOfTheArchive) {
    for (const std::string& name : requiredModels()) {
        std::vector<LoadedMesh> meshes = meshesOf(name);
        ASSERT_FALSE(meshes.empty()) << name << " does not parse or has no meshes";
        for (const LoadedMesh& m : meshes) {
            EXPECT_GT(m.vertices.size(), 0u) << name;
            ASSERT_FALSE(m.texture.empty()) << name << ": every surface takes its colour from a picture";
            int32_t size = 0;
            EXPECT_NE(pakGetEntry(archive, m.texture.c_str(), &size), nullptr)
                << name << " names " << m.texture << ", which the archive does not hold";
            for (V n : m.normals) {
                ASSERT_GT(dot(n, n), 1e-6) << name << " has a zero normal";
                ASSERT_TRUE(std::isfinite(n.x) && std::isfinite(n.y) && std::isfinite(n.z)) << name;
            }
        }
    }
}

// Two-sided lighting hides flipped normals from a quick look but not from the
// highlights; a normal must lie on the side its triangle faces.
TEST_F(DeskArchive, NormalsAgreeWithTheirTriangles) {
    for (const std::string& name : requiredModels()) {
        size_t total = 0, disagreeing = 0;
        for (const LoadedMesh& m : meshesOf(name)) {
            for (size_t t = 0; t + 2 < m.vertices.size(); t += 3) {
                V face = cross(sub(m.vertices[t + 1], m.vertices[t]), sub(m.vertices[t + 2], m.vertices[t]));
                if (dot(face, face) < 1e-20) continue;
                for (int k = 0; k < 3; ++k) {
                    ++total;
                    if (dot(face, m.normals[t + size_t(k)]) <= 0) ++disagreeing;
                }
            }
        }
        EXPECT_GT(total, 0u) << name;
        EXPECT_EQ(disagreeing, 0u) << name << ": " << disagreeing << " of " << total << " normals face the wrong way";
    }
}

// Closed, roughly convex bodies: their surfaces must face away from their middle.
TEST_F(DeskArchive, RoundBodiesFaceOutwards) {
    std::vector<std::string> round = {"zvezda", "banka_kraska", "kist_vors_color", "knopka_close", "knopka_back"};
    for (int n = 1; n <= 4; ++n) {
        round.push_back("kaplia" + std::to_string(n) + "_cl");
        round.push_back("kaplia" + std::to_string(n) + "_pr");
        round.push_back("kaplia" + std::to_string(n) + "_white");
    }
    for (const std::string& name : round) {
        Bounds b = boundsOf(name);
        V middle{(b.lo.x + b.hi.x) / 2, (b.lo.y + b.hi.y) / 2, (b.lo.z + b.hi.z) / 2};
        size_t total = 0, inward = 0;
        for (const LoadedMesh& m : meshesOf(name)) {
            for (size_t i = 0; i < m.vertices.size(); ++i) {
                ++total;
                if (dot(m.normals[i], sub(m.vertices[i], middle)) < 0) ++inward;
            }
        }
        EXPECT_LT(double(inward), 0.02 * double(total)) << name << ": " << inward << " of " << total << " normals face inwards";
    }
}

TEST_F(DeskArchive, PicturesDecodeToPowerOfTwoRgba) {
    std::set<std::string> named;
    for (const std::string& name : requiredModels())
        for (const LoadedMesh& m : meshesOf(name)) named.insert(m.texture);
    ASSERT_FALSE(named.empty());
    for (const std::string& picture : named) {
        DecodedPicture d = decode(picture);
        ASSERT_TRUE(d.ok) << picture << " does not decode";
        EXPECT_TRUE(isPowerOfTwo(d.width) && isPowerOfTwo(d.height)) << picture << " is " << d.width << "x" << d.height;
        EXPECT_EQ(d.bitsPerPixel, 32) << picture << " must decode to RGBA";
    }
}

// The program paints these bodies; a dark picture would darken every paint.
TEST_F(DeskArchive, PaintedBodiesAreLight) {
    std::vector<std::string> painted = {"banka_kraska", "banka_kriska", "kist_vors_color", "zvezda"};
    for (int n = 1; n <= 4; ++n) {
        painted.push_back("kaplia" + std::to_string(n) + "_white");
        painted.push_back("kaplia" + std::to_string(n) + "_pr");
    }
    for (const std::string& name : painted) {
        for (const LoadedMesh& m : meshesOf(name)) {
            DecodedPicture d = decode(m.texture);
            ASSERT_TRUE(d.ok) << m.texture;
            EXPECT_GT(d.meanLuminance, 0.85) << name << " uses " << m.texture;
            EXPECT_FALSE(m.material.translucent) << name;
        }
    }
}

TEST_F(DeskArchive, GlassIsTranslucentAndOpaqueThingsAreNot) {
    for (const char* name : {"banka_steclo", "stakan"}) {
        std::vector<LoadedMesh> meshes = meshesOf(name);
        ASSERT_FALSE(meshes.empty()) << name;
        for (const LoadedMesh& m : meshes) {
            EXPECT_TRUE(m.material.translucent) << name;
            DecodedPicture d = decode(m.texture);
            ASSERT_TRUE(d.ok) << m.texture;
            EXPECT_LT(d.meanAlpha, 0.6) << name << " would hide what is behind it";
            EXPECT_GT(d.minAlpha, 0.1) << name << " would vanish";
        }
    }
    for (const char* name : {"fon", "fon_cardon", "palitra", "knopka_close", "kist_ruchka", "banka_kraska"}) {
        for (const LoadedMesh& m : meshesOf(name)) {
            EXPECT_FALSE(m.material.translucent) << name;
            DecodedPicture d = decode(m.texture);
            EXPECT_EQ(d.minAlpha, 1.0) << name << " uses " << m.texture;
        }
    }
}

// Flat faces turned to the light at the eye would shine all over with any specular.
TEST_F(DeskArchive, DeskTopHasNoSheen) {
    for (const char* name : {"fon", "fon_cardon"})
        for (const LoadedMesh& m : meshesOf(name)) EXPECT_LE(m.material.specular[0], 0.1f) << name;
}

TEST_F(DeskArchive, DeskTopFillsTheWindowBehindThePage) {
    Bounds b = boundsOf("fon");
    // Model y is depth behind the page; x and z are the scene's x and y.
    ASSERT_GT(b.lo.y, 0.0) << "the desk top must lie behind the page";
    double halfHeight = 0.414 * (100 + b.hi.y);
    double halfWidth = halfHeight * 21.0 / 9.0;
    EXPECT_LE(b.lo.x, -halfWidth);
    EXPECT_GE(b.hi.x, halfWidth);
    EXPECT_LE(b.lo.z, -halfHeight);
    EXPECT_GE(b.hi.z, halfHeight);
}

TEST_F(DeskArchive, CardboardLiesBetweenDeskAndPageAndFramesTheBook) {
    Bounds card = boundsOf("fon_cardon"), desk = boundsOf("fon"), pin = boundsOf("fon_bulavka");
    EXPECT_GT(card.lo.y, 0.0);
    EXPECT_LT(card.hi.y, desk.lo.y);
    EXPECT_LE(card.lo.x, -44.0);
    EXPECT_GE(card.hi.x, 44.0);
    EXPECT_LE(card.lo.z, -22.0);
    EXPECT_GE(card.hi.z, 36.0);
    EXPECT_LT(pin.lo.y, card.lo.y) << "the pin stands in front of the cardboard";
    // On the cardboard, outside the book's block.
    EXPECT_GE(pin.lo.x, card.lo.x);
    EXPECT_LE(pin.hi.z, card.hi.z);
    EXPECT_TRUE(pin.hi.x < -44.0 || pin.lo.x > 44.0 || pin.lo.z > 36.0 || pin.hi.z < -22.0);
}

TEST_F(DeskArchive, ButtonsAreTwoUnitsAcrossAndFaceTheViewer) {
    for (const char* name : {"knopka_close", "knopka_help", "knopka_menu", "knopka_left", "knopka_right", "knopka_back",
                             "knopka_clear"}) {
        Bounds b = boundsOf(name);
        EXPECT_NEAR(b.hi.x - b.lo.x, 2.0, 0.2) << name;
        EXPECT_NEAR(b.hi.z - b.lo.z, 2.0, 0.2) << name;
        EXPECT_LT(b.hi.y - b.lo.y, 0.6) << name << " is a disc, not a ball";
        EXPECT_LT(b.lo.y, -0.2) << name << " must bulge towards the viewer (-y)";
    }
}

TEST_F(DeskArchive, JarFitsTheRowAndItsLidHinge) {
    Bounds glass = boundsOf("banka_steclo"), paint = boundsOf("banka_kraska"), lid = boundsOf("banka_kriska");
    EXPECT_LE(glass.hi.x - glass.lo.x, 1.25) << "jars stand 1.4 apart";
    EXPECT_NEAR(glass.hi.z, 0.612, 0.03) << "the lid's hinge is at the rim's top";
    // The paint stays inside the glass.
    EXPECT_GT(paint.lo.x, glass.lo.x);
    EXPECT_LT(paint.hi.x, glass.hi.x);
    EXPECT_GT(paint.lo.z, glass.lo.z);
    EXPECT_LT(paint.hi.z, glass.hi.z);
    // The lid is modelled from its hinge: its left edge at x = 0, its middle over the jar's.
    EXPECT_NEAR(lid.lo.x, 0.0, 0.03);
    EXPECT_NEAR((lid.lo.x + lid.hi.x) / 2, 0.606, 0.03);
    EXPECT_NEAR((lid.lo.y + lid.hi.y) / 2, 0.001, 0.03);
    EXPECT_LT(lid.lo.z, 0.0) << "the lid's skirt reaches down over the rim";
    EXPECT_LT(lid.hi.z, 0.2);
}

TEST_F(DeskArchive, BrushTipIsAtTheOriginWithTheHandleAlongZ) {
    Bounds tip = boundsOf("kist_vors_color"), handle = boundsOf("kist_ruchka");
    EXPECT_NEAR(tip.lo.z, 0.0, 1e-6) << "the pointer's hot spot is the tip";
    EXPECT_NEAR(handle.hi.z, 2.5, 0.1);
    for (const Bounds& b : {tip, handle}) {
        EXPECT_LT(b.hi.x - b.lo.x, 0.5);
        EXPECT_NEAR((b.lo.x + b.hi.x) / 2, 0.0, 1e-3);
        EXPECT_NEAR((b.lo.y + b.hi.y) / 2, 0.0, 1e-3);
    }
    // The bristles' point is at the axis.
    for (const LoadedMesh& m : meshesOf("kist_vors_color")) {
        for (V p : m.vertices) {
            if (p.z < 0.01) {
                EXPECT_LT(std::hypot(p.x, p.y), 0.05);
            }
        }
    }
}

TEST_F(DeskArchive, PaletteTopCarriesTheWellsAndDrops) {
    Bounds palette = boundsOf("palitra");
    EXPECT_NEAR(palette.hi.z, -0.72, 0.01) << "wells and drops stand at z = -0.70 to -0.74";
    // Every well and drop position, with room for the well's hover growth.
    const double wells[4][2] = {{-3.44, -0.072}, {-1.977, -2.328}, {1.082, -1.786}, {2.966, 0.815}};
    const double drops[8][2] = {{-2.382, 0.628}, {-3.861, 1.203}, {-1.79, -1.238}, {-3.439, -2.147},
                                {0.224, -0.841}, {-0.134, -2.69},  {1.895, 0.568},  {3.045, -0.7}};
    Bounds well = boundsOf("kaplia1");
    double wellRadius = std::max(well.hi.x, -well.lo.x);
    for (const auto& w : wells) {
        EXPECT_GE(w[0] - wellRadius, palette.lo.x);
        EXPECT_LE(w[0] + wellRadius, palette.hi.x);
        EXPECT_GE(w[1] - wellRadius, palette.lo.y);
        EXPECT_LE(w[1] + wellRadius, palette.hi.y);
    }
    for (const auto& d : drops) {
        EXPECT_GT(d[0], palette.lo.x);
        EXPECT_LT(d[0], palette.hi.x);
        EXPECT_GT(d[1], palette.lo.y);
        EXPECT_LT(d[1], palette.hi.y);
    }
    // A drop at full size is smaller than the gap to its well.
    Bounds drop = boundsOf("kaplia1_cl");
    EXPECT_LT(1.2 * std::max(drop.hi.x, -drop.lo.x) + 1.1 * wellRadius, 1.1);
}

TEST_F(DeskArchive, WellsAndDropsStandOnTheirOrigins) {
    for (int n = 1; n <= 4; ++n) {
        for (const char* suffix : {"", "_white", "_cl", "_pr"}) {
            std::string name = "kaplia" + std::to_string(n) + suffix;
            Bounds b = boundsOf(name);
            EXPECT_NEAR(b.lo.z, 0.0, 0.04) << name << " must sit on the palette, not float or sink";
            EXPECT_GT(b.hi.z, 0.05) << name;
            EXPECT_LT(b.hi.z, 0.4) << name;
        }
    }
}

TEST_F(DeskArchive, StarAndGlassHaveTheirSizes) {
    Bounds star = boundsOf("zvezda"), glass = boundsOf("stakan");
    EXPECT_NEAR(star.hi.z, 1.0, 0.05);
    EXPECT_NEAR(star.hi.x - star.lo.x, 1.9, 0.1);
    EXPECT_GT(star.hi.y - star.lo.y, 0.3) << "a plump star, not a flat one";
    EXPECT_NEAR(glass.lo.z, 0.0, 1e-6) << "the glass stands on its origin and tilts about it";
    EXPECT_LE(glass.hi.x - glass.lo.x, 1.3);
}

#ifdef QM_ART_DESK
TEST(ArtDesk, GeneratingTwiceWritesIdenticalArchives) {
    std::string first = makeTempDir("qm_desk_a"), second = makeTempDir("qm_desk_b");
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    for (const std::string& dir : {first, second}) {
        std::string command = std::string("'") + QM_ART_DESK + "' '" + dir + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    std::vector<uint8_t> a = readFileBytes(first + "/interface.pak");
    std::vector<uint8_t> b = readFileBytes(second + "/interface.pak");
    EXPECT_FALSE(a.empty());
    EXPECT_TRUE(a == b) << "interface.pak differs between two runs";
    for (const std::string& dir : {first, second}) {
        std::remove((dir + "/interface.pak").c_str());
        std::remove(dir.c_str());
    }
}
#else
TEST(ArtDesk, GeneratingTwiceWritesIdenticalArchives) { FAIL() << "art_desk was not built with the tests"; }
#endif

}  // namespace
