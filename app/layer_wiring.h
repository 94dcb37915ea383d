// The one place the program fills the tables through which the layers below
// it call up: scene/scene_hooks.h, engine/engine_hooks.h, book/book_hooks.h
// and screens/screen_hooks.h. The include graph points down only; these
// tables are where the calls go up.
#pragma once

// Fills every table; called by each start before anything is built. The
// shell hands its way out (save and quit), which the screens' buttons and the
// chooser's close button take.
void wireLayersBelow(void (*saveAndQuit)());
