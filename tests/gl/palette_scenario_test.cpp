// The palette, the glass and the star bursts through the real main loop: every
// step is a click on the node where it shows.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/shell.h"
#include "book/book_state.h"
#include "book/palette.h"
#include "book/star_burst.h"
#include "support/desk_driver.h"
#include "support/gl_fixture.h"
#include "support/scene_probe.h"

namespace {

SceneNode* well(int i) { return wellNode(i); }
// The well's drops still showing (a clicked drop shrinks away for 300 ms).
std::vector<SceneNode*> drops(int i, int32_t kind, bool vanishingToo = false) {
    return wellDrops(i, DropKind(kind), vanishingToo);
}
SceneNode* drop(int i, int32_t kind) {
    std::vector<SceneNode*> found = drops(i, kind);
    return found.size() == 1 ? found[0] : nullptr;
}
bool amounts(const PaintColor& c, double red, double yellow, double blue) {
    return std::abs(c.red - red) < 1e-12 && std::abs(c.yellow - yellow) < 1e-12 && std::abs(c.blue - blue) < 1e-12;
}

struct Palette : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(startUpForTest(""));
        passes(2);
    }
    void TearDown() override { shutDownForTest(); }
};

TEST_F(Palette, FillMixRestoreAndClearAWell) {
    ASSERT_TRUE(showsModel(well(0), "kaplia1"));
    ASSERT_TRUE(clickOn(jarBody(3)));  // yellow
    ASSERT_TRUE(clickOn(well(0)));
    passes(1);  // the well is rebuilt full, with its clear drop
    EXPECT_TRUE(showsModel(well(0), "kaplia1_white"));
    EXPECT_TRUE(amounts(book().wells[0].color, 0, 1, 0));
    EXPECT_FALSE(book().wells[0].empty);
    EXPECT_TRUE(amounts(book().brushColor, 0, 1, 0));
    ASSERT_NE(drop(0, 0), nullptr);
    EXPECT_EQ(drop(0, 1), nullptr);

    ASSERT_TRUE(clickOn(jarBody(1)));  // red into the yellow well
    ASSERT_TRUE(clickOn(well(0)));
    EXPECT_TRUE(amounts(book().wells[0].color, 0.3, 0.7, 0));
    EXPECT_TRUE(amounts(book().brushColor, 0.3, 0.7, 0));
    pushClick();  // brush and well hold the same paint now
    passes(1);
    EXPECT_TRUE(amounts(book().wells[0].color, 0.3, 0.7, 0));

    ASSERT_TRUE(clickOn(jarBody(4)));  // blue: a second mix
    ASSERT_TRUE(clickOn(well(0)));
    EXPECT_TRUE(amounts(book().wells[0].color, 0.21, 0.49, 0.3));
    ASSERT_TRUE(clickOn(drop(0, 1)));  // back to the colour before the second mix only
    EXPECT_TRUE(amounts(book().wells[0].color, 0.3, 0.7, 0));

    // Mixed again and cleared at once, while the clicked drop may still be
    // shrinking away: the new previous-colour drop goes with the clear drop.
    ASSERT_TRUE(clickOn(well(0)));
    ASSERT_NE(drop(0, 1), nullptr);
    ASSERT_TRUE(clickOn(drop(0, 0)));
    uint32_t clicked = sceneState().frameTime;
    passes(1);
    EXPECT_TRUE(book().wells[0].empty);
    EXPECT_TRUE(showsModel(well(0), "kaplia1"));
    EXPECT_FALSE(book().mixDropShown[0]);
    passesUntil(clicked, 300);
    // The previous-colour drop may see the clearing one pass later; a removed
    // drop is deleted in the pass after its removal.
    passes(2);
    EXPECT_TRUE(drops(0, 0, true).empty() && drops(0, 1, true).empty());
}

TEST_F(Palette, JarBurstsAndTheWashThrowStarsThatAllExpire) {
    SceneNode* jar = jarBody(6);  // purple
    SceneNode* tip = shellState().rootNode->children.back()->children[0]->children[0];
    int nodesBefore = countNodes(shellState().rootNode);
    ASSERT_TRUE(clickOn(jar));
    for (int i = 0; i < 2; ++i) {
        pushClick();
        passes(1);
    }
    uint32_t lastJarClick = sceneState().frameTime;
    EXPECT_EQ(jar->children.size(), 1u + 60u);  // the lid and three bursts' carriers

    silenceChannels();
    ASSERT_TRUE(clickOn(shellState().rootNode->children[4]->children[1]));  // the glass
    uint32_t washed = sceneState().frameTime;
    EXPECT_EQ(channelsPlaying("stakan.wav"), 1);
    EXPECT_TRUE(book().brushClean);
    ASSERT_EQ(tip->children.size(), 20u);
    for (SceneNode* carrier : tip->children)
        EXPECT_TRUE(sameRyb(carrier->children.at(0)->color, makePaint(1, 0, 1)));

    silenceChannels();
    pushClick();  // the clean brush again: nothing
    passes(1);
    EXPECT_EQ(channelsPlaying("stakan.wav"), 0);
    EXPECT_EQ(tip->children.size(), 20u);

    // Alive up to their lifetime after the last click, gone (two passes to
    // dismantle star and carrier) right after it.
    while (sceneState().frameTime - washed <= 420) {
        EXPECT_EQ(tip->children.size(), 20u);
        runOnePass();
    }
    passes(2);
    EXPECT_TRUE(tip->children.empty());
    while (sceneState().frameTime - lastJarClick <= 700) {
        EXPECT_GE(jar->children.size(), 21u);
        runOnePass();
    }
    passes(2);
    EXPECT_EQ(jar->children.size(), 1u);
    EXPECT_EQ(countNodes(shellState().rootNode), nodesBefore);
}

}  // namespace
