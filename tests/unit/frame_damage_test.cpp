// The damage between two recorded frames: rectangles stay disjoint, few, and
// cover everything that changed; a mesh that stayed the same costs nothing.
#include <gtest/gtest.h>

#include <random>

#include "engine/frame_plan.h"
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

// A desk of a translucent shadow and an opaque page, the brush last; a screen
// of a translucent backdrop and an opaque panel opening between them.
struct Opening {
    FrameRecord before, now;
    Opening() {
        DrawItem shadow = item(1, {0, 0, 100, 100});
        shadow.translucent = true;
        before.items = {shadow, item(2, {200, 0, 400, 300}), item(3, {250, 100, 260, 110})};
        DrawItem backdrop = item(10, {0, 0, 800, 450});
        backdrop.translucent = true;
        now.items = {before.items[0], before.items[1], backdrop, item(11, {150, 50, 450, 400}), before.items[2]};
    }
};

TEST(FrameDamage, AScreenAddedBetweenTheDeskAndTheBrushIsARunRepairedUnderTheBrushOnly) {
    Opening o;
    const Insertion run = findInsertion(o.before, o.now);
    EXPECT_EQ(run.first, 2u);
    EXPECT_EQ(run.count, 2u);
    const Damage repairs = insertionRepairs(o.before, o.now, run);
    ASSERT_EQ(repairs.rects.size(), 1u);
    EXPECT_EQ(damagedArea(repairs), 100);  // the brush's box, inside the run's
    EXPECT_TRUE(covered(repairs, 255, 105));

    // Added at the end, with nothing over it: nothing to repair.
    o.now.items.erase(o.now.items.begin() + 4);
    o.now.items.insert(o.now.items.begin() + 2, o.before.items[2]);
    const Insertion last = findInsertion(o.before, o.now);
    EXPECT_EQ(last.first, 3u);
    EXPECT_EQ(last.count, 2u);
    EXPECT_TRUE(insertionRepairs(o.before, o.now, last).rects.empty());
}

TEST(FrameDamage, ItemsAroundTheRunThatChangedAreRepairedWhereTheyWereAndAre) {
    Opening o;
    o.now.items[1].modelview[12] = 2;  // the page moved as the screen came
    o.now.items[1].rect = {210, 0, 410, 300};
    o.now.items[4].mesh = nullptr;  // the brush's mesh went during the frame
    o.now.items[4].rect = ScreenRect{};
    const Insertion run = findInsertion(o.before, o.now);
    ASSERT_EQ(run.count, 2u);
    const Damage repairs = insertionRepairs(o.before, o.now, run);
    for (auto [x, y] : {std::pair{200, 0}, {409, 299}, {255, 105}}) EXPECT_TRUE(covered(repairs, x, y)) << x << "," << y;
    EXPECT_FALSE(covered(repairs, 50, 50));  // the shadow stayed
    EXPECT_FALSE(covered(repairs, 420, 350));  // only the screen's panel is there

    FrameRecord animated = o.now;
    animated.items[0].procedural = true;  // an animated picture changes every frame
    EXPECT_TRUE(covered(insertionRepairs(o.before, animated, findInsertion(o.before, animated)), 50, 50));
}

TEST(FrameDamage, OnlyTheSameItemsInTheSameOrderAroundTheRunMakeAnInsertion) {
    Opening o;
    auto noRun = [](const FrameRecord& before, const FrameRecord& now) { return findInsertion(before, now).count == 0; };
    EXPECT_TRUE(noRun(o.now, o.before));     // the screen closing removes items
    EXPECT_TRUE(noRun(o.before, o.before));  // nothing added
    FrameRecord swapped = o.now;
    std::swap(swapped.items[0], swapped.items[1]);
    EXPECT_TRUE(noRun(o.before, swapped));
    FrameRecord resized = o.now;
    resized.viewport[2] = 640;
    EXPECT_TRUE(noRun(o.before, resized));
    FrameRecord twoRuns = o.now;
    twoRuns.items.insert(twoRuns.items.begin() + 1, item(12, {0, 0, 5, 5}));
    twoRuns.items.erase(twoRuns.items.begin() + 4);  // one of the screen's
    EXPECT_TRUE(noRun(o.before, twoRuns));
    FrameRecord replaced = o.now;
    replaced.items[0].serial = 13;  // the shadow's mesh made again
    EXPECT_TRUE(noRun(o.before, replaced));
}

TEST(FrameDamage, AnOpaqueItemAddedUnderAnEarlierBlendIsRepairedUnlessInFrontOfIt) {
    // Drawn whole, opaque meshes go first and the shadow blends over the panel;
    // drawn over the picture, the panel would cover the shadow.
    Opening o;
    o.now.items[3].rect = {50, 50, 450, 400};
    const Insertion run = findInsertion(o.before, o.now);
    ASSERT_EQ(run.count, 2u);
    Damage repairs = insertionRepairs(o.before, o.now, run);
    EXPECT_TRUE(covered(repairs, 50, 50));
    EXPECT_TRUE(covered(repairs, 99, 99));
    EXPECT_FALSE(covered(repairs, 120, 120));
    // In front of the shadow, with the depth test, the shadow is refused there either way...
    o.now.items[0].depthLow = 0.5;
    o.now.items[3].depthHigh = 0.2;
    EXPECT_FALSE(covered(insertionRepairs(o.before, o.now, run), 50, 50));
    // ...unless the shadow is drawn without it.
    o.before.items[0].depthTest = o.now.items[0].depthTest = false;
    EXPECT_TRUE(covered(insertionRepairs(o.before, o.now, run), 50, 50));
    // A translucent one there is blended after the shadow either way.
    o.now.items[3].translucent = true;
    EXPECT_FALSE(covered(insertionRepairs(o.before, o.now, run), 50, 50));
}

// A frame kept from other nodes built alike (new serials) stands in for the
// frame now inside its box, except where an item of either is unmatched.
TEST(FrameDamage, AKeptFrameMatchesByContentAndRepairsOnlyWhatDiffersInItsBox) {
    const ScreenRect box{100, 100, 500, 400};
    static const double arrays[4][9] = {};
    FrameRecord kept, now;
    for (int k = 0; k < 4; ++k) {
        DrawItem i = item(uint64_t(k + 1), {120 + 80 * k, 120, 180 + 80 * k, 200});
        i.vertices = arrays[k];
        kept.items.push_back(i);
        i.serial += 100;
        now.items.push_back(i);
    }
    now.items[0].rect = kept.items[0].rect = {0, 0, 50, 50};  // outside the box: never matters
    now.items[0].modelview[12] = 1;
    EXPECT_TRUE(keptBoxRepairs(kept, now, box).rects.empty());

    std::swap(now.items[1], now.items[2]);  // drawn in the other order
    now.items[3].hasOverride = true;        // painted
    now.items.push_back(item(50, {450, 350, 600, 450}));  // the brush, reaching out of the box
    Damage repairs = keptBoxRepairs(kept, now, box);
    EXPECT_TRUE(covered(repairs, 370, 150));  // the painted item
    EXPECT_TRUE(covered(repairs, 499, 399));  // the brush, inside the box only
    EXPECT_FALSE(covered(repairs, 500, 399));
    EXPECT_TRUE(covered(repairs, 210, 150) || covered(repairs, 290, 150));  // one of the swapped pair
    EXPECT_FALSE(covered(repairs, 150, 110));

    // The parts of a rectangle outside a hole are disjoint and hold the rest.
    const std::vector<ScreenRect> parts = partsOutside({0, 0, 600, 500}, box);
    ASSERT_EQ(parts.size(), 4u);
    int64_t area = 0;
    for (const ScreenRect& r : parts) area += int64_t(r.x1 - r.x0) * (r.y1 - r.y0);
    EXPECT_EQ(area, 600 * 500 - 400 * 300);
    EXPECT_EQ(partsOutside({0, 0, 50, 50}, box).size(), 1u);
    EXPECT_TRUE(partsOutside({150, 150, 200, 200}, box).empty());
}

}  // namespace

// The frame planner: what a pass draws, as a table of records in, plan out.
namespace {

const ScreenRect kView{0, 0, 800, 450};

FrameRecord desk() {
    FrameRecord r;
    r.viewport[2] = kView.x1;
    r.viewport[3] = kView.y1;
    static const double arrays[3][9] = {};
    r.items = {item(1, {0, 0, 800, 450}), item(2, {200, 0, 400, 300}), item(3, {250, 100, 260, 110})};
    for (size_t k = 0; k < r.items.size(); ++k) r.items[k].vertices = arrays[k];
    return r;
}

// The brush (the last item) at x, y.
FrameRecord brushAt(int x, int y) {
    FrameRecord r = desk();
    r.items[2].rect = {x, y, x + 10, y + 10};
    r.items[2].modelview[12] = x;
    r.items[2].modelview[13] = y;
    return r;
}

// The desk with a screen (a backdrop over most of the window and a panel)
// opened between the page and the brush.
FrameRecord withScreen(ScreenRect panel) {
    FrameRecord r = desk();
    r.items.insert(r.items.begin() + 2, {item(10, {0, 0, 800, 450}), item(11, panel)});
    r.items[2].translucent = true;
    return r;
}

// A page turn kept ahead: the turn's frame, drawn inside box under the
// program's drawing state.
struct Ahead {
    FramesAhead frames;
    SceneNode holder;
    Ahead(const FrameRecord& turned, ScreenRect box) {
        frames.frames[0].record = turned;
        frames.frames[0].box = box;
        frames.frames[0].holder = &holder;
    }
};

FrameRecord turned() {
    FrameRecord r = desk();
    r.items[1].serial = 20;  // the page built again
    r.items[1].modelview[0] = 2;
    return r;
}

// The desk itself changed (a new size of the cover, say).
FrameRecord changedDesk(FrameRecord r) {
    r.items[0].modelview[0] = 3;
    return r;
}

using Pixels = std::vector<std::pair<int, int>>;

struct Case {
    const char* name;
    FrameRecord before, now;
    KeptPictures kept;
    FrameWork work;
    Pixels drawn, notDrawn;  // pixels the damage covers, and does not
    ScreenRect flat = ScreenRect{};  // at rest: drawn back unseen
    Insertion run = Insertion{};
    Pixels repaired = {};  // inserted: drawn again over the run
};

KeptPictures holding(ScreenRect flat = ScreenRect{}, const FramesAhead* ahead = nullptr) {
    KeptPictures k;
    k.kept = k.holdsFrame = true;
    k.flat = flat;
    k.ahead = ahead;
    return k;
}

}  // namespace

TEST(FramePlan, EachPassDrawsWhatItsRecordsAndTheKeptPicturesCallFor) {
    Ahead ahead(turned(), {200, 0, 400, 300});
    Ahead aheadElsewhere(turned(), {200, 0, 400, 300});
    aheadElsewhere.frames.frames[0].state.cullFace = true;  // drawn under another state
    KeptPictures notKept;
    KeptPictures intoWindow = holding();
    intoWindow.kept = false;  // held by the window alone: nothing to copy a turn into
    const ScreenRect flatBox{500, 300, 600, 400};
    Case cases[] = {
        {"the first frame", desk(), desk(), notKept, FrameWork::Whole, {{0, 0}, {799, 449}}, {}},
        {"nothing changed", desk(), desk(), holding(), FrameWork::Rest, {}, {{255, 105}}},
        {"nothing changed, a box left flat", desk(), desk(), holding(flatBox), FrameWork::Rest, {}, {{550, 350}},
         flatBox},
        {"the brush moved", brushAt(250, 100), brushAt(300, 120), holding(), FrameWork::Boxes,
         {{255, 105}, {305, 125}}, {{100, 400}, {700, 50}}},
        {"the brush moved over a flat box", brushAt(250, 100), brushAt(300, 120), holding(flatBox),
         FrameWork::Boxes, {{255, 105}, {550, 350}}, {{100, 400}}},
        {"most of the window changed", desk(), changedDesk(desk()), holding(), FrameWork::Whole,
         {{0, 0}, {799, 449}}, {}},
        {"a screen opened under the brush", desk(), withScreen({300, 50, 500, 400}), holding(), FrameWork::Inserted,
         {{0, 0}, {255, 105}}, {}, {}, {2, 2}, {{255, 105}}},
        {"a screen opened over a flat box", desk(), withScreen({300, 50, 500, 400}), holding(flatBox),
         FrameWork::Inserted, {{550, 350}}, {}, {}, {2, 2}, {{255, 105}, {550, 350}}},
        {"a screen opened as the desk changed", desk(), changedDesk(withScreen({300, 50, 500, 400})), holding(),
         FrameWork::Whole, {{0, 0}, {799, 449}}, {}},
        {"a turn drawn ahead", desk(), turned(), holding(ScreenRect{}, &ahead.frames), FrameWork::FromAhead,
         {{300, 150}}, {{100, 400}}},
        {"a turn drawn ahead under another state", desk(), turned(), holding(ScreenRect{}, &aheadElsewhere.frames),
         FrameWork::Boxes, {{300, 150}}, {{100, 400}}},
        {"a turn drawn ahead, frames drawn into the window", desk(), turned(), intoWindow, FrameWork::Boxes,
         {{300, 150}}, {{100, 400}}},
    };
    for (const Case& c : cases) {
        const FramePlan plan = planFrame(c.before, c.now, c.kept);
        EXPECT_EQ(int(plan.work), int(c.work)) << c.name;
        for (auto [x, y] : c.drawn) EXPECT_TRUE(covered(plan.damage, x, y)) << c.name << ": " << x << "," << y;
        for (auto [x, y] : c.notDrawn) EXPECT_FALSE(covered(plan.damage, x, y)) << c.name << ": " << x << "," << y;
        EXPECT_EQ(plan.flat.x0, c.flat.x0) << c.name;
        EXPECT_EQ(plan.flat.x1, c.flat.x1) << c.name;
        EXPECT_EQ(plan.run.first, c.run.first) << c.name;
        EXPECT_EQ(plan.run.count, c.run.count) << c.name;
        for (auto [x, y] : c.repaired) EXPECT_TRUE(covered(plan.repairs, x, y)) << c.name << ": " << x << "," << y;
        if (plan.work == FrameWork::Inserted) {
            EXPECT_FALSE(covered(plan.repairs, 100, 400)) << c.name;
        }
        if (plan.work == FrameWork::Rest) {
            EXPECT_TRUE(plan.damage.rects.empty()) << c.name;
        }
        if (plan.work == FrameWork::FromAhead) {
            EXPECT_EQ(plan.ahead.which, 0) << c.name;
            EXPECT_TRUE(plan.ahead.repairs.rects.empty()) << c.name;  // the turn draws the same in its box
        }
    }
}
