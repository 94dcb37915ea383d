// The screens' process-wide state in one place with one reset: the layer they
// open under and what the machine's policy locks. What their buttons ask of
// the program is in screen_hooks.h. Which levels are open is the engine's
// (engine/modal.h), where every hover test reads it.
#pragma once
#include "engine/modal.h"
#include "scene/animation.h"
#include "scene/scene_node.h"

// What the machine's policy takes out of the child's hands: a locked switch
// shows its check box but does not react; a button that is off is not built.
struct ScreenLocks {
    bool soundFixed = false, musicFixed = false;
    bool noClearAll = false, noParentsLink = false;
    bool noExit = false;  // a kiosk: no close button, no exit question
};

struct ScreenState {
    // The desk's screen layer, rotated so that a screen's x is right, z up and
    // -y towards the eye. Owned by the root; null while there is no desk.
    SceneNode* layer = nullptr;
    ScreenLocks locks;
};

// The screens' state for this run (main thread only).
ScreenState& screenState();

// Back to the state of a fresh start (one process may start the program again).
void resetScreens();

// Opens a screen at level under the screen layer (openModalScreen): the level
// is modal from this call on; builder runs once, in the traversal that next
// reaches the holder, with the holder as currentNode. Returns the holder; null
// without a screen layer, while the level is already open, or when the screens'
// archives are damaged (screenArchivesUsable): nothing then opens.
SceneNode* openScreen(ModalLevel level, TrackFn builder);

// Calls an action of the screens' hooks (screen_hooks.h) when the program gave one.
void runScreenAction(void (*action)());
