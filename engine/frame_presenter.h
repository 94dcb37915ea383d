// Showing frames: each frame is recorded, compared with the one before, and only
// the rectangles that changed are drawn again, into a multisampled picture kept
// off-screen between frames, which is then copied to the window and swapped in.
// Where the display cannot keep such a picture (no framebuffer objects, or no
// multisampled ones), every frame is drawn whole into the window instead.
//
// Ownership: the presenter owns its off-screen pictures; closePresenter frees
// them and must run while the window's context still exists (shutdown calls it
// before destroyCamera). Pictures of a context that went without it are
// forgotten at the next frame (glContextSerial).
#pragma once
#include <cstdint>
#include <chrono>
#include <string>
#include <vector>

#include "engine/box_drawing.h"
#include "engine/frames_ahead.h"
#include "engine/offscreen.h"
#include "scene/frame_damage.h"
#include "scene/frame_record.h"
#include "scene/scene_node.h"

struct PresenterCounts {
    int64_t frames = 0;
    int64_t wholeFrames = 0;    // drawn whole: first frame, new size, no off-screen picture
    int64_t partialFrames = 0;  // drawn inside the damage only
    int64_t insertedFrames = 0;  // only a run of added items drawn over the picture kept
    int64_t framesFromAhead = 0;  // copied from a frame drawn ahead (engine/frames_ahead.h), its repairs drawn
    int64_t framesDrawnAhead = 0;  // frames drawn ahead while at rest (none of the counts above or below)
    int64_t unchangedFrames = 0;  // nothing drawn, nothing swapped
    int64_t windowShownAgain = 0;  // unchanged, but the picture kept shown again in an uncovered window
    int64_t itemsRecorded = 0;
    int64_t itemsDrawn = 0;
    int64_t itemsHidden = 0;  // left out of a box behind an opaque sheet covering it
    int64_t pixelsDrawn = 0;  // damaged area, summed over frames
    double recordMs = 0;      // the traversal with its tracks, recording, summed
    double damageMs = 0;      // comparing with the frame before, summed
    // The comparison with whole frames (see checkAgainstWholeFrames).
    int64_t framesCompared = 0;
    int64_t framesDiffering = 0;
    std::string firstDifference;  // frame number and first differing pixel
};

struct FramePresenter {
    OffscreenTarget picture;  // the frame kept between frames
    OffscreenTarget whole;    // the comparison's whole frames
    FrameRecord records[2];
    int32_t current = 0;       // records[current] is the frame being drawn
    bool pictureHoldsFrame = false;  // picture shows records[1 - current]
    bool noPicture = false;  // the display cannot keep one: whole frames into the window
    // The window lost what it showed (uncovered, restored): the next frame
    // shows the picture kept even when nothing in it changed.
    bool windowStale = false;
    // Test mode: every frame is also drawn whole into a second picture and the
    // two compared pixel for pixel (QUILLMEAD_CHECK_FRAMES=1 turns it on).
    bool checkAgainstWholeFrames = false;
    BoxDrawing boxes;  // boxes drawn again: their stencil marks, what they leave out
    Damage lastDamage;  // where the last frame drew (an inserted run: the run's boxes)
    // The frames a swap of nodes (a page turn) would show, drawn while at
    // rest, for the swaps engineHooks().comingFrames names.
    FramesAhead ahead;
    PresenterCounts counts;
    // The context the pictures were made in (glContextSerial): pictures of a
    // context that has gone are forgotten, never deleted, as meshes' are.
    uint32_t context = 0;
};

extern FramePresenter presenter;

// The switches of the environment that shape drawing, read once at start-up:
// QUILLMEAD_CHECK_FRAMES=1, QUILLMEAD_DRAW_HIDDEN=1, QUILLMEAD_NO_FRAMES_AHEAD=1
// (see the README's "How frames are drawn"). Zero is the program's own way.
struct PresenterOptions {
    bool checkAgainstWholeFrames = false;  // every frame also drawn whole and compared
    bool drawHidden = false;     // boxes drawn again leave nothing out behind a sheet
    bool noFramesAhead = false;  // page turns drawn as they come
};
PresenterOptions presenterOptionsFromEnvironment();
void setPresenterOptions(const PresenterOptions& options);

// Records the frame of the tree under root, draws what changed and shows it.
// false when nothing changed: nothing was drawn and nothing swapped.
bool presentFrame(SceneNode* root);
// The tree's frame drawn whole as the window would show it (through the
// multisampled picture where there is one), left in the window's back buffer
// unswapped and read back: RGB rows from the top down. The next presented
// frame is drawn whole.
std::vector<uint8_t> drawWholeFrameRgb(SceneNode* root);
// The next frame is drawn whole (the picture may no longer match the window).
void redrawWholeNextFrame();
// The window was uncovered or restored and may show nothing: the next frame is
// shown whole, by copying the picture kept (no drawing) when nothing changed.
void showWindowAgainNextFrame();
// Frees the off-screen pictures and the frames drawn ahead; the next frame
// starts again from a whole one.
void closePresenter();
// Lets the frames drawn ahead go (the machine is short of memory): they hold
// the pictures of what would come. They are drawn again at a later rest.
void letFramesAheadGo();
