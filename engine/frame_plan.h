// What a pass draws, decided before anything is drawn: a pure function of the
// frame shown, the frame now and what the presenter keeps (its picture, the
// samples copied rather than drawn, the turns drawn ahead). The presenter
// carries the plan out; nothing here calls OpenGL or changes what it is given.
#pragma once
#include <cstdint>

#include "engine/box_drawing.h"
#include "engine/frames_ahead.h"
#include "scene/frame_damage.h"
#include "scene/frame_record.h"

enum class FrameWork : uint8_t {
    Rest,       // nothing changed: nothing drawn for the window, nothing swapped
    Inserted,   // a run of added items over the picture kept, then its repairs
    FromAhead,  // a turn drawn ahead copied, then its repairs and the damage outside its box
    Whole,      // everything, cleared first
    Boxes,      // the damage's rectangles only
};

// What the presenter keeps between passes, as far as the plan depends on it.
struct KeptPictures {
    bool kept = false;        // frames are kept in an off-screen picture (else drawn into the window)
    bool holdsFrame = false;  // that picture shows the frame before
    ScreenRect flat;          // samples copied there rather than drawn: drawn for real before anything reads them
    const FramesAhead* ahead = nullptr;  // the turns drawn ahead (none when null)
    DrawingState state;       // what frames are drawn under now
};

struct FramePlan {
    FrameWork work = FrameWork::Rest;
    // Where the window's picture changes (an inserted run: its repairs and the
    // run's items); empty at rest.
    Damage damage;
    Insertion run;       // Inserted: the items added
    Damage repairs;      // Inserted: the boxes drawn again over the run
    AheadMatch ahead;    // FromAhead: the turn and its repairs
    // Rest: flat samples to draw back unseen (none: a turn may be drawn ahead).
    // Otherwise already part of damage.
    ScreenRect flat;
};

FramePlan planFrame(const FrameRecord& before, const FrameRecord& now, const KeptPictures& kept);
