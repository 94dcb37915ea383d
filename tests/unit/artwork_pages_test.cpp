// The generated page archives: each holds the book block and exactly the
// regions the page table promises; every model parses whole; regions are flat,
// face the viewer, stay inside the drawing area and never share a depth; the
// block's pictures decode; the tool writes the same bytes every time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "book/page_table.h"
#include "resources/model.h"
#include "resources/pak.h"
#include "resources/png_decode.h"
#include "support/test_support.h"

namespace {


std::string archiveName(int page) {
    char name[16];
    std::snprintf(name, sizeof name, "page%02d.pak", page);
    return name;
}

struct V {
    double x, y, z;
};

// Archive memory has no alignment: doubles are copied out.
V readV(const double* base, size_t index) {
    double d[3];
    std::memcpy(d, reinterpret_cast<const uint8_t*>(base) + index * 3 * sizeof(double), sizeof d);
    return {d[0], d[1], d[2]};
}

struct Model {
    int32_t parsed = -1;
    int32_t declared = -1;
    std::vector<std::string> textures;
    std::vector<std::vector<V>> vertices;  // per mesh, three per triangle
    std::vector<std::vector<V>> normals;
};

Model readModel(const uint8_t* bytes, int32_t size) {
    Model m;
    std::vector<ParsedMesh> meshes;
    m.parsed = parseModel(bytes, size, meshes);
    if (size >= 9) {
        size_t at = bytes[0] == 0xFF ? 5 : 1;
        std::memcpy(&m.declared, bytes + at, 4);
    }
    for (const ParsedMesh& p : meshes) {
        m.textures.push_back(p.textureName);
        std::vector<V> vs, ns;
        for (int32_t i = 0; i < p.triangleCount * 3; ++i) {
            vs.push_back(readV(p.vertices, size_t(i)));
            ns.push_back(readV(p.normals, size_t(i)));
        }
        m.vertices.push_back(vs);
        m.normals.push_back(ns);
    }
    return m;
}

class PageArchives : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        for (int i = 0; i < 21; ++i)
            ASSERT_TRUE(pakOpen(archives[i], (dataDir() + "/" + archiveName(i + 1)).c_str()))
                << "no " << dataDir() << "/" << archiveName(i + 1);
    }
    static void TearDownTestSuite() {
        for (PakArchive& a : archives) pakClose(a);
    }
    static Model model(int page, const std::string& entry) {
        int32_t size = 0;
        const uint8_t* bytes = pakGetEntry(archives[page - 1], entry.c_str(), &size);
        if (!bytes) return Model();
        return readModel(bytes, size);
    }
    static PakArchive archives[21];
};

PakArchive PageArchives::archives[21];

TEST(PageTable, AgreesWithTheArtwork) {
    for (int i = 0; i < 21; ++i) {
        EXPECT_EQ(pageTable[i].number, i + 1);
        EXPECT_EQ(std::string(pageTable[i].archive), archiveName(i + 1));
    }
}

TEST_F(PageArchives, HoldTheBlockAndExactlyTheirRegions) {
    for (int page = 1; page <= 21; ++page) {
        const PakArchive& a = archives[page - 1];
        std::set<std::string> names;
        int regions = 0;
        for (const PakEntry& e : a.entries) {
            EXPECT_TRUE(names.insert(e.name).second) << "page " << page << " holds " << e.name << " twice";
            if (e.name.compare(0, 2, "el") == 0) ++regions;
        }
        EXPECT_TRUE(names.count("block")) << "page " << page << " has no block";
        for (int k = 1; k <= pageTable[page - 1].elementCount; ++k)
            EXPECT_TRUE(names.count("el" + std::to_string(k))) << "page " << page << " lacks el" << k;
        EXPECT_EQ(regions, pageTable[page - 1].elementCount) << "page " << page;
    }
}

TEST_F(PageArchives, EveryModelParsesWhole) {
    for (int page = 1; page <= 21; ++page) {
        for (const PakEntry& e : archives[page - 1].entries) {
            if (e.name != "block" && e.name.compare(0, 2, "el") != 0) continue;
            Model m = readModel(e.data.data(), e.size);
            EXPECT_GT(m.parsed, 0) << "page " << page << " " << e.name;
            EXPECT_EQ(m.parsed, m.declared) << "page " << page << " " << e.name << " has a broken mesh";
            for (const auto& vs : m.vertices) EXPECT_FALSE(vs.empty()) << "page " << page << " " << e.name;
        }
    }
}

TEST_F(PageArchives, RegionsAreFlatUntexturedAndFaceTheViewer) {
    for (int page = 1; page <= 21; ++page) {
        for (int k = 1; k <= pageTable[page - 1].elementCount; ++k) {
            Model m = model(page, "el" + std::to_string(k));
            ASSERT_EQ(m.parsed, 1) << "page " << page << " el" << k;
            // No texture: the node's paint colour is what shows.
            EXPECT_EQ(m.textures[0], "") << "page " << page << " el" << k;
            const std::vector<V>& vs = m.vertices[0];
            const std::vector<V>& ns = m.normals[0];
            bool flat = true, facing = true, wound = true;
            for (size_t i = 0; i < vs.size(); ++i) {
                if (std::fabs(vs[i].y - vs[0].y) > 1e-9) flat = false;
                if (ns[i].y > -0.999 || std::fabs(ns[i].x) > 1e-6 || std::fabs(ns[i].z) > 1e-6) facing = false;
            }
            for (size_t t = 0; t + 2 < vs.size(); t += 3) {
                // The geometric normal agrees with the stored one: corners run
                // counter-clockwise as the viewer (at -y) sees them.
                double cy = (vs[t + 1].z - vs[t].z) * (vs[t + 2].x - vs[t].x) -
                            (vs[t + 1].x - vs[t].x) * (vs[t + 2].z - vs[t].z);
                if (cy > 1e-12) wound = false;
            }
            EXPECT_TRUE(flat) << "page " << page << " el" << k << " is not flat";
            EXPECT_TRUE(facing) << "page " << page << " el" << k << " has normals away from the viewer";
            EXPECT_TRUE(wound) << "page " << page << " el" << k << " has a triangle wound the wrong way";
        }
    }
}

TEST_F(PageArchives, RegionsStayInsideTheDrawingAreaInFrontOfThePaper) {
    for (int page = 1; page <= 21; ++page) {
        for (int k = 1; k <= pageTable[page - 1].elementCount; ++k) {
            Model m = model(page, "el" + std::to_string(k));
            ASSERT_EQ(m.parsed, 1);
            double area = 0;
            for (size_t t = 0; t + 2 < m.vertices[0].size(); t += 3) {
                const V *a = &m.vertices[0][t], *b = a + 1, *c = a + 2;
                area += std::fabs((b->x - a->x) * (c->z - a->z) - (c->x - a->x) * (b->z - a->z)) * 0.5;
            }
            EXPECT_GT(area, 4.0) << "page " << page << " el" << k << " is too small to hit";
            for (const V& v : m.vertices[0]) {
                ASSERT_TRUE(v.x >= -39 && v.x <= 39 && v.z >= -13 && v.z <= 32)
                    << "page " << page << " el" << k << " reaches (" << v.x << ", " << v.z << ")";
                ASSERT_LT(v.y, 0.0) << "page " << page << " el" << k << " is not in front of the paper";
            }
        }
    }
}

TEST_F(PageArchives, RegionsLieOnSeparateLayers) {
    // Two regions at one depth would fight for their pixels in the depth buffer.
    for (int page = 1; page <= 21; ++page) {
        std::vector<double> depths;
        for (int k = 1; k <= pageTable[page - 1].elementCount; ++k) {
            Model m = model(page, "el" + std::to_string(k));
            ASSERT_EQ(m.parsed, 1);
            depths.push_back(m.vertices[0][0].y);
        }
        std::sort(depths.begin(), depths.end());
        for (size_t i = 1; i < depths.size(); ++i)
            EXPECT_GE(depths[i] - depths[i - 1], 0.02 - 1e-9) << "page " << page << " has regions too close in depth";
    }
}

TEST_F(PageArchives, BookFitsItsPlaceAndItsLinesAreInFront) {
    for (int page = 1; page <= 21; ++page) {
        Model block = model(page, "block");
        ASSERT_GT(block.parsed, 0);
        double nearestRegion = 0;
        for (int k = 1; k <= pageTable[page - 1].elementCount; ++k)
            nearestRegion = std::min(nearestRegion, model(page, "el" + std::to_string(k)).vertices[0][0].y);
        bool hasInk = false;
        for (size_t m = 0; m < block.vertices.size(); ++m) {
            double nearest = 1e9;
            for (const V& v : block.vertices[m]) {
                EXPECT_TRUE(v.x >= -44 && v.x <= 44 && v.z >= -22 && v.z <= 36)
                    << "page " << page << " block reaches (" << v.x << ", " << v.z << ")";
                nearest = std::min(nearest, v.y);
            }
            if (block.textures[m] == "ink.png") {
                hasInk = true;
                // The front-most surface of the page is line art, never paint.
                EXPECT_LT(nearest, nearestRegion) << "page " << page;
            } else {
                // Covers, paper and the fold's shadow lie behind every region.
                EXPECT_GT(nearest, -0.1 + 1e-9) << "page " << page << " " << block.textures[m];
                EXPECT_LT(nearestRegion, nearest) << "page " << page;
            }
            int32_t size = 0;
            EXPECT_TRUE(pakGetEntry(archives[page - 1], block.textures[m].c_str(), &size))
                << "page " << page << " block names " << block.textures[m] << " which the archive lacks";
        }
        EXPECT_TRUE(hasInk) << "page " << page << " has no line art";
    }
}

TEST_F(PageArchives, BlockPicturesDecodeToPowerOfTwoRgbaAndTheInkIsBlack) {
    for (int page = 1; page <= 21; ++page) {
        Model block = model(page, "block");
        for (const std::string& name : block.textures) {
            int32_t size = 0;
            const uint8_t* bytes = pakGetEntry(archives[page - 1], name.c_str(), &size);
            ASSERT_TRUE(bytes);
            RgbaImage s;
            ASSERT_TRUE(decodePngToRgba(bytes, size_t(size), s)) << "page " << page << " " << name << " does not decode";
            EXPECT_TRUE(size > 25 && bytes[24] == 8 && bytes[25] == 6) << name << " is not stored as 8-bit RGBA";
            EXPECT_EQ(s.width & (s.width - 1), 0) << name;
            EXPECT_EQ(s.height & (s.height - 1), 0) << name;
            if (name == "ink.png") {
                double sum = 0;
                const uint8_t* px = s.pixels.data();
                for (int y = 0; y < s.height; ++y)
                    for (int x = 0; x < s.width; ++x) {
                        const uint8_t* p = px + (size_t(y) * size_t(s.width) + size_t(x)) * 4;
                        sum += (p[0] + p[1] + p[2]) / (3.0 * 255.0);
                        EXPECT_EQ(p[3], 255);
                    }
                EXPECT_LT(sum / (s.width * s.height), 0.15) << "the ink is not dark";
            }
        }
    }
}

#ifdef QM_ART_PAGES
TEST(ArtPages, GeneratingTwiceWritesIdenticalArchives) {
    std::string first = makeTempDir("qm_pages_a"), second = makeTempDir("qm_pages_b");
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    for (const std::string& dir : {first, second}) {
        std::string command = std::string("'") + QM_ART_PAGES + "' '" + dir + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    for (int page = 1; page <= 21; ++page) {
        std::vector<uint8_t> a = readFileBytes(first + "/" + archiveName(page));
        std::vector<uint8_t> b = readFileBytes(second + "/" + archiveName(page));
        EXPECT_FALSE(a.empty()) << archiveName(page);
        EXPECT_TRUE(a == b) << archiveName(page) << " differs between two runs";
    }
    for (const std::string& dir : {first, second}) {
        for (int page = 1; page <= 21; ++page) std::remove((dir + "/" + archiveName(page)).c_str());
        std::remove(dir.c_str());
    }
}
#else
TEST(ArtPages, GeneratingTwiceWritesIdenticalArchives) { FAIL() << "art_pages was not built with the tests"; }
#endif

}  // namespace
