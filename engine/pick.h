// Finding the node under the pointer, once per frame after the swap. Handlers
// compare their own node with the hovered one; they never receive clicks.
#pragma once
#include <vector>

#include "base/gl.h"
#include "engine/modal.h"
#include "scene/scene_node.h"

struct PickState {
    GLuint selectBuffer[255] = {};
    std::vector<SceneNode*> pickables;   // registered during this frame's traversal
    std::vector<SceneNode*> candidates;  // hit by the selection stage
    SceneNode* hovered = nullptr;        // compared with currentNode, never dereferenced
    // What the last pick was made from: its pointer position and pickables.
    bool lastPickValid = false;
    uint16_t lastX = 0, lastY = 0;
    std::vector<SceneNode*> lastPickables;
};

// Written only by this unit (main thread only).
PickState& pickState();

// Nothing registered, hovered or picked: a fresh start. The pick's buffers keep
// their memory.
void resetPick();
void registerPickable();
// Another way in acts on node as a click on it would: node is hovered for this
// pass's handlers and the pointer pressed (pressPointer), moved to (x, y) first
// when moveTo. The next pick pass finds what lies under the pointer again.
void pressNode(SceneNode* node, bool moveTo, int32_t x, int32_t y);
// The stock callback that makes a node clickable: registers it before its own meshes.
void pickableCallback(CallbackPhase phase, void* arg);
bool isHovered();
// Hovered, and no level above level is open (engine/modal.h): the hover test of
// a node that lies on that level.
bool isHoveredOn(ModalLevel level);
// The one press test of every button: a click on the node while it is hovered
// on level, or key (0: none) while level is the topmost open one. A key that
// fires is taken (consumeKey), so no later handler sees it.
bool clickedOn(ModalLevel level);
bool clickedOrKeyOn(ModalLevel level, int key);
void runPickPass();
// runPickPass, unless its answer cannot have changed: the frame drew nothing new,
// the pointer has not moved and the same nodes registered. Then the hovered node
// stays and only this frame's registrations are dropped.
void runPickPassIfChanged(bool frameChanged);
