// Bursts of twenty stars thrown from a jar or from the washed brush.
#pragma once
#include "scene/paint_color.h"
#include "scene/scene_node.h"

enum StarBurstKind { jarBurst = 0, washBurst = 1 };

void starBurst(SceneNode* parent, PaintColor color, StarBurstKind kind);
