#include "scene/animation.h"

#include <cmath>

#include "base/gl.h"

SceneState& sceneState() {
    static SceneState walk;
    return walk;
}

// ---- The clock's next call -------------------------------------------------

namespace {
bool clockAsked = false;
uint32_t clockAskedFor = 0;
}  // namespace

void startClockWatch() { clockAsked = false; }

void wakeByClock(uint32_t time) {
    // Compared as a distance from the frame's time, so the tick counter
    // wrapping round orders them still.
    if (!clockAsked || int32_t(time - sceneState().frameTime) < int32_t(clockAskedFor - sceneState().frameTime)) clockAskedFor = time;
    clockAsked = true;
}

bool clockDue(uint32_t& time) {
    if (clockAsked) time = clockAskedFor;
    return clockAsked;
}

// ---- Tracks ----------------------------------------------------------------

void initTrack(AnimTrack& track, int32_t tag, bool running, double duration) {
    track.tag = tag;
    track.running = running;
    track.endless = (duration == 0.0);
    track.duration = duration;
    track.finished = false;
    track.t = 0.0;
    track.age = 0.0;
}

void setTrackFn(AnimTrack& track, TrackFn fn, void* arg) {
    track.fn = fn;
    track.arg = arg;
}

void setTrackFn(AnimTrack& track, TrackFn fn, double a, double b, double c) {
    setTrackFn(track, fn, nullptr);
    track.a = a;
    track.b = b;
    track.c = c;
}

void setTrackFn(AnimTrack& track, TrackFn fn, int32_t i0, double a, double b, double c) {
    setTrackFn(track, fn, a, b, c);
    track.i0 = i0;
}

void setTrackFn(AnimTrack& track, TrackFn fn, int32_t i0, int32_t i1, double a, double b, double c) {
    setTrackFn(track, fn, a, b, c);
    track.i0 = i0;
    track.i1 = i1;
}

void setTrackFn(AnimTrack& track, TrackFn fn, int32_t i0, int32_t i1, int32_t i2, double a, double b,
                double c) {
    setTrackFn(track, fn, a, b, c);
    track.i0 = i0;
    track.i1 = i1;
    track.i2 = i2;
}

// ---- Actions ---------------------------------------------------------------

namespace {

// The action being filled, or null before the table's first newAction: adding to
// a table that has none is ignored rather than writing outside the list.
Action* currentAction(ActionTable& table) {
    if (table.current < 0 || table.current >= static_cast<int32_t>(table.actions.size())) return nullptr;
    return &table.actions[table.current];
}

// The plays under way, innermost last. Triggers may form a cycle (two actions
// that trigger each other); an action already being played further out is not
// played again, so a cycle plays each of its actions once instead of recursing
// until the stack runs out. A stack that exists only while play runs (main
// thread only), empty between calls.
struct PlayInProgress {
    const ActionTable* table;
    int32_t action;
};
std::vector<PlayInProgress> playsInProgress;

}  // namespace

int32_t newAction(ActionTable& table) {
    table.actions.emplace_back();
    table.current = static_cast<int32_t>(table.actions.size()) - 1;
    return table.current;
}

void addTrack(ActionTable& table, const AnimTrack& track) {
    if (Action* action = currentAction(table)) action->tracks.push_back(track);
}

void addCommand(ActionTable& table, int32_t tag, int32_t operation) {
    if (Action* action = currentAction(table)) action->commands.push_back({tag, operation});
}

void addTrigger(ActionTable& table, ActionTable* other, int32_t action) {
    if (Action* a = currentAction(table)) a->triggers.push_back({other, action});
}

void play(ActionTable& table, int32_t action) {
    // An id this table never handed out plays nothing.
    if (action < 0 || action >= static_cast<int32_t>(table.actions.size())) return;
    for (const PlayInProgress& p : playsInProgress)
        if (p.table == &table && p.action == action) return;
    playsInProgress.push_back({&table, action});

    Animator* animator = table.animator;
    const Action& act = table.actions[action];
    // New tracks, or tracks started and stopped: the next frame shows it.
    if (animator && (!act.tracks.empty() || !act.commands.empty())) wakeByClock(sceneState().frameTime);
    if (animator) {
        for (const AnimTrack& templ : act.tracks) {
            animator->tracks.push_back(templ);
            animator->tracks.back().target = &animator->animated;
        }
        for (const ActionCommand& cmd : act.commands) {
            for (AnimTrack& track : animator->tracks) {
                if (track.tag != cmd.tag) continue;
                if (cmd.operation == 0)
                    track.running = false;
                else if (cmd.operation == 1)
                    track.running = true;
                else if (cmd.operation == 2)
                    track.finished = true;
            }
        }
    }
    // By index: a triggered play never adds actions, but it may be this same table.
    for (size_t i = 0; i < act.triggers.size(); ++i) {
        const ActionTrigger trigger = act.triggers[i];
        if (trigger.table) play(*trigger.table, trigger.action);
    }
    playsInProgress.pop_back();
}

// ---- Animator --------------------------------------------------------------

namespace {

void advanceTrack(AnimTrack& track, double dt) {
    if (!track.running) return;
    track.age += dt;
    if (!track.endless && track.age >= track.duration) track.finished = true;
    // Running for a set time (or once), it changes by the clock until it ends.
    if (!track.endless) wakeByClock(sceneState().frameTime);
    track.t += dt;
    sceneState().currentTrack = &track;
    if (track.fn) track.fn(track.arg);
}

}  // namespace

void updateAnimator(Animator& animator) {
    animator.previous = animator.now;
    animator.now = sceneState().frameTime;
    resetTransform(animator.animated);

    // Unsigned subtraction, so the tick counter wrapping round still gives the
    // true elapsed time.
    const uint32_t elapsed = animator.now - animator.previous;
    double dt = std::round(static_cast<double>(elapsed) * animator.timeScale);
    if (!(dt > 0.0)) dt = 0.0;  // time never runs backwards, whatever the scale

    // By index, re-reading the size: a track function may append tracks to this
    // animator, and those run in this same walk. Appending to the deque does not
    // move the record whose function is running; erasing happens only here,
    // between calls.
    for (size_t i = 0; i < animator.tracks.size();) {
        if (animator.tracks[i].finished) {
            animator.tracks.erase(animator.tracks.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        advanceTrack(animator.tracks[i], dt);
        ++i;
    }
}

void applyAnimated(const Animator& animator) { applyTransform(animator.animated); }

// ---- Stock track functions -------------------------------------------------

namespace {

double* axisOf(Vec3& v, int32_t axis) {
    switch (axis) {
        case 0: return &v.x;
        case 1: return &v.y;
        case 2: return &v.z;
        default: return nullptr;
    }
}

}  // namespace

void oscillatePosition(void*) {
    AnimTrack* tr = sceneState().currentTrack;
    if (!tr || !tr->target) return;
    if (double* p = axisOf(tr->target->position, tr->i0)) *p += std::sin(tr->c + tr->b * tr->t / 1000.0) * tr->a;
}

void rotateLinear(void*) {
    AnimTrack* tr = sceneState().currentTrack;
    if (!tr || !tr->target) return;
    if (double* r = axisOf(tr->target->rotation, tr->i0)) *r += tr->b + tr->a * tr->t / 1000.0;
}

void moveLinear(void*) {
    AnimTrack* tr = sceneState().currentTrack;
    if (!tr || !tr->target) return;
    if (double* p = axisOf(tr->target->position, tr->i0)) *p += tr->a * tr->t / 1000.0;
}

double takeTrackTime() {
    double elapsed = sceneState().currentTrack->t;
    sceneState().currentTrack->t = 0;
    return elapsed;
}
