// Every region of every page is big enough for a small child to hit. Each page
// is drawn through the real camera at 1280 x 720 the way the program places it
// (scene frame 100 units away, the models stood up by -90 degrees about X),
// but into an identifier buffer: the block in black, each region in a colour
// of its own, depth-tested as in the program. The pixels left to each region
// are what the child can see and click.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "book/page_table.h"
#include "engine/camera.h"
#include "resources/model.h"
#include "resources/pak.h"
#include "base/gl.h"
#include "support/gl_fixture.h"
#include "support/test_support.h"

namespace {

const int kSmallestRegion = 300;   // pixels at 1280 x 720
const int kMedianRegion = 2000;

// Region k is drawn with red k; the other two channels mark it as a region.
const GLubyte kRegionGreen = 200, kRegionBlue = 100;

void drawGeometry(const PakArchive& pak, const char* entry) {
    int32_t size = 0;
    const uint8_t* bytes = pakGetEntry(pak, entry, &size);
    ASSERT_TRUE(bytes) << entry;
    std::vector<ParsedMesh> meshes;
    ASSERT_GT(parseModel(bytes, size, meshes), 0) << entry;
    for (const ParsedMesh& m : meshes) {
        glVertexPointer(3, GL_DOUBLE, 0, m.vertices);
        glDrawArrays(GL_TRIANGLES, 0, m.triangleCount * 3);
    }
}

// Visible pixels of each region, index k - 1 for element k.
std::vector<int> measurePage(int page) {
    char name[32];
    std::snprintf(name, sizeof name, "/page%02d.pak", page);
    PakArchive pak;
    EXPECT_TRUE(pakOpen(pak, (dataDir() + name).c_str())) << dataDir() << name;
    int n = pageTable[page - 1].elementCount;

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDepthMask(GL_TRUE);  // a frame drawn before may end with a blend, which writes none
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_DITHER);
    // Multisampled identifiers would blend at the edges on a real GPU.
    glDisable(GL_MULTISAMPLE);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslated(0, 0, -100);
    glRotated(-90, 1, 0, 0);

    // The program builds the block first and the regions in the byte order of
    // their names; with every layer at its own depth the order changes nothing.
    glColor3ub(0, 0, 0);
    drawGeometry(pak, "block");
    for (int k = 1; k <= n; ++k) {
        glColor3ub(GLubyte(k), kRegionGreen, kRegionBlue);
        drawGeometry(pak, ("el" + std::to_string(k)).c_str());
    }
    glFinish();

    int w = camera()->width, h = camera()->height;
    std::vector<GLubyte> pixels(size_t(w) * size_t(h) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    readPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());

    glPopMatrix();
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glPopAttrib();
    pakClose(pak);

    std::vector<int> counts(size_t(n), 0);
    for (size_t i = 0; i < pixels.size(); i += 3) {
        if (pixels[i + 1] != kRegionGreen || pixels[i + 2] != kRegionBlue) continue;
        int k = pixels[i];
        if (k >= 1 && k <= n) ++counts[size_t(k - 1)];
    }
    return counts;
}

class PageVisibility : public ::testing::TestWithParam<int> {};

TEST_P(PageVisibility, EveryRegionIsEasyToHit) {
    ensureGlWindow();
    ASSERT_NE(camera(), nullptr);
    // The measure is defined for this window size (the test screen's).
    ASSERT_EQ(camera()->width, 1280);
    ASSERT_EQ(camera()->height, 720);
    int page = GetParam();
    std::vector<int> counts = measurePage(page);
    ASSERT_EQ(int(counts.size()), pageTable[page - 1].elementCount);
    for (size_t k = 0; k < counts.size(); ++k)
        EXPECT_GE(counts[k], kSmallestRegion)
            << "page " << page << " region el" << k + 1 << " shows only " << counts[k] << " pixels";
    std::vector<int> sorted = counts;
    std::sort(sorted.begin(), sorted.end());
    int median = sorted[sorted.size() / 2];
    EXPECT_GE(median, kMedianRegion) << "page " << page << ": the median region shows only " << median << " pixels";
    size_t smallest = size_t(std::min_element(counts.begin(), counts.end()) - counts.begin());
    std::printf("page %2d: smallest region el%zu %d px, median %d px\n", page, smallest + 1, counts[smallest], median);
}

INSTANTIATE_TEST_SUITE_P(AllPages, PageVisibility, ::testing::Range(1, 22));

}  // namespace
