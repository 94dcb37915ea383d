#include "app/layer_wiring.h"

#include "app/desk_check.h"
#include "app/profiles.h"
#include "app/settings_saver.h"
#include "book/book_hooks.h"
#include "book/page_turn.h"
#include "engine/engine_hooks.h"
#include "scene/scene_hooks.h"
#include "screens/screen_hooks.h"
#include "screens/screens.h"

void wireLayersBelow(void (*saveAndQuit)()) {
    // A broken picture of the desk stops the program; the desk's pictures come
    // from the thread that decoded them ahead while it runs.
    sceneHooks() = SceneHooks{deskPictureUnusable, deskPictureAhead};
    // The turns drawn ahead are the book's page turns.
    engineHooks().comingFrames = FramesAheadSource{shownPageNode, buildPageATurnBrings};
    bookHooks() = BookHooks{openClearPageScreen};
    screenHooks() = ScreenHooks{saveAndQuit, confirmClearPage, confirmClearAll, chooseBook, paintingsWillBeKept};
}
