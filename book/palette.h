// The palette's four wells, where the child mixes paints, their drops, and the
// glass of water that washes the brush. The wells' contents live in BookState
// (kept in the settings file); their nodes are rebuilt from it.
#pragma once
#include <cstdint>

#include "book/book_state.h"
#include "scene/paint_color.h"

// The weight with which the brush's paint enters a full well: 0.3 brush, 0.7 well.
constexpr double mixWeight = 0.6;

// One-shot builder run on the desk's palette host: the palette with four well
// placeholders (each replaces itself by its real well in the first pass) and the glass.
void buildPaletteAndGlass(void* arg);

// The handlers of a well's node: which well it shows.
struct WellNode {
    int32_t well = 0;  // 0..3
};
// Endless track of each well node (and of its placeholder); arg is its WellNode.
// Shows the well's colour and rebuilds the node when wellRebuild asks.
void wellTrack(void* wellNode);
// Endless track of each well node, arg its WellNode: the hover swell and the
// click that fills, takes from or mixes into the well.
void wellClickTrack(void* wellNode);

// A drop beside a well: the clear drop empties it, the previous-colour drop
// brings back its colour before the last mix. Once clicked (or its well
// cleared) it vanishes: it shrinks away and is removed.
enum class DropKind : int32_t { clear = 0, previousColor = 1 };
struct Drop {
    DropKind kind = DropKind::clear;
    int32_t well = 0;
    bool vanishing = false;
};
// Endless track of each drop; arg is its Drop.
void dropTrack(void* drop);
// Endless track of the glass: washes a loaded brush; grows and tilts while hovered.
void glassTrack(void* arg);
