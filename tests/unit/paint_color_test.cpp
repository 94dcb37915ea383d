#include <gtest/gtest.h>

#include <cmath>

#include "scene/paint_color.h"

namespace {

void expectRgb(const PaintColor& c, double r, double g, double b) {
    EXPECT_NEAR(c.r, r, 1e-12);
    EXPECT_NEAR(c.g, g, 1e-12);
    EXPECT_NEAR(c.b, b, 1e-12);
}

TEST(PaintColor, WhiteAndClearedColoursHaveNoPaint) {
    EXPECT_EQ(white.red, 0.0);
    EXPECT_EQ(white.yellow, 0.0);
    EXPECT_EQ(white.blue, 0.0);
    EXPECT_EQ(white.r, 1.0);
    EXPECT_EQ(white.g, 1.0);
    EXPECT_EQ(white.b, 1.0);

    PaintColor c = makePaint(0.3, 0.7, 0.1);
    clearPaint(c);
    EXPECT_TRUE(sameRyb(c, white));
    EXPECT_EQ(c.r, 1.0);
    EXPECT_EQ(c.g, 1.0);
    EXPECT_EQ(c.b, 1.0);

    PaintColor fresh;
    EXPECT_TRUE(sameRyb(fresh, white));
    EXPECT_EQ(fresh.r, 1.0);
}

TEST(PaintColor, EveryCornerOfTheCubeGivesItsColour) {
    struct Corner {
        double red, yellow, blue, r, g, b;
    };
    const Corner corners[] = {
        {0, 0, 0, 1, 1, 1},         {0, 0, 1, 0.163, 0.373, 0.6}, {0, 1, 0, 1, 1, 0},
        {0, 1, 1, 0, 0.66, 0.2},    {1, 0, 0, 1, 0, 0},           {1, 0, 1, 0.5, 0, 0.5},
        {1, 1, 0, 1, 0.5, 0},       {1, 1, 1, 0.2, 0.094, 0},
    };
    for (const Corner& k : corners) {
        SCOPED_TRACE(testing::Message() << k.red << "," << k.yellow << "," << k.blue);
        PaintColor c;
        setPaint(c, k.red, k.yellow, k.blue);
        EXPECT_EQ(c.red, k.red);
        EXPECT_EQ(c.yellow, k.yellow);
        EXPECT_EQ(c.blue, k.blue);
        expectRgb(c, k.r, k.g, k.b);
    }
}

TEST(PaintColor, PureRedIsExact) {
    const PaintColor red = makePaint(1, 0, 0);
    EXPECT_EQ(red.r, 1.0);
    EXPECT_EQ(red.g, 0.0);
    EXPECT_EQ(red.b, 0.0);
}

TEST(PaintColor, MidpointIsTheMeanOfTheCorners) {
    expectRgb(makePaint(0.5, 0.5, 0.5), 0.607875, 0.453375, 0.2875);
}

TEST(PaintColor, BlendIsCubicSmoothstepNotLinear) {
    // Along blue only, white to blue: weight at t = 0.25 is 0.25^2 * (3 - 0.5) = 0.15625.
    const double w = 0.15625;
    expectRgb(makePaint(0, 0, 0.25), 1 + (0.163 - 1) * w, 1 + (0.373 - 1) * w, 1 + (0.6 - 1) * w);
    // Out of range amounts extrapolate along the cubic instead of clamping:
    // t = 2 gives weight 4 * (3 - 4) = -4.
    expectRgb(makePaint(0, 0, 2), 1 + (0.163 - 1) * -4, 1 + (0.373 - 1) * -4, 1 + (0.6 - 1) * -4);
}

TEST(PaintColor, RybToRgbMatchesSetPaint) {
    double rgb[3];
    rybToRgb(0.2, 0.9, 0.4, rgb);
    const PaintColor c = makePaint(0.2, 0.9, 0.4);
    EXPECT_EQ(rgb[0], c.r);
    EXPECT_EQ(rgb[1], c.g);
    EXPECT_EQ(rgb[2], c.b);
}

TEST(PaintColor, MixingWhiteWithYellowHalvesTheYellow) {
    PaintColor c = white;
    mixPaint(c, makePaint(0, 1, 0), 1.0);
    EXPECT_EQ(c.red, 0.0);
    EXPECT_EQ(c.yellow, 0.5);
    EXPECT_EQ(c.blue, 0.0);
    expectRgb(c, 1, 1, 0.5);
}

TEST(PaintColor, MixWeights) {
    const PaintColor blue = makePaint(0, 0, 1);
    const PaintColor yellow = makePaint(0, 1, 0);

    PaintColor keep = blue;
    mixPaint(keep, yellow, 0.0);
    EXPECT_TRUE(sameRyb(keep, blue));

    PaintColor take = blue;
    mixPaint(take, yellow, 2.0);
    EXPECT_TRUE(sameRyb(take, yellow));
    expectRgb(take, 1, 1, 0);

    // Yellow into blue gives green, not grey.
    PaintColor green = blue;
    mixPaint(green, yellow, 1.0);
    EXPECT_EQ(green.yellow, 0.5);
    EXPECT_EQ(green.blue, 0.5);
    EXPECT_GT(green.g, green.r);
    EXPECT_GT(green.g, green.b);

    PaintColor weighted = makePaint(0.4, 0, 0);
    mixPaint(weighted, makePaint(0.8, 0, 0), 0.5);
    EXPECT_DOUBLE_EQ(weighted.red, (0.8 * 0.5 + 1.5 * 0.4) / 2);
}

TEST(PaintColor, SameRybComparesAmountsExactly) {
    const PaintColor a = makePaint(0.25, 0.5, 0.75);
    PaintColor b = makePaint(0.25, 0.5, 0.75);
    EXPECT_TRUE(sameRyb(a, b));

    // The smallest possible difference in one amount counts.
    b = makePaint(0.25, std::nextafter(0.5, 1.0), 0.75);
    EXPECT_FALSE(sameRyb(a, b));
    b = makePaint(std::nextafter(0.25, 0.0), 0.5, 0.75);
    EXPECT_FALSE(sameRyb(a, b));
    b = makePaint(0.25, 0.5, 0.75 + 1e-12);
    EXPECT_FALSE(sameRyb(a, b));

    // Equal RGB is not enough: only the amounts are compared.
    PaintColor sameLook = a;
    sameLook.red = 0.3;
    EXPECT_FALSE(sameRyb(a, sameLook));
    // And different RGB with equal amounts still compares equal.
    PaintColor stale = a;
    stale.r = 0.0;
    EXPECT_TRUE(sameRyb(a, stale));
}

}  // namespace
