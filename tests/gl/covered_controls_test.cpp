// Controls covered by a second-level screen: the about card takes no clicks of
// its own, so a click on its words reaches whatever lies under them; the setup
// screen's check boxes there must not switch the sounds or the music, as its
// buttons must not fire. Once the card is gone they answer again.
#include <gtest/gtest.h>

#include "app/hud_actions.h"
#include "app/shell.h"
#include "engine/modal.h"
#include "engine/switches.h"
#include "screens/controls.h"
#include "screens/screen_state.h"
#include "screens/screens.h"
#include "support/desk_driver.h"
#include "support/gl_fixture.h"
#include "support/scene_probe.h"

namespace {

struct CoveredControls : ::testing::Test {
    void TearDown() override { shutDownForTest(); }
};

}  // namespace

TEST_F(CoveredControls, TheAboutCardShieldsTheCheckBoxesUnderIt) {
    ASSERT_TRUE(startUpForTest(""));
    passes(2);
    ASSERT_TRUE(clickOn(findTrack(shellState().rootNode, openSetupAction)));
    passes(2);
    ASSERT_TRUE(modalLevelOpen(ModalLevel::screen));
    SceneNode* setup = modalHolder(ModalLevel::screen);
    ASSERT_TRUE(clickOn(findTrack(setup, openAboutAction)));
    passes(2);
    ASSERT_TRUE(modalLevelOpen(ModalLevel::subScreen));

    // Each box still shows through the pick under the card's words; a click there changes nothing.
    const bool sound = switches().soundOn, music = switches().musicOn;
    for (bool* flag : {&switches().soundOn, &switches().musicOn}) {
        SceneNode* box = findTrack(setup, checkBoxToggle, flag);
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(clickOn(box)) << "the box is not under the pointer: the test would prove nothing";
        passes(2);
    }
    EXPECT_EQ(switches().soundOn, sound);
    EXPECT_EQ(switches().musicOn, music);
    EXPECT_TRUE(modalLevelOpen(ModalLevel::subScreen));
    EXPECT_FALSE(setup->removing);

    // The card gone, the same click switches the sounds.
    pushKey(SDLK_ESCAPE);
    passes(3);
    ASSERT_FALSE(modalLevelOpen(ModalLevel::subScreen));
    ASSERT_TRUE(clickOn(findTrack(setup, checkBoxToggle, &switches().soundOn)));
    EXPECT_EQ(switches().soundOn, !sound);
    EXPECT_EQ(switches().musicOn, music);
}
