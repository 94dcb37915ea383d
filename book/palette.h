// The palette's four wells, where the child mixes paints.
#pragma once
#include "scene/paint_color.h"

struct PaletteWell {
    bool empty = true;
    PaintColor color;
};
