#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "scene/animation.h"
#include "scene/scene_node.h"

namespace {

// Each fixture starts the clock at a known value; the animator update reads only
// frameTime, so the tests step time by hand.
class Animation : public testing::Test {
protected:
    void SetUp() override {
        sceneState().frameTime = 1000;
        table.animator = &animator;
        animator.now = animator.previous = sceneState().frameTime;
    }
    void step(uint32_t ms) {
        sceneState().frameTime += ms;
        updateAnimator(animator);
    }

    Animator animator;
    ActionTable table;
};

void countCall(void* arg) { ++*static_cast<int*>(arg); }

AnimTrack makeTrack(int32_t tag, bool running, double duration, TrackFn fn, void* arg) {
    AnimTrack track;
    initTrack(track, tag, running, duration);
    setTrackFn(track, fn, arg);
    return track;
}

TEST_F(Animation, InitTrackDecidesEndlessFromDurationZero) {
    AnimTrack track;
    track.finished = true;
    track.t = 5;
    track.age = 7;
    initTrack(track, 3, true, 0.0);
    EXPECT_TRUE(track.endless);
    EXPECT_FALSE(track.finished);
    EXPECT_EQ(track.t, 0.0);
    EXPECT_EQ(track.age, 0.0);
    EXPECT_EQ(track.tag, 3);
    EXPECT_TRUE(track.running);

    initTrack(track, 4, false, -1.0);
    EXPECT_FALSE(track.endless);
    EXPECT_EQ(track.duration, -1.0);
    EXPECT_FALSE(track.running);
}

TEST_F(Animation, SetTrackFnFormsFillTheirParametersAndClearTheArgument) {
    int dummy = 0;
    AnimTrack track;
    setTrackFn(track, countCall, &dummy);
    EXPECT_EQ(track.arg, &dummy);
    setTrackFn(track, moveLinear, 1.5, 2.5, 3.5);
    EXPECT_EQ(track.fn, &moveLinear);
    EXPECT_EQ(track.arg, nullptr);
    EXPECT_EQ(track.a, 1.5);
    EXPECT_EQ(track.b, 2.5);
    EXPECT_EQ(track.c, 3.5);

    track.arg = &dummy;
    setTrackFn(track, rotateLinear, 2, 4.0, 5.0, 6.0);
    EXPECT_EQ(track.arg, nullptr);
    EXPECT_EQ(track.i0, 2);
    EXPECT_EQ(track.a, 4.0);

    setTrackFn(track, rotateLinear, 7, 8, 1.0, 2.0, 3.0);
    EXPECT_EQ(track.i0, 7);
    EXPECT_EQ(track.i1, 8);
    EXPECT_EQ(track.c, 3.0);

    track.arg = &dummy;
    setTrackFn(track, rotateLinear, 9, 10, 11, -1.0, -2.0, -3.0);
    EXPECT_EQ(track.arg, nullptr);
    EXPECT_EQ(track.i0, 9);
    EXPECT_EQ(track.i1, 10);
    EXPECT_EQ(track.i2, 11);
    EXPECT_EQ(track.a, -1.0);
    EXPECT_EQ(track.b, -2.0);
    EXPECT_EQ(track.c, -3.0);
}

TEST_F(Animation, OnceTrackRunsExactlyOnceAndIsErasedAtTheNextUpdate) {
    int calls = 0;
    const int32_t id = newAction(table);
    addTrack(table, makeTrack(1, true, -1.0, countCall, &calls));
    play(table, id);
    ASSERT_EQ(animator.tracks.size(), 1u);
    EXPECT_EQ(calls, 0);  // nothing runs before the first update

    step(16);
    EXPECT_EQ(calls, 1);
    ASSERT_EQ(animator.tracks.size(), 1u);  // finished but still listed this frame
    EXPECT_TRUE(animator.tracks[0].finished);

    step(16);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(animator.tracks.empty());
}

TEST_F(Animation, TrackOf500msAdvancedBy16RunsIn32Frames) {
    int calls = 0;
    newAction(table);
    addTrack(table, makeTrack(1, true, 500.0, countCall, &calls));
    play(table, 0);
    for (int frame = 1; frame <= 31; ++frame) {
        step(16);
        ASSERT_FALSE(animator.tracks[0].finished) << "frame " << frame;
    }
    step(16);
    EXPECT_EQ(calls, 32);  // the finishing advance still calls the function
    EXPECT_TRUE(animator.tracks[0].finished);
    EXPECT_EQ(animator.tracks[0].age, 512.0);
    EXPECT_EQ(animator.tracks[0].t, 512.0);
    step(16);
    EXPECT_EQ(calls, 32);
    EXPECT_TRUE(animator.tracks.empty());
}

TEST_F(Animation, EndlessTrackRunsUntilFinishedIsSet) {
    int calls = 0;
    newAction(table);
    addTrack(table, makeTrack(5, true, 0.0, countCall, &calls));
    play(table, 0);
    for (int i = 0; i < 100; ++i) step(1000);
    EXPECT_EQ(calls, 100);
    ASSERT_EQ(animator.tracks.size(), 1u);
    EXPECT_FALSE(animator.tracks[0].finished);

    const int32_t finish = newAction(table);
    addCommand(table, 5, 2);
    play(table, finish);
    step(16);
    EXPECT_EQ(calls, 100);
    EXPECT_TRUE(animator.tracks.empty());
}

TEST_F(Animation, StoppedTrackIsFrozenUntilStarted) {
    int calls = 0;
    newAction(table);
    addTrack(table, makeTrack(2, false, 100.0, countCall, &calls));
    play(table, 0);
    for (int i = 0; i < 10; ++i) step(50);
    ASSERT_EQ(animator.tracks.size(), 1u);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(animator.tracks[0].t, 0.0);
    EXPECT_EQ(animator.tracks[0].age, 0.0);
    EXPECT_FALSE(animator.tracks[0].finished);

    const int32_t start = newAction(table);
    addCommand(table, 2, 1);
    play(table, start);
    step(50);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(animator.tracks[0].t, 50.0);  // the frozen time did not count
}

TEST_F(Animation, FinishedTrackInTheMiddleIsErasedAndTheNextStillRuns) {
    int first = 0, middle = 0, last = 0;
    newAction(table);
    addTrack(table, makeTrack(1, true, 0.0, countCall, &first));
    addTrack(table, makeTrack(2, true, 0.0, countCall, &middle));
    addTrack(table, makeTrack(1, true, 0.0, countCall, &last));
    play(table, 0);
    step(10);
    animator.tracks[1].finished = true;
    step(10);
    EXPECT_EQ(first, 2);
    EXPECT_EQ(middle, 1);
    EXPECT_EQ(last, 2);  // moved into the erased slot and examined there
    EXPECT_EQ(animator.tracks.size(), 2u);
}

TEST_F(Animation, OscillatorFollowsTheSine) {
    newAction(table);
    AnimTrack track;
    initTrack(track, 1, true, 0.0);
    setTrackFn(track, oscillatePosition, 1, 2.0, M_PI, 0.0);
    addTrack(table, track);
    play(table, 0);

    step(0);
    EXPECT_NEAR(animator.animated.position.y, 0.0, 1e-12);
    step(500);
    EXPECT_NEAR(animator.animated.position.y, 2.0, 1e-12);
    EXPECT_EQ(animator.animated.position.x, 0.0);
    EXPECT_EQ(animator.animated.position.z, 0.0);
    step(500);
    EXPECT_NEAR(animator.animated.position.y, 0.0, 1e-12);
    step(250);  // t = 1250: sin(1.25 pi) * 2, the offset is absolute, not summed
    EXPECT_NEAR(animator.animated.position.y, 2.0 * std::sin(1.25 * M_PI), 1e-12);
}

TEST_F(Animation, LinearMotionAndTracksAddUp) {
    newAction(table);
    AnimTrack track;
    initTrack(track, 1, true, 0.0);
    setTrackFn(track, rotateLinear, 2, 90.0, 10.0, 0.0);  // 90 deg/s from 10 deg
    addTrack(table, track);
    setTrackFn(track, moveLinear, 0, 4.0, 0.0, 0.0);  // 4 units/s along X
    addTrack(table, track);
    setTrackFn(track, moveLinear, 0, -1.0, 0.0, 0.0);  // a second one on X
    addTrack(table, track);
    setTrackFn(track, moveLinear, 3, 100.0, 0.0, 0.0);  // no such axis
    addTrack(table, track);
    play(table, 0);

    step(2000);
    EXPECT_DOUBLE_EQ(animator.animated.rotation.z, 10.0 + 180.0);
    EXPECT_DOUBLE_EQ(animator.animated.position.x, 8.0 - 2.0);
    EXPECT_EQ(animator.animated.position.y, 0.0);
    EXPECT_EQ(animator.animated.position.z, 0.0);
    EXPECT_EQ(animator.animated.rotation.x, 0.0);
    EXPECT_EQ(animator.animated.scale.x, 1.0);
}

TEST_F(Animation, AnimatedTransformIsRebuiltEveryUpdate) {
    animator.animated.position = {5, 6, 7};
    animator.animated.rotation = {1, 2, 3};
    animator.animated.scale = {2, 2, 2};
    step(16);
    EXPECT_EQ(animator.animated.position.x, 0.0);
    EXPECT_EQ(animator.animated.position.z, 0.0);
    EXPECT_EQ(animator.animated.rotation.y, 0.0);
    EXPECT_EQ(animator.animated.scale.x, 1.0);
    EXPECT_EQ(animator.animated.scale.z, 1.0);
}

TEST_F(Animation, ElapsedTimeIsScaledRoundedAndSurvivesTheTickWrap) {
    int calls = 0;
    newAction(table);
    addTrack(table, makeTrack(1, true, 0.0, countCall, &calls));
    play(table, 0);

    animator.timeScale = 0.5;
    step(5);  // 2.5 rounds to 3
    EXPECT_EQ(animator.tracks[0].t, 3.0);
    step(3);  // 1.5 rounds to 2
    EXPECT_EQ(animator.tracks[0].t, 5.0);

    animator.timeScale = 1.0;
    sceneState().frameTime = 0xFFFFFFF0u;
    updateAnimator(animator);
    const double before = animator.tracks[0].t;
    sceneState().frameTime = 0x10u;  // 32 ms later, past the wrap of the 32-bit counter
    updateAnimator(animator);
    EXPECT_EQ(animator.tracks[0].t - before, 32.0);
    EXPECT_EQ(animator.previous, 0xFFFFFFF0u);
    EXPECT_EQ(animator.now, 0x10u);

    animator.timeScale = -1.0;  // nonsense scale: time stands still
    const double t = animator.tracks[0].t;
    step(100);
    EXPECT_EQ(animator.tracks[0].t, t);
}

TEST_F(Animation, FirstUpdateOfANodeCreatedLongBeforeSeesTheWholeGap) {
    sceneState().frameTime = 120;
    SceneNode* node = createNode();
    EXPECT_EQ(node->animator.now, 120u);
    EXPECT_EQ(node->actions.animator, &node->animator);
    EXPECT_EQ(node->animator.timeScale, 1.0);
    playOneTrack(node, moveLinear, 0.0, 0, 0, 0, 1.0);
    sceneState().frameTime = 45120;  // the first frame, 45 s later
    updateAnimator(node->animator);
    ASSERT_EQ(node->animator.tracks.size(), 1u);
    EXPECT_EQ(node->animator.tracks[0].t, 45000.0);
    EXPECT_DOUBLE_EQ(node->animator.animated.position.x, 45.0);
    destroyNode(node);
}

TEST_F(Animation, ExpireTrackRemovesItsNodeOnlyAfterTheLimit) {
    SceneNode* node = createNode();
    playOneTrack(node, expireTrack, 0.0, 0, 0, 0, 3000.0);
    sceneState().currentNode = node;
    sceneState().frameTime += 2000;
    updateAnimator(node->animator);
    EXPECT_FALSE(node->removing);
    sceneState().frameTime += 1000;  // t == 3000 exactly
    updateAnimator(node->animator);
    EXPECT_FALSE(node->removing);
    sceneState().frameTime += 1;
    updateAnimator(node->animator);
    EXPECT_TRUE(node->removing);
    sceneState().currentNode = nullptr;
    destroyNode(node);
}

TEST_F(Animation, PlayCopiesTracksThenAppliesCommandsThenTriggers) {
    int a = 0, b = 0, other = 0;
    Animator otherAnimator;
    otherAnimator.now = otherAnimator.previous = sceneState().frameTime;
    ActionTable otherTable;
    otherTable.animator = &otherAnimator;
    const int32_t otherId = newAction(otherTable);
    addTrack(otherTable, makeTrack(1, true, 0.0, countCall, &other));

    const int32_t first = newAction(table);
    EXPECT_EQ(first, 0);
    addTrack(table, makeTrack(1, true, 0.0, countCall, &a));
    addTrack(table, makeTrack(2, true, 0.0, countCall, &b));
    const int32_t second = newAction(table);
    EXPECT_EQ(second, 1);
    EXPECT_EQ(table.current, 1);
    // Commands of an action reach the tracks the same play has just copied.
    addTrack(table, makeTrack(1, true, 0.0, countCall, &a));
    addCommand(table, 1, 0);  // stop every tag-1 track
    addCommand(table, 2, 2);  // finish every tag-2 track
    addTrigger(table, &otherTable, otherId);

    play(table, first);
    play(table, first);  // a second, independent copy
    ASSERT_EQ(animator.tracks.size(), 4u);
    for (const AnimTrack& t : animator.tracks) EXPECT_EQ(t.target, &animator.animated);

    play(table, second);
    ASSERT_EQ(animator.tracks.size(), 5u);
    for (const AnimTrack& t : animator.tracks) {
        if (t.tag == 1) {
            EXPECT_FALSE(t.running);
        }
        if (t.tag == 2) {
            EXPECT_TRUE(t.finished);
        }
    }
    ASSERT_EQ(otherAnimator.tracks.size(), 1u);
    EXPECT_EQ(otherAnimator.tracks[0].target, &otherAnimator.animated);

    step(16);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 0);
    EXPECT_EQ(animator.tracks.size(), 3u);  // the two tag-2 copies are gone
    updateAnimator(otherAnimator);
    EXPECT_EQ(other, 1);

    // The templates themselves were not changed by the commands.
    EXPECT_TRUE(table.actions[0].tracks[0].running);
    EXPECT_EQ(table.actions[0].tracks[0].target, nullptr);
}

TEST_F(Animation, MisuseOfTheActionTableIsHarmless) {
    int calls = 0;
    // Nothing to add to before the first newAction.
    addTrack(table, makeTrack(1, true, -1.0, countCall, &calls));
    addCommand(table, 1, 0);
    addTrigger(table, &table, 0);
    EXPECT_TRUE(table.actions.empty());
    // Ids the table never returned play nothing.
    play(table, 0);
    play(table, -1);
    newAction(table);
    play(table, 1);
    EXPECT_TRUE(animator.tracks.empty());
}

TEST_F(Animation, TriggerCyclePlaysEachActionOnce) {
    int calls = 0;
    ActionTable other;
    other.animator = &animator;
    const int32_t mine = newAction(table);
    addTrack(table, makeTrack(1, true, -1.0, countCall, &calls));
    const int32_t theirs = newAction(other);
    addTrack(other, makeTrack(1, true, -1.0, countCall, &calls));
    addTrigger(other, &table, mine);
    table.current = mine;
    addTrigger(table, &other, theirs);
    addTrigger(table, &table, mine);  // and one that names itself

    play(table, mine);
    EXPECT_EQ(animator.tracks.size(), 2u);
    // Playing again afterwards is a fresh play, not part of the cycle.
    play(table, mine);
    EXPECT_EQ(animator.tracks.size(), 4u);
}

// A track function that appends many tracks to its own animator, then writes to
// its own record through the pointer it read on entry: the record must not have
// moved (AddressSanitizer reports it if it did).
int appendedRuns = 0;
void appendedTrack(void*) { ++appendedRuns; }
void appendManyThenWriteOwnRecord(void*) {
    AnimTrack* self = sceneState().currentTrack;
    SceneNode* node = sceneState().currentNode;
    for (int i = 0; i < 5000; ++i) playOneTrack(node, appendedTrack, -1.0);
    self->a = 42.0;
    self->t = 0.0;
    self->finished = true;
    EXPECT_EQ(sceneState().currentTrack, self);  // nested plays do not run functions
}

TEST_F(Animation, AppendingToOwnAnimatorLeavesTheRunningRecordInPlace) {
    appendedRuns = 0;
    SceneNode* node = createNode();
    playOneTrack(node, appendManyThenWriteOwnRecord, 0.0);
    sceneState().currentNode = node;
    sceneState().frameTime += 16;
    updateAnimator(node->animator);
    ASSERT_EQ(node->animator.tracks.size(), 5001u);
    EXPECT_EQ(node->animator.tracks[0].a, 42.0);
    EXPECT_TRUE(node->animator.tracks[0].finished);
    // The appended tracks ran in the same walk, after the existing one.
    EXPECT_EQ(appendedRuns, 5000);

    sceneState().frameTime += 16;
    updateAnimator(node->animator);
    EXPECT_TRUE(node->animator.tracks.empty());
    EXPECT_EQ(appendedRuns, 5000);
    sceneState().currentNode = nullptr;
    destroyNode(node);
}

TEST_F(Animation, PlayOneTrackBuildsARunningTagOneAction) {
    SceneNode* node = createNode();
    playOneTrack(node, oscillatePosition, 0.0, 2, 3, 4, 1.0, 2.0, 3.0);
    ASSERT_EQ(node->actions.actions.size(), 1u);
    ASSERT_EQ(node->animator.tracks.size(), 1u);
    const AnimTrack& t = node->animator.tracks[0];
    EXPECT_EQ(t.tag, 1);
    EXPECT_TRUE(t.running);
    EXPECT_TRUE(t.endless);
    EXPECT_EQ(t.fn, &oscillatePosition);
    EXPECT_EQ(t.i0, 2);
    EXPECT_EQ(t.i1, 3);
    EXPECT_EQ(t.i2, 4);
    EXPECT_EQ(t.a, 1.0);
    EXPECT_EQ(t.b, 2.0);
    EXPECT_EQ(t.c, 3.0);
    EXPECT_EQ(t.target, &node->animator.animated);
    destroyNode(node);
}

}  // namespace

// What the loop may rest through: endless tracks ask for nothing unless they
// say so, a track running for a set time asks for the next frame until it has
// ended, a play asks for the frame that shows it, and the earliest time asked
// wins across the tick counter's wrap.
TEST_F(Animation, TheClockIsDueOnlyForWhatRunsByIt) {
    int calls = 0;
    newAction(table);
    addTrack(table, makeTrack(1, true, 0.0, countCall, &calls));
    play(table, 0);
    uint32_t due = 0;
    startClockWatch();
    step(16);
    EXPECT_FALSE(clockDue(due)) << "an endless track kept the loop awake";
    EXPECT_EQ(calls, 1);

    newAction(table);
    addTrack(table, makeTrack(2, true, 40.0, countCall, &calls));
    startClockWatch();
    play(table, 1);
    ASSERT_TRUE(clockDue(due));
    EXPECT_EQ(due, sceneState().frameTime);
    for (int i = 0; i < 3; ++i) {
        startClockWatch();
        step(16);
        ASSERT_TRUE(clockDue(due)) << "pass " << i;
        EXPECT_EQ(due, sceneState().frameTime);
    }
    startClockWatch();
    step(16);  // the finished track is gone
    EXPECT_FALSE(clockDue(due));

    sceneState().frameTime = 0xFFFFFFF0u;
    startClockWatch();
    wakeByClock(0x20u);
    wakeByClock(0xFFFFFFF8u);
    wakeByClock(0x10u);
    ASSERT_TRUE(clockDue(due));
    EXPECT_EQ(due, 0xFFFFFFF8u);
}

// A node set to go after a while asks to be woken just after it is due.
TEST(ExpireTrack, AsksForThePassThatRemovesIt) {
    sceneState().frameTime = 5000;
    SceneNode* root = createNode();
    SceneNode* node = createNode();
    addChild(root, node);
    playOneTrack(node, expireTrack, 0.0, 0, 0, 0, 300.0);
    sceneState().currentNode = node;
    sceneState().frameTime += 100;
    startClockWatch();
    updateAnimator(node->animator);
    uint32_t due = 0;
    ASSERT_TRUE(clockDue(due));
    EXPECT_EQ(due, 5000u + 301u);
    EXPECT_FALSE(node->removing);
    sceneState().frameTime = due;
    startClockWatch();
    updateAnimator(node->animator);
    EXPECT_TRUE(node->removing);
    destroyNode(root);
}
