// The damage between two recorded frames: rectangles stay disjoint, few, and
// cover everything that changed; a mesh that stayed the same costs nothing.
#include <gtest/gtest.h>

#include <random>

#include "scene/frame_damage.h"

namespace {

bool covered(const Damage& d, int x, int y) {
    for (const ScreenRect& r : d.rects)
        if (r.x0 <= x && x < r.x1 && r.y0 <= y && y < r.y1) return true;
    return false;
}

DrawItem item(uint64_t serial, ScreenRect rect) {
    static Mesh mesh;
    DrawItem i;
    i.mesh = &mesh;
    i.serial = serial;
    i.rect = rect;
    return i;
}

TEST(FrameDamage, RectanglesStayDisjointFewAndCoverWhatWasAdded) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        Damage d;
        std::vector<ScreenRect> added;
        for (int n = 0; n < 1 + round % 30; ++n) {
            int x = int(random() % 1200), y = int(random() % 700);
            ScreenRect r{x, y, x + 1 + int(random() % 120), y + 1 + int(random() % 90)};
            added.push_back(r);
            addDamage(d, r, 8);
        }
        ASSERT_LE(d.rects.size(), 8u);
        for (size_t a = 0; a < d.rects.size(); ++a)
            for (size_t b = a + 1; b < d.rects.size(); ++b) ASSERT_FALSE(overlaps(d.rects[a], d.rects[b]));
        for (const ScreenRect& r : added)
            for (int x : {r.x0, r.x1 - 1, (r.x0 + r.x1) / 2})
                for (int y : {r.y0, r.y1 - 1, (r.y0 + r.y1) / 2}) ASSERT_TRUE(covered(d, x, y));
    }
}

TEST(FrameDamage, ChangedMovedAddedRemovedAndReorderedMeshesDamageWhereTheyWereAndAre) {
    FrameRecord before, now;
    before.items = {item(2, {10, 10, 20, 20}), item(3, {100, 100, 110, 110}), item(4, {300, 300, 310, 310}),
                    item(5, {500, 500, 510, 510}), item(9, {600, 600, 610, 610}), item(10, {900, 0, 910, 10})};
    now.items = before.items;
    EXPECT_TRUE(frameDamage(before, now).rects.empty());

    now.items[0].color[0] = 0.5;  // paint on a mesh drawn without paint shows nothing new...
    EXPECT_TRUE(frameDamage(before, now).rects.empty());
    now.items[0].hasOverride = true;  // ...with it, it does
    now.items[1].rect = {120, 100, 130, 110};
    now.items[1].modelview[12] = 1;          // moved
    std::swap(now.items[2], now.items[3]);   // drawn in the other order
    now.items.erase(now.items.begin() + 4);  // gone
    now.items.push_back(item(6, {700, 50, 720, 60}));  // new
    Damage d = frameDamage(before, now);
    for (auto [x, y] : {std::pair{15, 15}, {105, 105}, {125, 105}, {305, 305}, {605, 605}, {710, 55}})
        EXPECT_TRUE(covered(d, x, y)) << x << "," << y;
    EXPECT_FALSE(covered(d, 905, 5));  // unchanged

    // A mesh deleted and another made at its address is new, not the same.
    before.items = {item(7, {0, 0, 10, 10})};
    now.items = {item(8, {0, 0, 10, 10})};
    EXPECT_TRUE(covered(frameDamage(before, now), 5, 5));
}

}  // namespace
