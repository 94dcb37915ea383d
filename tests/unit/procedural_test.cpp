// The procedural generators and the recipe rules that need no OpenGL:
// everything here runs before a texture would be created.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <vector>

#include "proctex/procedural_texture.h"

namespace {

struct Rgba {
    int r, g, b, a;
};

Rgba pixelAt(const std::vector<uint8_t>& pixels, int w, int row, int col) {
    const uint8_t* p = pixels.data() + 4 * (row * w + col);
    return {p[0], p[1], p[2], p[3]};
}

bool isGrid(int w, int h, int i, int j) { return j == w - 1 || j % 16 == 0 || i % 16 == 0 || i == h - 1; }

struct FireFixture {
    FireState fire;
    FireFixture(int w, int h) { initFireState(fire, w, h); }
    ~FireFixture() {
        std::free(fire.heat);
        std::free(fire.scratch);
    }
};

}  // namespace

TEST(FillRampTest, FirstRampEndsOneStepShortOfItsTarget) {
    FireState fire;
    std::memset(fire.palette, 0xAB, sizeof fire.palette);
    const uint8_t from[4] = {0, 0, 0, 100};
    const uint8_t to[4] = {255, 51, 36, 255};
    fillRamp(fire, 0, 64, from, to);
    EXPECT_EQ(std::vector<int>(fire.palette[0], fire.palette[0] + 4), (std::vector<int>{0, 0, 0, 100}));
    EXPECT_EQ(std::vector<int>(fire.palette[63], fire.palette[63] + 4), (std::vector<int>{251, 50, 35, 252}));
    // Entry 32 is halfway: 127.5, 25.5, 18 and 177.5, truncated.
    EXPECT_EQ(std::vector<int>(fire.palette[32], fire.palette[32] + 4), (std::vector<int>{127, 25, 18, 177}));
    // The end is exclusive.
    EXPECT_EQ(fire.palette[64][0], 0xAB);
}

TEST(FillRampTest, FirePaletteJoinsItsFiveRamps) {
    FireFixture f(8, 4);
    auto entry = [&](int i) { return std::vector<int>(f.fire.palette[i], f.fire.palette[i] + 4); };
    EXPECT_EQ(entry(0), (std::vector<int>{0, 0, 0, 100}));
    EXPECT_EQ(entry(64), (std::vector<int>{255, 51, 36, 255}));
    EXPECT_EQ(entry(96), (std::vector<int>{255, 189, 51, 255}));
    EXPECT_EQ(entry(128), (std::vector<int>{255, 237, 51, 255}));
    EXPECT_EQ(entry(196), (std::vector<int>{100, 100, 189, 255}));
    // 196 + 58/59 of the way from (100,100,189) to (255,231,51).
    EXPECT_EQ(entry(254), (std::vector<int>{252, 228, 53, 255}));
    EXPECT_EQ(f.fire.width, 8);
    EXPECT_EQ(f.fire.rows, 7);
    for (int i = 0; i < 8 * 7; i++) {
        EXPECT_EQ(f.fire.heat[i], 0);
        EXPECT_EQ(f.fire.scratch[i], 0);
    }
}

TEST(PlasmaTest, GridAtTimeZeroOn64x64) {
    const int w = 64, h = 64;
    uint8_t base[3] = {200, 40, 90};
    std::vector<uint8_t> pixels(w * h * 4, 0x5A);
    generatePlasma(0, w, h, pixels.data(), base);
    std::set<int> lines = {0, 16, 32, 48, 63};
    int opaqueBands = 0;
    for (int i = 0; i < h; i++) {
        for (int j = 0; j < w; j++) {
            Rgba p = pixelAt(pixels, w, i, j);
            if (lines.count(i) || lines.count(j)) {
                EXPECT_EQ(p.g, 127) << i << "," << j;
                EXPECT_EQ(p.a, 255) << i << "," << j;
                continue;
            }
            // Off the grid the three channels are the base moved by one amount.
            int dr = (p.r - base[0] + 256) % 256;
            EXPECT_EQ((p.g - base[1] + 256) % 256, dr) << i << "," << j;
            EXPECT_EQ((p.b - base[2] + 256) % 256, dr) << i << "," << j;
            ASSERT_TRUE(p.a == 0 || p.a == 255);
            // Opaque only in the thin bands b = 121..126, i.e. base + 1 .. base + 6.
            if (p.a == 255) {
                opaqueBands++;
                EXPECT_GE(dr, 1);
                EXPECT_LE(dr, 6);
            }
        }
    }
    EXPECT_GT(opaqueBands, 0);
    EXPECT_LT(opaqueBands, 64 * 64 / 4);

    // Worked by hand: at (1, 1) s = 2 (sin c + sin 2c + sin 4c) with c = 6.28/64,
    // about 1.3509, so v = 156, b = -100 and every channel moves by -220; transparent.
    Rgba p = pixelAt(pixels, w, 1, 1);
    EXPECT_EQ(p.r, (200 - 220 + 256) % 256);
    EXPECT_EQ(p.g, (40 - 220 + 256) % 256);
    EXPECT_EQ(p.b, (90 - 220 + 256) % 256);
    EXPECT_EQ(p.a, 0);
}

TEST(PlasmaTest, BandsMoveWithTimeAndTheGridStays) {
    const int w = 32, h = 32;
    uint8_t base[3] = {10, 20, 30};
    std::vector<uint8_t> early(w * h * 4), late(w * h * 4);
    generatePlasma(0, w, h, early.data(), base);
    generatePlasma(700, w, h, late.data(), base);
    int changed = 0;
    for (int i = 0; i < h; i++) {
        for (int j = 0; j < w; j++) {
            Rgba a = pixelAt(early, w, i, j), b = pixelAt(late, w, i, j);
            if (isGrid(w, h, i, j)) {
                EXPECT_EQ(b.g, 127);
                EXPECT_EQ(b.a, 255);
            } else if (a.r != b.r) {
                changed++;
            }
        }
    }
    EXPECT_GT(changed, 0);
}

TEST(FireTest, FirstStepUsesRandInTheStatedOrder) {
    const int w = 32, h = 16;
    FireFixture f(w, h);
    std::vector<uint8_t> pixels(w * h * 4);
    std::srand(1234);
    generateFire(0, w, h, pixels.data(), &f.fire);
    // After the step the old field is the scratch one: replay the seeds and the
    // spark with the same sequence of rand() calls and compare it cell for cell.
    std::vector<uint8_t> expected(w * (h + 3), 0);
    std::srand(1234);
    int n = std::rand() & (w - 1);
    for (int k = 0; k < n; k++) {
        int x = std::rand() % w;
        int y = h + std::rand() % 3;
        expected[y * w + x] = uint8_t(std::rand() % 256);
    }
    int x = std::rand() % w;
    int y = h / 2 + std::rand() % (h / 2);
    expected[y * w + x] = uint8_t(std::rand() % 256);
    EXPECT_EQ(std::vector<uint8_t>(f.fire.scratch, f.fire.scratch + w * (h + 3)), expected);
}

TEST(FireTest, FirstStepChangesOnlyCellsNextToTheSeedsAndTheSpark) {
    const int w = 64, h = 32;
    for (unsigned seed : {1u, 7u, 99u, 2024u}) {
        FireFixture f(w, h);
        std::vector<uint8_t> pixels(w * h * 4);
        std::srand(seed);
        generateFire(0, w, h, pixels.data(), &f.fire);
        const uint8_t* old = f.fire.scratch;  // swapped: the field the step read from
        const uint8_t* now = f.fire.heat;     // the field the step wrote
        for (int r = 0; r < h; r++) {
            for (int c = 0; c < w; c++) {
                int k = r * w + c;
                // The eight cells the diffusion reads for this one.
                int sum = 0;
                bool anyNeighbour = false;
                if (c > 0 && c < w - 1) {
                    const int offsets[8] = {-1, 1, w - 1, w, w + 1, 2 * w - 1, 2 * w, 2 * w + 1};
                    for (int o : offsets) {
                        sum += old[k + o];
                        anyNeighbour |= old[k + o] != 0;
                    }
                }
                int v = sum / 8;
                if (v != 0) v--;
                EXPECT_EQ(now[k], v) << "cell " << r << "," << c;
                Rgba p = pixelAt(pixels, w, r, c);
                const uint8_t* want = f.fire.palette[now[k]];
                EXPECT_EQ(std::vector<int>({p.r, p.g, p.b, p.a}),
                          std::vector<int>(want, want + 4));
                if (!anyNeighbour) {
                    EXPECT_EQ(std::vector<int>({p.r, p.g, p.b, p.a}), (std::vector<int>{0, 0, 0, 100}));
                } else if (now[k] != 0) {
                    // Only beside the spark in its row, one or two rows above it, or
                    // in the last two rows above the seeds.
                    bool nearVisible = false;
                    for (int dr = 0; dr <= 2; dr++)
                        for (int dc = -1; dc <= 1; dc++)
                            if (r + dr < h && c + dc >= 0 && c + dc < w && old[(r + dr) * w + c + dc] != 0)
                                nearVisible = true;
                    EXPECT_TRUE(nearVisible || r >= h - 2) << r << "," << c;
                }
                // The two edge columns are always cold.
                if (c == 0 || c == w - 1) {
                    EXPECT_EQ(now[k], 0);
                }
            }
        }
        // The hidden rows of the written field are not touched by the step.
        for (int k = w * h; k < w * (h + 3); k++) EXPECT_EQ(now[k], 0);
    }
}

TEST(FireTest, HeatRisesAndCoolsOverSteps) {
    const int w = 16, h = 16;
    FireFixture f(w, h);
    std::vector<uint8_t> pixels(w * h * 4);
    // A hot row in the hidden rows, kept hot by hand before every step.
    std::srand(5);
    int lit = 0;
    for (int step = 0; step < 40; step++) {
        std::memset(f.fire.heat + w * h, 250, size_t(w) * 3);
        generateFire(step, w, h, pixels.data(), &f.fire);
    }
    // Near the bottom it is hot; heat falls row by row towards the top.
    auto rowMean = [&](int r) {
        int sum = 0;
        for (int c = 2; c < w - 2; c++) sum += f.fire.heat[r * w + c];
        return sum / (w - 4);
    };
    EXPECT_GT(rowMean(h - 1), rowMean(h / 2));
    EXPECT_GT(rowMean(h / 2), rowMean(0));
    lit = rowMean(h - 1) > 200;
    EXPECT_GT(lit, 0);
}

TEST(FireTest, SameSeedGivesTheSameFrames) {
    const int w = 32, h = 32;
    FireFixture a(w, h), b(w, h);
    std::vector<uint8_t> pa(w * h * 4), pb(w * h * 4);
    std::srand(77);
    for (int i = 0; i < 5; i++) generateFire(0, w, h, pa.data(), &a.fire);
    std::srand(77);
    for (int i = 0; i < 5; i++) generateFire(0, w, h, pb.data(), &b.fire);
    EXPECT_EQ(pa, pb);
}

// These recipes are refused before any texture is made, so no OpenGL
// context is needed; a texture that were made would show up in the lists.
TEST(ProceduralRecipeTest, UnusableRecipesYieldZeroAndCreateNothing) {
    const char* refused[] = {
        "",                           // nothing at all
        "x#",                         // no generator
        "x#Smoke64,64",               // unknown generator
        "x#plasma64,64,1,2,3",        // names are case sensitive
        "x#Plasma",                   // no size
        "x#Fire64",                   // no height
        "x#Fire0,64",                 // width not positive
        "x#Fire64,0",                 // height not positive
        "x#Plasma-4,64,1,2,3",        // the name ends at the first digit: "Plasma-"
        "x#Fire64,1",                 // the spark needs at least two rows
        "x#Plasma64,64,1,2",          // a colour missing
        "x#Plasma99999,99999,1,2,3",  // larger than a texture may be
        "x#Fire64,99999999999",       // out of range
    };
    for (const char* spec : refused) {
        EXPECT_EQ(proceduralAcquire(spec), 0u) << spec;
        EXPECT_TRUE(proceduralTextures().textures.empty()) << spec;
        EXPECT_TRUE(proceduralTextures().recipes.empty()) << spec;
        EXPECT_TRUE(proceduralTextures().references.empty()) << spec;
    }
    // Releasing something never acquired is ignored.
    proceduralRelease("x#Fire64,64");
    EXPECT_TRUE(proceduralTextures().textures.empty());
}
