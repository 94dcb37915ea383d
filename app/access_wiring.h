// The desk's part in the access methods: which of its subtrees form the target
// groups (paints, palette, page, page buttons, corner buttons, in that order),
// the settings a start runs with, and the overlay that shows the focus.
#pragma once
#include "app/desk.h"
#include "engine/access.h"
#include "scene/scene_node.h"

struct Options;

// The target groups of the desk, numbered in the order scanning visits them.
enum AccessGroup : int32_t { paintsGroup = 0, paletteGroup, pageGroup, pageButtonsGroup, cornerGroup };

// What the user's configuration file says (app/access_config.h); the program's
// start reads it once, a test leaves the defaults.
AccessSettings& userAccessSettings();

// After buildDesk: the groups wired from the desk's parts (none when they are
// null), the settings of this start (the file's, the command line over them)
// and the overlay hung under root. Reduced motion turns the hover swell, star
// bursts and every grow-in and shrink-away off.
void startAccess(SceneNode* root, const DeskParts& desk, const Options& options);
