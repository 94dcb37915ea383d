// Bursts of twenty stars thrown from a jar or from the washed brush. A burst is
// nothing but nodes and tracks under its parent: each star's carrier removes
// itself (with the star) when its lifetime is over; nothing is stored.
#pragma once
#include "scene/paint_color.h"
#include "scene/scene_node.h"

enum StarBurstKind { jarBurst = 0, washBurst = 1 };

// Hangs twenty stars in the colour under parent: the jar body, or the brush tip.
void starBurst(SceneNode* parent, PaintColor color, StarBurstKind kind);
// rand() % n: 0 <= result < n. The sequence is not part of any behaviour.
int randomBelow(int n);

// Star scale tracks, on the star node, by the track's age t:
// jar (t / -700 + 1.3) * 0.3, 0.39 down to 0.09 over 700 ms;
// wash (t / -350 + 1.3) * 0.18, 0.234 down to 0.018 over 420 ms.
void starScaleJar(void* arg);
void starScaleBrush(void* arg);
