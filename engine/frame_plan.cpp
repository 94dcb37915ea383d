#include "engine/frame_plan.h"

namespace {

int64_t viewArea(const FrameRecord& now) { return area(wholeView(now)); }

// A run of items added to a frame otherwise much the same (a screen opening
// over the desk) is drawn over the picture kept, however much of the window
// it covers; only where that picture is not yet right is the frame drawn
// again inside boxes. Where much must be drawn again anyway, the usual way is
// as cheap. Over flat samples the run lands on no frame drawn: drawn again
// there with everything.
bool planInsertion(const FrameRecord& before, const FrameRecord& now, const ScreenRect& flat, FramePlan& plan) {
    Insertion run = findInsertion(before, now);
    if (run.count == 0) return false;
    Damage repairs = insertionRepairs(before, now, run);
    if (damagedArea(repairs) * 2 > viewArea(now)) return false;
    addDamage(repairs, flat);
    plan.work = FrameWork::Inserted;
    plan.run = run;
    plan.repairs = repairs;
    plan.damage = std::move(repairs);
    for (size_t i = run.first; i < run.first + run.count; ++i) addDamage(plan.damage, now.items[i].rect);
    return true;
}

}  // namespace

FramePlan planFrame(const FrameRecord& before, const FrameRecord& now, const KeptPictures& kept) {
    FramePlan plan;
    const ScreenRect view = wholeView(now);
    if (!kept.holdsFrame) {
        plan.work = FrameWork::Whole;
        plan.damage = Damage{{view}};
        return plan;
    }
    // Samples not drawn for real are drawn before anything reads them: with
    // the frame's damage, or alone (unseen) when nothing else changed.
    const ScreenRect flat = kept.flat;
    if (planInsertion(before, now, flat, plan)) return plan;
    plan.damage = frameDamage(before, now);
    if (plan.damage.rects.empty()) {
        plan.flat = flat;
        return plan;
    }
    addDamage(plan.damage, flat);
    // A turn drawn ahead while at rest is copied.
    if (kept.kept && kept.ahead) plan.ahead = findFrameAhead(*kept.ahead, now, plan.damage, kept.state);
    if (plan.ahead.which >= 0) {
        plan.work = FrameWork::FromAhead;
        return plan;
    }
    // Most of the window changed (a page turn, a screen filling it): drawn
    // whole, which spares the scissor boxes and the stencil test their cost.
    if (damagedArea(plan.damage) * 2 > viewArea(now)) {
        plan.work = FrameWork::Whole;
        plan.damage = Damage{{view}};
        return plan;
    }
    plan.work = FrameWork::Boxes;
    return plan;
}
