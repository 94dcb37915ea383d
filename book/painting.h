// The brush, the paint jars, the painting click and the painting history. Their
// state is in BookState.
#pragma once
#include <cstdint>

#include "scene/scene_node.h"

// A region of the shown page: its element number in the page store.
struct PageRegion {
    int32_t element = 0;
};
// Endless track of every region node; arg is its PageRegion.
void paintElementTrack(void* region);
// Takes back the last painting step: the node and the stored record.
void undoLastStep();
// Empties the history and sets undoAvailable false.
void endHistory();

// One-shot builder of the brush (handle following the pointer, tip showing the paint).
void buildBrush(void* arg);
// Endless track of the brush handle: keeps it under the pointer.
void followPointerTrack(void* arg);
// The brush tip's memory: the brush was loaded, so washing it throws one burst.
struct BrushTip {
    bool wasLoaded = false;
};
// Endless track of the brush tip; arg is its BrushTip.
void brushTipTrack(void* tip);

// The paint a jar holds, in red, yellow and blue parts.
struct JarPaint {
    double red = 0, yellow = 0, blue = 0;
};
// One-shot builder of a jar on its holder; arg is the jar's JarPaint.
void buildJar(void* paint);
// A jar's body handler: the lid it swings and swells with.
struct Jar {
    SceneNode* lid = nullptr;  // a child of the body
};
// Endless track of a jar body; arg is its Jar. Swells and tilts while hovered;
// a click dips the brush.
void jarTrack(void* jar);
void lidSwingTrack(void* arg);
