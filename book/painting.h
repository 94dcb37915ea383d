// The brush, the paint jars, the painting click and the painting history. Their
// state is in BookState.
#pragma once
#include <cstdint>

#include "scene/scene_node.h"

// Endless track of every region node; i0 is the element number.
void paintElementTrack(void* arg);
// Takes back the last painting step: the node and the stored record.
void undoLastStep();
// Empties the history and sets undoAvailable false.
void endHistory();

// One-shot builder of the brush (handle following the pointer, tip showing the paint).
void buildBrush(void* arg);
// Endless track of the brush handle: keeps it under the pointer.
void followPointerTrack(void* arg);
void brushTipTrack(void* arg);

// One-shot builder of a jar on its holder; a, b, c are the jar's paint amounts.
void buildJar(void* arg);
// Endless track of a jar body; arg is the lid node.
void jarTrack(void* arg);
void lidSwingTrack(void* arg);
