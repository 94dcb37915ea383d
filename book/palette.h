// The palette's four wells, where the child mixes paints, their drops, and the
// glass of water that washes the brush. The wells' contents live in BookState
// (kept in the settings file); their nodes are rebuilt from it.
#pragma once
#include "scene/paint_color.h"

struct PaletteWell {
    bool empty = true;
    PaintColor color;
};

// The weight with which the brush's paint enters a full well: 0.3 brush, 0.7 well.
constexpr double mixWeight = 0.6;

// One-shot builder run on the desk's palette host: the palette with four well
// placeholders (each replaces itself by its real well in the first pass) and the glass.
void buildPaletteAndGlass(void* arg);

// Endless track of each well node (and of its placeholder); i0 = well 0..3.
// Shows the well's colour and rebuilds the node when wellRebuild asks.
void wellTrack(void* arg);
// Endless track of each well node, i0 = well: hover growth and the click that
// fills, takes from or mixes into the well.
void wellClickTrack(void* arg);
// Endless track of each drop: i0 = 0 clear drop, 1 previous-colour drop; i1 =
// well; i2 = vanishing.
void dropTrack(void* arg);
// Endless track of the glass: washes a loaded brush; grows and tilts while hovered.
void glassTrack(void* arg);
