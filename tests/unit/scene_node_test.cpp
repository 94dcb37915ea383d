#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "resources/pak.h"
#include "scene/mesh.h"
#include "scene/scene_node.h"
#include "support/test_support.h"

namespace {

TEST(SceneNode, CreateStartsEmptyWhiteAndOnTheCurrentClock) {
    sceneState().frameTime = 7777;
    SceneNode* node = createNode();
    EXPECT_FALSE(node->transform.scaled);
    EXPECT_EQ(node->transform.position.x, 0.0);
    EXPECT_EQ(node->transform.rotation.z, 0.0);
    EXPECT_EQ(node->transform.scale.y, 1.0);
    EXPECT_EQ(node->animator.now, 7777u);
    EXPECT_EQ(node->animator.previous, 7777u);
    EXPECT_EQ(node->animator.timeScale, 1.0);
    EXPECT_TRUE(node->animator.tracks.empty());
    EXPECT_EQ(node->actions.animator, &node->animator);
    EXPECT_TRUE(node->actions.actions.empty());
    EXPECT_TRUE(sameRyb(node->color, white));
    EXPECT_EQ(node->color.r, 1.0);
    EXPECT_FALSE(node->removing);
    EXPECT_FALSE(node->dead);
    EXPECT_FALSE(node->hasModel);
    EXPECT_EQ(node->meshCount, 0);
    EXPECT_TRUE(node->children.empty());
    EXPECT_TRUE(node->callbacks.empty());
    destroyNode(node);
}

TEST(SceneNode, TransformOperations) {
    SceneNode* node = createNode();
    setPosition(node, 1, 2, 3);
    move(node, 0.5, -1, 2);
    EXPECT_EQ(node->transform.position.x, 1.5);
    EXPECT_EQ(node->transform.position.y, 1.0);
    EXPECT_EQ(node->transform.position.z, 5.0);

    setRotation(node, 10, 20, 30);
    rotate(node, 5, -20, 1);
    EXPECT_EQ(node->transform.rotation.x, 15.0);
    EXPECT_EQ(node->transform.rotation.y, 0.0);
    EXPECT_EQ(node->transform.rotation.z, 31.0);

    // scaleBy adds to the scale rather than multiplying it.
    EXPECT_FALSE(node->transform.scaled);
    scaleBy(node, 0.5, 0.5, 0.5);
    EXPECT_TRUE(node->transform.scaled);
    EXPECT_EQ(node->transform.scale.x, 1.5);
    EXPECT_EQ(node->transform.scale.y, 1.5);
    EXPECT_EQ(node->transform.scale.z, 1.5);

    resetTransform(node->transform);
    EXPECT_TRUE(node->transform.scaled);  // reset leaves the flag alone
    EXPECT_EQ(node->transform.position.z, 0.0);
    EXPECT_EQ(node->transform.rotation.x, 0.0);
    EXPECT_EQ(node->transform.scale.x, 1.0);

    Transform t;
    setScale(t, 2, 3, 4);
    EXPECT_TRUE(t.scaled);
    EXPECT_EQ(t.scale.y, 3.0);
    destroyNode(node);
}

void noop(CallbackPhase, void*) {}
void other(CallbackPhase, void*) {}

TEST(SceneNode, ListsKeepTheirOrderAndRemoveOnlyMarks) {
    SceneNode* parent = createNode();
    SceneNode* a = createNode();
    SceneNode* b = createNode();
    addChild(parent, a);
    addChild(parent, b);
    addChild(a, createNode());
    ASSERT_EQ(parent->children.size(), 2u);
    EXPECT_EQ(parent->children[0], a);
    EXPECT_EQ(parent->children[1], b);

    int x = 0;
    addCallback(parent, noop, nullptr);
    addCallback(parent, other, &x);
    addCallback(parent, noop, &x);
    ASSERT_EQ(parent->callbacks.size(), 3u);
    EXPECT_EQ(parent->callbacks[0].fn, &noop);
    EXPECT_EQ(parent->callbacks[1].fn, &other);
    EXPECT_EQ(parent->callbacks[1].arg, &x);
    EXPECT_EQ(parent->callbacks[2].arg, &x);

    remove(a);
    EXPECT_TRUE(a->removing);
    EXPECT_FALSE(a->dead);
    EXPECT_FALSE(a->children[0]->removing);  // the mark spreads only through the traversal
    EXPECT_EQ(parent->children.size(), 2u);

    destroyNode(a->children[0]);
    destroyNode(a);
    destroyNode(b);
    destroyNode(parent);
}

// A mesh with no geometry and no texture: enough to be coloured and destroyed.
Mesh* bareMesh() { return new Mesh(); }

TEST(SceneNode, PaintColourIsIgnoredWithoutMeshes) {
    SceneNode* node = createNode();
    setPaintColor(node, makePaint(0, 1, 1));
    EXPECT_TRUE(sameRyb(node->color, white));
    EXPECT_EQ(node->color.g, 1.0);

    // Meshes loaded later do not pick up the colour that was refused.
    node->meshes.push_back(bareMesh());
    node->meshCount = 1;
    node->hasModel = true;
    EXPECT_FALSE(node->meshes[0]->hasOverride);
    EXPECT_TRUE(sameRyb(node->color, white));
    destroyNode(node);
}

TEST(SceneNode, PaintColourReachesEveryMeshAndKeepsTheAmounts) {
    SceneNode* node = createNode();
    node->meshes = {bareMesh(), bareMesh(), bareMesh()};
    node->meshCount = 3;
    const PaintColor green = makePaint(0, 1, 1);
    setPaintColor(node, green);
    for (const Mesh* mesh : node->meshes) {
        EXPECT_TRUE(mesh->hasOverride);
        EXPECT_EQ(mesh->overrideColor[0], green.r);
        EXPECT_EQ(mesh->overrideColor[1], green.g);
        EXPECT_EQ(mesh->overrideColor[2], green.b);
    }
    EXPECT_TRUE(sameRyb(node->color, green));
    EXPECT_EQ(node->color.b, green.b);

    // The value is copied whole, even an RGB part that does not match its amounts.
    PaintColor odd = makePaint(1, 0, 0);
    odd.g = 0.25;
    setPaintColor(node, odd);
    EXPECT_EQ(node->meshes[1]->overrideColor[1], 0.25);
    EXPECT_EQ(node->color.g, 0.25);
    EXPECT_EQ(node->color.red, 1.0);
    destroyNode(node);
}


TEST(SceneNode, DestroyReleasesOneArchiveReferencePerModelLoad) {
    PakArchive archive;
    const char bytes[] = "not a model";
    pakAddBuffer(archive, "thing", bytes, sizeof bytes);
    const std::string path = makeTempDir() + "/things.pak";
    ASSERT_TRUE(pakSave(archive, path.c_str()));
    pakClose(archive);

    ASSERT_NE(pakTryAcquire(path.c_str()), nullptr);  // the test's own reference
    SceneNode* node = createNode();
    for (int load = 0; load < 3; ++load) {
        ASSERT_NE(pakTryAcquire(path.c_str()), nullptr);
        node->pakNames.push_back(path);
        node->meshes.push_back(bareMesh());
    }
    node->meshCount = 3;
    ASSERT_EQ(cacheReferences(path), 4);

    destroyNode(node);
    EXPECT_EQ(cacheReferences(path), 1);
    pakRelease(path.c_str());
    EXPECT_EQ(cacheReferences(path), 0);
}


}  // namespace
