// Where the scene's walk stands and its clock: read by every track and
// callback the walk runs. Main thread only. Reset by resetSceneState
// (scene/render.h), which keeps the clock.
#pragma once
#include <cstdint>

struct SceneNode;
struct AnimTrack;

struct SceneState {
    // The node whose render is under way; set on entry to every node's render
    // and not restored when a child's render returns.
    SceneNode* currentNode = nullptr;
    // The track whose function runs now: a track function reads its record here
    // and its node through currentNode.
    AnimTrack* currentTrack = nullptr;
    // Milliseconds from SDL_GetTicks, sampled once at the top of every frame.
    uint32_t frameTime = 0;
};

SceneState& sceneState();
