// Animation tracks and numbered actions: all per-frame behaviour of the scene.
#pragma once
#include <cstdint>
#include <deque>
#include <vector>

#include "scene/scene_state.h"
#include "scene/transform.h"

// A track function reads its record through sceneState().currentTrack and its
// node through sceneState().currentNode.
typedef void (*TrackFn)(void* arg);

struct AnimTrack {
    Transform* target = nullptr;  // the animated transform of the animator it runs in
    double t = 0.0;               // ms accumulated while running; functions may reset it
    int32_t i0 = 0, i1 = 0, i2 = 0;
    double a = 0.0, b = 0.0, c = 0.0;
    TrackFn fn = nullptr;
    void* arg = nullptr;
    int32_t tag = 0;
    bool running = false;
    bool endless = false;   // initialised with duration 0
    bool finished = false;  // erased at the next animator update
    double duration = 0.0;
    double age = 0.0;
};

struct Animator {
    uint32_t now = 0;
    uint32_t previous = 0;
    double timeScale = 1.0;
    Transform animated;  // rebuilt from identity at every update
    // A deque, because appending never moves the records already in it: a track
    // function may add tracks to its own animator while its record is in use.
    std::deque<AnimTrack> tracks;
};

struct ActionCommand {
    int32_t tag = 0;
    int32_t operation = 0;  // 0 stop, 1 start, 2 finish
};

struct ActionTable;
struct ActionTrigger {
    ActionTable* table = nullptr;
    int32_t action = 0;
};

struct Action {
    std::vector<AnimTrack> tracks;
    std::vector<ActionCommand> commands;
    std::vector<ActionTrigger> triggers;
};

struct ActionTable {
    int32_t current = -1;
    std::vector<Action> actions;
    Animator* animator = nullptr;  // the animator of the node that owns the table
};


// Duration exactly 0 makes the track endless; -1 runs it once.
void initTrack(AnimTrack& track, int32_t tag, bool running, double duration);
void setTrackFn(AnimTrack& track, TrackFn fn, void* arg);
void setTrackFn(AnimTrack& track, TrackFn fn, double a, double b, double c);
void setTrackFn(AnimTrack& track, TrackFn fn, int32_t i0, double a, double b, double c);
void setTrackFn(AnimTrack& track, TrackFn fn, int32_t i0, int32_t i1, double a, double b, double c);
void setTrackFn(AnimTrack& track, TrackFn fn, int32_t i0, int32_t i1, int32_t i2, double a, double b,
                double c);

int32_t newAction(ActionTable& table);
void addTrack(ActionTable& table, const AnimTrack& track);
void addCommand(ActionTable& table, int32_t tag, int32_t operation);
void addTrigger(ActionTable& table, ActionTable* other, int32_t action);
void play(ActionTable& table, int32_t action);

// The running track's time since it last took it (its t, which starts again
// at 0): what a per-frame handler advances by.
double takeTrackTime();

// ---- The clock's next call ---------------------------------------------------
// What the scene will do by the clock alone, gathered while it is traversed, so
// that the main loop may rest until input comes or the time is due. A track
// that runs for a set time (or once) needs the next frame; a track played
// during the pass too; an endless track needs nothing unless it asks
// (wakeByClock): endless tracks answer input, or change the picture while they
// move, which keeps the loop at full rate by itself.

// Before a traversal: nothing due yet.
void startClockWatch();
// Something driven by the clock needs a pass at time (frameTime's clock) or soon after.
void wakeByClock(uint32_t time);
// The earliest time asked for since startClockWatch; false when nothing asked.
bool clockDue(uint32_t& time);

// Steps 1-4 of the update: clock, reset of the animated transform, the track walk.
void updateAnimator(Animator& animator);
// Multiplies the modelview matrix by the animated transform (never its scale).
void applyAnimated(const Animator& animator);

// Stock track functions. i0 is the axis (0 X, 1 Y, 2 Z); other axes do nothing.
void oscillatePosition(void* arg);  // position[i0] += sin(c + b * t / 1000) * a
void rotateLinear(void* arg);       // rotation[i0] += b + a * t / 1000
void moveLinear(void* arg);         // position[i0] += a * t / 1000
