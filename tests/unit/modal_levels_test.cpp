// The screens' modal levels: opened and closed only together with a holder.
#include <gtest/gtest.h>

#include "engine/modal.h"
#include "scene/scene_node.h"

namespace {

void builder(void*) {}

TEST(ModalLevels, OpeningAndClosingAHolderOpenAndCloseItsLevelInTheSameCall) {
    resetModalLevels();
    SceneNode* layer = createNode();
    EXPECT_EQ(topmostOpenLevel(), ModalLevel::desk);
    EXPECT_EQ(openModalScreen(nullptr, ModalLevel::screen, builder), nullptr);
    EXPECT_EQ(openModalScreen(layer, ModalLevel::desk, builder), nullptr);

    // Open before any traversal has built the screen.
    SceneNode* screen = openModalScreen(layer, ModalLevel::screen, builder);
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(modalLevelOpen(ModalLevel::screen));
    EXPECT_EQ(topmostOpenLevel(), ModalLevel::screen);
    ASSERT_EQ(layer->children.size(), 1u);
    EXPECT_EQ(layer->children[0], screen);
    // One screen per level: a second one is refused and nothing is hung.
    EXPECT_EQ(openModalScreen(layer, ModalLevel::screen, builder), nullptr);
    EXPECT_EQ(layer->children.size(), 1u);

    SceneNode* sub = openModalScreen(layer, ModalLevel::subScreen, builder);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(topmostOpenLevel(), ModalLevel::subScreen);
    EXPECT_EQ(modalHolder(ModalLevel::subScreen), sub);

    closeModalScreen(sub);
    EXPECT_TRUE(sub->removing);
    EXPECT_FALSE(screen->removing);
    EXPECT_EQ(topmostOpenLevel(), ModalLevel::screen);
    // A holder closed twice, or one never opened, changes nothing.
    SceneNode* stranger = createNode();
    closeModalScreen(sub);
    closeModalScreen(stranger);
    EXPECT_FALSE(stranger->removing);
    EXPECT_TRUE(modalLevelOpen(ModalLevel::screen));

    closeModalScreen(screen);
    EXPECT_TRUE(screen->removing);
    EXPECT_EQ(topmostOpenLevel(), ModalLevel::desk);
    EXPECT_EQ(modalHolder(ModalLevel::screen), nullptr);
    // The level opens again once closed.
    SceneNode* again = openModalScreen(layer, ModalLevel::screen, nullptr);
    EXPECT_NE(again, nullptr);
    resetModalLevels();
    EXPECT_EQ(topmostOpenLevel(), ModalLevel::desk);

    for (SceneNode* child : layer->children) destroyNode(child);
    layer->children.clear();
    destroyNode(layer);
    destroyNode(stranger);
}

}  // namespace
