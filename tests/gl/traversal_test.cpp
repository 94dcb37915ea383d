#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "resources/pak.h"
#include "base/gl.h"
#include "scene/frame_record.h"
#include "scene/mesh.h"
#include "scene/render.h"
#include "scene/walk_matrix.h"
#include "scene/scene_node.h"
#include "support/gl_fixture.h"
#include "support/test_support.h"

namespace {

// ---- What the traversal did, in order ---------------------------------------

std::vector<std::string> events;
SceneNode* rootOfTest = nullptr;

// A callback whose argument is its name: logs "name" followed by the phase.
void logPhase(CallbackPhase phase, void* arg) {
    events.push_back(std::string(static_cast<const char*>(arg)) + std::to_string(phase));
}

// A track whose argument is its name: logs "name:update" every time it runs.
void logUpdate(void* arg) { events.push_back(std::string(static_cast<const char*>(arg)) + ":update"); }

struct Matrix {
    double m[16];
};

// A callback that keeps the modelview matrix of every phase it sees.
struct Capture {
    Matrix phase[5];
    bool seen[5] = {};
};
void captureMatrix(CallbackPhase phase, void* arg) {
    Capture* capture = static_cast<Capture*>(arg);
    walkMatrix(capture->phase[phase].m);
    capture->seen[phase] = true;
}

// Material blocks as a model file holds them: all zero is opaque; byte 1 set
// makes a mesh translucent.
uint8_t opaqueMaterial[60] = {};
uint8_t translucentMaterial[60] = {0, 1};

// A mesh with no triangles: drawing it still records the matrix it was reached
// under, which is all these tests need.
Mesh* emptyMesh(const uint8_t* material = opaqueMaterial) {
    Mesh* mesh = new Mesh();
    mesh->material = material;
    return mesh;
}

SceneNode* groupNode(SceneNode* parent) {
    SceneNode* node = createNode();
    if (parent) addChild(parent, node);
    return node;
}

// What loading a model with no meshes does to a node.
SceneNode* modelNode(SceneNode* parent) {
    SceneNode* node = groupNode(parent);
    node->hasModel = true;
    return node;
}

class Traversal : public testing::Test {
protected:
    void SetUp() override {
        ensureGlWindow();
        loadWalkIdentity();
        events.clear();
        sceneState().frameTime = 500000;
        root = createNode();
    }
    void TearDown() override {
        // The tests' callbacks point at their own locals, gone by now: the
        // dismantling frames below must not call them.
        dropCallbacks(root);
        // Dismantle whatever is left the way the program does.
        remove(root);
        for (int i = 0; i < 64 && !root->dead; ++i) frame();
        EXPECT_TRUE(root->dead);
        destroyNode(root);
        sceneState().currentNode = nullptr;
        sceneState().currentTrack = nullptr;
    }
    static void dropCallbacks(SceneNode* node) {
        node->callbacks.clear();
        for (SceneNode* child : node->children) dropCallbacks(child);
    }
    void frame(uint32_t ms = 16) {
        sceneState().frameTime += ms;
        loadWalkIdentity();
        double before[16], after[16];
        walkMatrix(before);
        walk();
        walkMatrix(after);
        EXPECT_EQ(std::memcmp(before, after, sizeof before), 0) << "render left the matrix stack unbalanced";
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }

    // The walk as the program makes it under the current matrix, recording.
    void walk() {
        beginRecording(record, false);
        render(root);
        endRecording();
    }

    SceneNode* root = nullptr;
    FrameRecord record;
};

using Events = std::vector<std::string>;

// ---- Phase order --------------------------------------------------------------

TEST_F(Traversal, NodeWithModelGetsAllFourPhasesAroundItsChildren) {
    SceneNode* node = modelNode(root);
    addCallback(node, logPhase, (void*)"A");
    playOneTrack(node, logUpdate, 0.0, 0, 0, 0, 0, 0, 0, (void*)"node");
    playOneTrack(modelNode(node), logUpdate, 0.0, 0, 0, 0, 0, 0, 0, (void*)"first");
    playOneTrack(groupNode(node), logUpdate, 0.0, 0, 0, 0, 0, 0, 0, (void*)"second");
    frame();
    EXPECT_EQ(events, (Events{"node:update", "A1", "A2", "A3", "first:update", "A4", "A3", "second:update", "A4"}));
}

TEST_F(Traversal, GroupNodeGetsOnlyChildPhasesButStillAnimates) {
    SceneNode* node = groupNode(root);
    addCallback(node, logPhase, (void*)"A");
    playOneTrack(node, logUpdate, 0.0, 0, 0, 0, 0, 0, 0, (void*)"node");
    playOneTrack(groupNode(node), logUpdate, 0.0, 0, 0, 0, 0, 0, 0, (void*)"first");
    playOneTrack(modelNode(node), logUpdate, 0.0, 0, 0, 0, 0, 0, 0, (void*)"second");
    frame();
    EXPECT_EQ(events, (Events{"node:update", "A3", "first:update", "A4", "A3", "second:update", "A4"}));

    // A leaf group: nothing at all but its animation.
    events.clear();
    SceneNode* leaf = groupNode(root);
    addCallback(leaf, logPhase, (void*)"L");
    frame();
    EXPECT_EQ(std::count(events.begin(), events.end(), "node:update"), 1);
    for (const std::string& e : events) EXPECT_NE(e[0], 'L') << e;
}

TEST_F(Traversal, TwoCallbacksRunInRegistrationOrderInEveryPhase) {
    SceneNode* node = modelNode(root);
    addCallback(node, logPhase, (void*)"A");
    addCallback(node, logPhase, (void*)"B");
    playOneTrack(groupNode(node), logUpdate, 0.0, 0, 0, 0, 0, 0, 0, (void*)"child");
    frame();
    EXPECT_EQ(events, (Events{"A1", "B1", "A2", "B2", "A3", "B3", "child:update", "A4", "B4"}));
}

TEST_F(Traversal, CurrentNodeIsTheOwnerInPhasesOneAndTwoAndDuringTracks) {
    static SceneNode* seen[5];
    static SceneNode* seenByTrack;
    std::memset(seen, 0, sizeof seen);
    seenByTrack = nullptr;
    SceneNode* node = modelNode(root);
    SceneNode* child = modelNode(node);
    addCallback(node, [](CallbackPhase phase, void*) { seen[phase] = sceneState().currentNode; }, nullptr);
    playOneTrack(node, [](void*) { seenByTrack = sceneState().currentNode; }, -1.0);
    frame();
    EXPECT_EQ(seenByTrack, node);
    EXPECT_EQ(seen[1], node);
    EXPECT_EQ(seen[2], node);
    EXPECT_EQ(seen[3], node);
    EXPECT_EQ(seen[4], child);  // not restored after the child's render
}

// ---- Removal --------------------------------------------------------------------

// The tests count deletions through archive references: every node below holds
// one, as a node with one loaded model does, and gives it back when destroyed.
class TraversalWithArchive : public Traversal {
protected:
    void SetUp() override {
        Traversal::SetUp();
        PakArchive archive;
        const char bytes[] = "x";
        pakAddBuffer(archive, "x", bytes, sizeof bytes);
        path = makeTempDir() + "/nodes.pak";
        ASSERT_TRUE(pakSave(archive, path.c_str()));
        pakClose(archive);
    }

public:
    SceneNode* holdingNode(SceneNode* parent) {
        SceneNode* node = modelNode(parent);
        EXPECT_NE(pakTryAcquire(path.c_str()), nullptr);
        node->pakNames.push_back(path);
        return node;
    }
    int liveReferences() const { return cacheReferences(path); }

protected:
    std::string path;
};

TEST_F(TraversalWithArchive, RemovedSubtreeDismantlesOneLevelPerFrame) {
    int nodeUpdates = 0;
    SceneNode* node = holdingNode(root);
    SceneNode* child = holdingNode(node);
    SceneNode* grand = holdingNode(child);
    addCallback(node, logPhase, (void*)"N");
    addCallback(child, logPhase, (void*)"C");
    addCallback(grand, logPhase, (void*)"G");
    playOneTrack(node, [](void* n) { ++*static_cast<int*>(n); }, 0.0, 0, 0, 0, 0, 0, 0, &nodeUpdates);
    frame();
    EXPECT_EQ(events, (Events{"N1", "N2", "N3", "C1", "C2", "C3", "G1", "G2", "C4", "N4"}));
    EXPECT_EQ(nodeUpdates, 1);
    ASSERT_EQ(liveReferences(), 3);

    remove(node);

    // Frame 1: nothing of the subtree is drawn; the grandchild dies.
    events.clear();
    frame();
    EXPECT_EQ(events, (Events{"N3", "C3", "C4", "N4"}));
    EXPECT_TRUE(child->removing);
    EXPECT_TRUE(grand->removing);
    EXPECT_TRUE(grand->dead);
    EXPECT_FALSE(child->dead);
    EXPECT_FALSE(node->dead);
    EXPECT_EQ(nodeUpdates, 1);  // the animator is frozen
    EXPECT_EQ(liveReferences(), 3);

    // Frame 2: the grandchild is deleted and the child dies.
    events.clear();
    frame();
    EXPECT_EQ(events, (Events{"N3", "N4"}));
    EXPECT_TRUE(child->children.empty());
    EXPECT_TRUE(child->dead);
    EXPECT_FALSE(node->dead);
    EXPECT_EQ(liveReferences(), 2);

    // Frame 3: the child is deleted and the node dies.
    events.clear();
    frame();
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(node->children.empty());
    EXPECT_TRUE(node->dead);
    ASSERT_EQ(root->children.size(), 1u);
    EXPECT_EQ(liveReferences(), 1);

    // Frame 4: the node's parent deletes it.
    frame();
    EXPECT_TRUE(root->children.empty());
    EXPECT_EQ(liveReferences(), 0);
    EXPECT_FALSE(root->dead);
    EXPECT_EQ(nodeUpdates, 1);
}

TEST_F(TraversalWithArchive, AllDeadChildrenGoInOneFrameAndTheOthersKeepTheirOrder) {
    SceneNode* a = holdingNode(root);
    SceneNode* b = holdingNode(root);
    SceneNode* c = holdingNode(root);
    SceneNode* d = holdingNode(root);
    frame();
    remove(a);
    remove(c);
    remove(d);
    frame();
    EXPECT_TRUE(a->dead && c->dead && d->dead);
    EXPECT_EQ(root->children.size(), 4u);
    frame();
    ASSERT_EQ(root->children.size(), 1u);
    EXPECT_EQ(root->children[0], b);
    EXPECT_EQ(liveReferences(), 1);
}

TEST_F(TraversalWithArchive, DeadNodeGivenChildrenLateDismantlesThemBeforeItIsDeleted) {
    static SceneNode* victim;
    static TraversalWithArchive* self;
    self = this;
    victim = holdingNode(root);
    SceneNode* later = groupNode(root);
    frame();
    remove(victim);
    // Runs after the victim has died in the same frame, and hands it a child.
    playOneTrack(later, [](void*) { self->holdingNode(victim); }, -1.0);
    frame();
    EXPECT_TRUE(victim->dead);
    ASSERT_EQ(victim->children.size(), 1u);
    EXPECT_EQ(liveReferences(), 2);

    frame();  // the late child is marked and dies; the victim waits for it
    ASSERT_EQ(root->children.size(), 2u);
    EXPECT_TRUE(victim->children[0]->dead);
    frame();  // the late child is deleted
    EXPECT_TRUE(victim->children.empty());
    EXPECT_EQ(liveReferences(), 1);
    frame();  // and then the victim
    EXPECT_EQ(root->children.size(), 1u);
    EXPECT_EQ(liveReferences(), 0);
}

TEST_F(Traversal, RemovingNodeKeepsItsOwnTransformButNotItsAnimation) {
    Capture capture;
    SceneNode* node = groupNode(root);
    setPosition(node, 5, 0, 0);
    addCallback(node, captureMatrix, &capture);
    playOneTrack(node, moveLinear, 0.0, 1, 0, 0, 1000.0);  // one unit per millisecond along Y
    groupNode(node);
    frame(10);
    ASSERT_TRUE(capture.seen[3]);
    EXPECT_NEAR(capture.phase[3].m[12], 5.0, 1e-6);
    EXPECT_NEAR(capture.phase[3].m[13], 10.0, 1e-6);

    remove(node);
    capture = Capture();
    frame(10);
    ASSERT_TRUE(capture.seen[3]);
    EXPECT_NEAR(capture.phase[3].m[12], 5.0, 1e-6);
    EXPECT_EQ(capture.phase[3].m[13], 0.0);
    EXPECT_EQ(node->animator.tracks[0].t, 10.0);
}

// ---- Growth during the walk ------------------------------------------------------

TEST_F(Traversal, ChildrenAddedDuringTheAnimatorUpdateAreDrawnInTheSameFrame) {
    SceneNode* holder = groupNode(root);
    addCallback(holder, logPhase, (void*)"H");
    playOneTrack(holder, [](void*) {
        // Enough children to make the list grow its storage more than once.
        for (int i = 0; i < 40; ++i) addCallback(modelNode(sceneState().currentNode), logPhase, (void*)"K");
    }, -1.0);
    frame();
    EXPECT_EQ(std::count(events.begin(), events.end(), "K1"), 40);
    EXPECT_EQ(std::count(events.begin(), events.end(), "H3"), 40);
    EXPECT_EQ(holder->children.size(), 40u);

    events.clear();
    frame();  // the builder ran once only
    EXPECT_EQ(holder->children.size(), 40u);
    EXPECT_EQ(std::count(events.begin(), events.end(), "K1"), 40);
}

TEST_F(Traversal, ChildAppendedByAPhaseThreeCallbackJoinsTheSameWalk) {
    static int added;
    added = 0;
    SceneNode* holder = groupNode(root);
    modelNode(holder);
    addCallback(holder, [](CallbackPhase phase, void*) {
        if (phase != beforeEachChild || added >= 20) return;
        ++added;
        // currentNode is the holder or one of its children here; the holder's
        // list is reached through the root.
        SceneNode* h = rootOfTest->children[0];
        addCallback(modelNode(h), logPhase, (void*)"late");
    }, nullptr);
    rootOfTest = root;
    frame();
    EXPECT_EQ(added, 20);
    EXPECT_EQ(holder->children.size(), 21u);
    EXPECT_EQ(std::count(events.begin(), events.end(), "late1"), 20);
}

// ---- Transforms ----------------------------------------------------------------------

Matrix identity() {
    Matrix r{};
    r.m[0] = r.m[5] = r.m[10] = r.m[15] = 1.0;
    return r;
}

Matrix multiply(const Matrix& a, const Matrix& b) {
    Matrix r{};
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 4; ++k) r.m[col * 4 + row] += a.m[k * 4 + row] * b.m[col * 4 + k];
    return r;
}

Matrix translation(double x, double y, double z) {
    Matrix r = identity();
    r.m[12] = x;
    r.m[13] = y;
    r.m[14] = z;
    return r;
}

Matrix rotation(double degrees, int axis) {
    const double a = degrees * M_PI / 180.0, c = std::cos(a), s = std::sin(a);
    Matrix r = identity();
    const int i = (axis + 1) % 3, j = (axis + 2) % 3;  // the plane turned
    r.m[i * 4 + i] = c;
    r.m[i * 4 + j] = s;
    r.m[j * 4 + i] = -s;
    r.m[j * 4 + j] = c;
    return r;
}

Matrix scaling(double x, double y, double z) {
    Matrix r = identity();
    r.m[0] = x;
    r.m[5] = y;
    r.m[10] = z;
    return r;
}

Matrix placement(const Transform& t) {
    Matrix r = translation(t.position.x, t.position.y, t.position.z);
    r = multiply(r, rotation(t.rotation.x, 0));
    r = multiply(r, rotation(t.rotation.y, 1));
    return multiply(r, rotation(t.rotation.z, 2));
}

void expectMatrix(const double* got, const Matrix& want) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(got[i], want.m[i], 1e-5) << "element " << i;
}

TEST_F(Traversal, ZeroTransformIssuesNoCallsAndATinyOffsetDoes) {
    // The frame's matrix carries a NaN in its first row: any translation or
    // rotation multiplied onto it spreads the NaN along that row, so a clean row
    // proves that no call was made.
    Capture still, nudged;
    SceneNode* plain = modelNode(root);
    addCallback(plain, captureMatrix, &still);
    SceneNode* tiny = modelNode(root);
    setPosition(tiny, 0, 0, 1e-9);
    addCallback(tiny, captureMatrix, &nudged);

    Matrix poisoned = identity();
    poisoned.m[0] = std::numeric_limits<double>::quiet_NaN();
    sceneState().frameTime += 16;
    loadWalkMatrix(poisoned.m);
    walk();
    loadWalkIdentity();

    ASSERT_TRUE(still.seen[1] && nudged.seen[1]);
    EXPECT_EQ(still.phase[1].m[4], 0.0);
    EXPECT_EQ(still.phase[1].m[8], 0.0);
    EXPECT_EQ(still.phase[1].m[12], 0.0);
    EXPECT_TRUE(std::isnan(nudged.phase[1].m[12]));

    // And on a clean matrix the tiny offset arrives as it was given.
    nudged = Capture();
    frame();
    EXPECT_NEAR(nudged.phase[1].m[14], 1e-9, 1e-15);
    EXPECT_NE(nudged.phase[1].m[14], 0.0);
}

TEST_F(Traversal, MatrixIsParentThenTranslationThenRotationsXYZThenAnimation) {
    Capture parentCapture, childCapture;
    SceneNode* parent = modelNode(root);
    setPosition(parent, 1, 2, 3);
    setRotation(parent, 30, 45, 60);
    addCallback(parent, captureMatrix, &parentCapture);
    playOneTrack(parent, moveLinear, 0.0, 0, 0, 0, 500.0);      // X: 0.5 per ms
    playOneTrack(parent, rotateLinear, 0.0, 2, 0, 0, 0.0, 20.0);  // Z: a fixed 20 degrees
    SceneNode* child = modelNode(parent);
    setPosition(child, 0, 4, 0);
    setRotation(child, 0, 90, 0);
    addCallback(child, captureMatrix, &childCapture);

    frame(10);
    Matrix animated = multiply(translation(5, 0, 0), rotation(20, 2));
    Matrix parentWant = multiply(placement(parent->transform), animated);
    expectMatrix(parentCapture.phase[1].m, parentWant);
    expectMatrix(childCapture.phase[1].m, multiply(parentWant, placement(child->transform)));
    // Phase 2 sees the same matrix again: nothing leaks out of the mesh drawing.
    expectMatrix(parentCapture.phase[2].m, parentWant);
    expectMatrix(parentCapture.phase[4].m, parentWant);
}

TEST_F(Traversal, ScaleReachesOnlyTheNodesOwnMeshes) {
    Capture parentCapture, childCapture;
    SceneNode* parent = modelNode(root);
    parent->meshes.push_back(emptyMesh());
    parent->meshCount = 1;
    setPosition(parent, 1, 0, 0);
    setRotation(parent, 0, 0, 90);
    setScale(parent, 2, 3, 4);
    addCallback(parent, captureMatrix, &parentCapture);
    SceneNode* child = modelNode(parent);
    child->meshes.push_back(emptyMesh());
    child->meshCount = 1;
    addCallback(child, captureMatrix, &childCapture);
    frame();

    const Matrix placed = placement(parent->transform);
    expectMatrix(parent->meshes[0]->modelview, multiply(placed, scaling(2, 3, 4)));
    expectMatrix(parentCapture.phase[1].m, placed);
    expectMatrix(parentCapture.phase[2].m, placed);
    // The child turns with its parent but keeps its own size.
    expectMatrix(childCapture.phase[1].m, placed);
    expectMatrix(child->meshes[0]->modelview, placed);

    // Without the flag the scale values are not applied at all.
    parent->transform.scaled = false;
    frame();
    expectMatrix(parent->meshes[0]->modelview, placed);
}

// ---- What the walk records ------------------------------------------------------

TEST_F(Traversal, TheWalkRecordsEveryMeshInOrderAndForgetsOneDestroyedDuringIt) {
    SceneNode* node = modelNode(root);
    node->meshes = {emptyMesh(translucentMaterial), emptyMesh(), emptyMesh(translucentMaterial)};
    node->meshCount = 3;
    SceneNode* doomed = modelNode(root);
    doomed->meshes = {emptyMesh()};
    doomed->meshCount = 1;
    sceneState().frameTime += 16;
    loadWalkIdentity();
    beginRecording(record, false);
    render(root);
    ASSERT_EQ(record.items.size(), 4u);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(record.items[i].mesh, node->meshes[i]);
    EXPECT_TRUE(record.items[0].translucent && !record.items[1].translucent && record.items[2].translucent);
    // A mesh destroyed before its frame is drawn leaves an item that draws nothing.
    root->children.pop_back();
    destroyNode(doomed);
    endRecording();
    EXPECT_EQ(record.items[3].mesh, nullptr);
    EXPECT_EQ(drawRecorded(record, nullptr, 3, 4), 0);
}

}  // namespace

// The walk keeps its matrix as OpenGL 1.x would: the same floats, bit for bit,
// as the walk's translations, turns and scales made by OpenGL itself.
TEST(WalkMatrix, EqualsOpenGLsOwnBitForBit) {
    ensureGlWindow();
    uint32_t seed = 5;
    auto next = [&seed](int range) {
        seed = seed * 1664525u + 1013904223u;
        return int((seed >> 8) % uint32_t(range));
    };
    int differing = 0;
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    for (int round = 0; round < 2000; ++round) {
        glLoadIdentity();
        glTranslatef(0, 0, -100);
        loadWalkIdentity();
        translateWalk(0, 0, -100);
        for (int k = 0; k < 6; ++k) {
            const float a = float(next(20001) - 10000) / 97.0f, b = float(next(20001) - 10000) / 131.0f,
                        c = float(next(20001) - 10000) / 173.0f;
            const int axis = next(3);
            switch (next(4)) {
            case 0:
                glTranslatef(a, b, c);
                translateWalk(a, b, c);
                break;
            case 1:
                glRotatef(a, axis == 0, axis == 1, axis == 2);
                rotateWalk(a, axis);
                break;
            case 2:
                glScaled(b / 50.0, c / 50.0, 1.25);
                scaleWalk(b / 50.0, c / 50.0, 1.25);
                break;
            default:
                glPushMatrix();
                pushWalkMatrix();
                glRotatef(b, axis == 0, axis == 1, axis == 2);
                rotateWalk(b, axis);
                glPopMatrix();
                popWalkMatrix();
            }
        }
        double gl[16], walked[16];
        glGetDoublev(GL_MODELVIEW_MATRIX, gl);
        walkMatrix(walked);
        differing += std::memcmp(gl, walked, sizeof gl) != 0;
    }
    glPopMatrix();
    EXPECT_EQ(differing, 0) << "of 2000";
}
