// The brush, the paint jars, the painting click and the painting history.
#pragma once
#include <cstdint>
#include <vector>

#include "app/settings.h"
#include "scene/paint_color.h"
#include "scene/scene_node.h"

extern PaintColor brushColor;
extern bool brushClean;        // a clean brush carries no paint; brushColor is then unused
extern PaintColor washedColor; // what the brush carried when it was last washed
extern bool undoAvailable;
// The history: one step per fill, oldest first. The nodes are not owned; they
// belong to the shown page and the history is emptied before the page goes.
extern std::vector<SceneNode*> undoNodes;
extern std::vector<ElementColorRecord> undoRecords;
extern bool backButtonShown;

// Endless track of every region node; i0 is the element number.
void paintElementTrack(void* arg);
// Takes back the last painting step: the node and the stored record.
void undoLastStep();
// Empties the history and sets undoAvailable false.
void endHistory();

// One-shot builder of the brush (handle following the pointer, tip showing the paint).
void buildBrush(void* arg);
void brushTipTrack(void* arg);

// One-shot builder of a jar on its holder; a, b, c are the jar's paint amounts.
void buildJar(void* arg);
// Endless track of a jar body; arg is the lid node.
void jarTrack(void* arg);
void lidSwingTrack(void* arg);

// Back to the state of a fresh start (one process may start the program again in tests).
void resetPainting();
