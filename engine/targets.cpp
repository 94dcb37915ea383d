#include "engine/targets.h"

#include <algorithm>
#include <unordered_map>

TargetWiring targetWiring;
TargetList targetList;

namespace {

// Pixels a spot-finding picture is smaller than the window by, on each side.
const int32_t kSpotReduction = 2;
// Reading rows: spots closer than this share of the window's height are on one row.
const int32_t kRowsPerWindow = 20;

struct Membership {
    int32_t group = 0;
    bool readingOrder = false;
    int32_t treeOrder = 0;  // the node's place in a walk of its source, parents first
};

void walkSource(const SceneNode* node, const TargetSource& source,
                std::unordered_map<const SceneNode*, Membership>& members) {
    if (!node || node->removing) return;
    members[node] = Membership{source.group, source.readingOrder, int32_t(members.size())};
    for (const SceneNode* child : node->children) walkSource(child, source, members);
}

bool carriesHandler(const SceneNode* node) { return node->hasModel && !node->animator.tracks.empty(); }

void findSpots(TargetList& list, int32_t width, int32_t height) {
    // A node registered twice (a frame drawn again without a pick between) is drawn once.
    std::vector<SceneNode*> drawn;
    for (SceneNode* node : list.registered)
        if (std::find(drawn.begin(), drawn.end(), node) == drawn.end()) drawn.push_back(node);
    std::vector<TargetSpot> spots;
    findTargetSpots(drawn, width, height, kSpotReduction, spots);
    for (Target& target : list.targets) {
        auto at = std::find(drawn.begin(), drawn.end(), target.node);
        target.spot = at == drawn.end() ? TargetSpot() : spots[size_t(at - drawn.begin())];
    }
}

void rebuild(TargetList& list, const std::vector<SceneNode*>& registered, int32_t width, int32_t height) {
    list.registered = registered;
    list.level = topmostOpenLevel();
    std::vector<TargetSource> sources;
    if (list.level == ModalLevel::desk)
        sources = targetWiring.desk;
    else
        sources.push_back(TargetSource{modalHolder(list.level), 0, true});
    std::unordered_map<const SceneNode*, Membership> members;
    for (const TargetSource& source : sources) walkSource(source.root, source, members);

    list.targets.clear();
    std::vector<bool> readingOrder;
    for (SceneNode* node : registered) {
        auto found = members.find(node);
        if (found == members.end() || !carriesHandler(node)) continue;
        if (std::any_of(list.targets.begin(), list.targets.end(), [&](const Target& t) { return t.node == node; }))
            continue;
        Target target;
        target.node = node;
        target.group = found->second.group;
        list.targets.push_back(target);
    }
    findSpots(list, width, height);
    // What does not show cannot be acted on.
    list.targets.erase(std::remove_if(list.targets.begin(), list.targets.end(),
                                      [](const Target& t) { return !t.spot.shown; }),
                       list.targets.end());
    // Group by group, each by its fixed place or its place in the tree rather
    // than by the order it was drawn in, which changes as things fill and empty
    // (a painted well draws after the empty ones).
    const bool desk = list.level == ModalLevel::desk;
    auto place = [&](const Target& t) {
        int32_t fixed = desk && targetWiring.placeInGroup ? targetWiring.placeInGroup(t.node) : -1;
        return fixed >= 0 ? int64_t(fixed) : (int64_t(1) << 32) + members[t.node].treeOrder;
    };
    std::stable_sort(list.targets.begin(), list.targets.end(), [&](const Target& a, const Target& b) {
        if (a.group != b.group) return a.group < b.group;
        return place(a) < place(b);
    });

    list.groupStarts.clear();
    for (size_t i = 0; i < list.targets.size(); ++i)
        if (i == 0 || list.targets[i].group != list.targets[i - 1].group) list.groupStarts.push_back(int32_t(i));
    list.groupStarts.push_back(int32_t(list.targets.size()));
    // Each group in its own order.
    for (size_t g = 0; g + 1 < list.groupStarts.size(); ++g) {
        auto first = list.targets.begin() + list.groupStarts[g], last = list.targets.begin() + list.groupStarts[g + 1];
        // A target moved to another group keeps its source's order.
        if (!members[first->node].readingOrder) continue;
        std::vector<Target> group(first, last);
        orderByReading(group, std::max(1, height / kRowsPerWindow));
        std::copy(group.begin(), group.end(), first);
    }
    // A screen's corner close button comes after its other controls.
    if (SceneNode* close = modalCloseControl(list.level))
        std::stable_partition(list.targets.begin(), list.targets.end(),
                              [close](const Target& t) { return t.node != close; });
    ++list.generation;
}

}  // namespace

int32_t groupCount(const TargetList& list) {
    return list.groupStarts.empty() ? 0 : int32_t(list.groupStarts.size()) - 1;
}

int32_t groupSize(const TargetList& list, int32_t group) {
    if (group < 0 || group >= groupCount(list)) return 0;
    return list.groupStarts[size_t(group) + 1] - list.groupStarts[size_t(group)];
}

const Target* targetAt(const TargetList& list, int32_t group, int32_t item) {
    if (item < 0 || item >= groupSize(list, group)) return nullptr;
    return &list.targets[size_t(list.groupStarts[size_t(group)] + item)];
}

int32_t targetIndexOf(const TargetList& list, const SceneNode* node) {
    if (!node) return -1;
    for (size_t i = 0; i < list.targets.size(); ++i)
        if (list.targets[i].node == node) return int32_t(i);
    return -1;
}

void groupAndItemOf(const TargetList& list, int32_t index, int32_t& group, int32_t& item) {
    group = 0;
    item = 0;
    for (int32_t g = 0; g < groupCount(list); ++g)
        if (index >= list.groupStarts[size_t(g)] && index < list.groupStarts[size_t(g) + 1]) {
            group = g;
            item = index - list.groupStarts[size_t(g)];
            return;
        }
}

bool updateTargets(const std::vector<SceneNode*>& registered, int32_t width, int32_t height, bool refreshSpots) {
    TargetList& list = targetList;
    if (registered != list.registered || topmostOpenLevel() != list.level || list.groupStarts.empty()) {
        rebuild(list, registered, width, height);
        return true;
    }
    if (refreshSpots) findSpots(list, width, height);
    return false;
}

void orderByReading(std::vector<Target>& targets, int32_t rowHeight) {
    std::stable_sort(targets.begin(), targets.end(),
                     [](const Target& a, const Target& b) { return a.spot.y < b.spot.y; });
    size_t rowStart = 0;
    for (size_t i = 1; i <= targets.size(); ++i) {
        if (i < targets.size() && targets[i].spot.y - targets[rowStart].spot.y < rowHeight) continue;
        std::stable_sort(targets.begin() + long(rowStart), targets.begin() + long(i),
                         [](const Target& a, const Target& b) { return a.spot.x < b.spot.x; });
        rowStart = i;
    }
}

void resetTargets() { targetList = TargetList(); }
