// What a child can act on now, for the ways in that do not steer a pointer
// (keys, switches): one list built after each frame's pick from the nodes that
// registered for picking, arranged in groups. While a screen is open only the
// controls under the topmost open level's holder are in it, as one group in
// reading order with the screen's corner close button last;
// otherwise the program's sources decide the groups (the layer that builds the
// desk wires them). Only nodes that carry a handler (a track) are targets: the
// bare desk, a page's paper and the palette's board are not.
#pragma once
#include <cstdint>
#include <vector>

#include "engine/modal.h"
#include "engine/target_spots.h"
#include "scene/scene_node.h"

// One subtree of the desk whose targets form a group.
struct TargetSource {
    SceneNode* root = nullptr;
    int32_t group = 0;          // groups come in ascending order of this number
    bool readingOrder = false;  // ordered top to bottom, left to right; else by place in the tree
};

struct TargetWiring {
    // A node inside more than one source takes the group of the last.
    std::vector<TargetSource> desk;
    // A desk node's fixed place in its group, for things rebuilt as they change
    // (a well that fills is a new node): lower first; -1, or no function, for
    // its place in the tree, after every node with a fixed place.
    int32_t (*placeInGroup)(const SceneNode* node) = nullptr;
};

struct Target {
    SceneNode* node = nullptr;  // compared, and dereferenced only while it is registered
    int32_t group = 0;          // the source's group number
    TargetSpot spot;
};

struct TargetList {
    std::vector<Target> targets;       // group after group
    std::vector<int32_t> groupStarts;  // first index of each group, then targets.size()
    ModalLevel level = ModalLevel::desk;
    uint64_t generation = 0;  // changes whenever the members or their order change
    std::vector<SceneNode*> registered;  // the registrations it was built from
};

extern TargetWiring targetWiring;
extern TargetList targetList;

int32_t groupCount(const TargetList& list);
int32_t groupSize(const TargetList& list, int32_t group);
// Null outside the list.
const Target* targetAt(const TargetList& list, int32_t group, int32_t item);
// The index of node in list.targets, -1 when it is not a target.
int32_t targetIndexOf(const TargetList& list, const SceneNode* node);
// The group (index into groupStarts) and item of a target index.
void groupAndItemOf(const TargetList& list, int32_t index, int32_t& group, int32_t& item);

// After the pick pass, with the frame's registrations (the pick's
// lastPickables) and the window's size: rebuilds the list when the
// registrations or the open level changed, and then finds where every target
// shows. refreshSpots finds the spots again for an unchanged list (things
// swell and move), keeping its order. Returns true when the list was rebuilt.
bool updateTargets(const std::vector<SceneNode*>& registered, int32_t width, int32_t height, bool refreshSpots);

// Orders targets top to bottom by their spots, rows rowHeight pixels tall,
// and left to right within a row.
void orderByReading(std::vector<Target>& targets, int32_t rowHeight);

// Forgets the list (a fresh start).
void resetTargets();
