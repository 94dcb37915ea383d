#include "scene/render.h"

#include <algorithm>
#include <vector>

#include "scene/frame_record.h"
#include "scene/mesh.h"
#include "scene/walk_matrix.h"

namespace {

// The callbacks still walks run (keepInStillWalks), and the node a still walk
// replaces with another (recordStillFrameWith).
std::vector<NodeCallback> stateCallbacks;
const SceneNode* stillShown = nullptr;
SceneNode* stillInstead = nullptr;

// By index, re-reading the size: a callback may register further callbacks on
// its own node, which reallocates the list.
void callPhase(SceneNode* node, CallbackPhase phase) {
    for (size_t i = 0; i < node->callbacks.size(); ++i) {
        const NodeCallbackEntry entry = node->callbacks[i];
        if (entry.fn) entry.fn(phase, entry.arg);
    }
}

// In a still walk: only the callbacks that set drawing state.
void callStatePhase(SceneNode* node, CallbackPhase phase) {
    for (const NodeCallbackEntry& entry : node->callbacks)
        if (entry.fn && std::find(stateCallbacks.begin(), stateCallbacks.end(), entry.fn) != stateCallbacks.end())
            entry.fn(phase, entry.arg);
}

void callPhaseOf(bool behaviour, SceneNode* node, CallbackPhase phase) {
    if (behaviour)
        callPhase(node, phase);
    else if (!stateCallbacks.empty())
        callStatePhase(node, phase);
}

void drawOwnMeshes(SceneNode* node) {
    const Transform& t = node->transform;
    // The scale belongs to the node's own meshes only; its children are placed
    // without it.
    const bool scaled = t.scaled;
    if (scaled) {
        pushWalkMatrix();
        scaleWalk(t.scale.x, t.scale.y, t.scale.z);
    }
    if (recordingFrame())
        for (Mesh* mesh : node->meshes)
            if (mesh) recordMesh(mesh);
    if (scaled) popWalkMatrix();
}

// Deletes the children that finished dismantling in an earlier frame, keeping
// the order of the others. A dead child that has been given new children since
// it died (a handler elsewhere adding to it late in that frame) is kept: it is
// still removing, so its next renders dismantle the newcomers and it dies again
// with nothing left to lose.
void sweepDeadChildren(SceneNode* node) {
    std::vector<SceneNode*>& kids = node->children;
    size_t kept = 0;
    for (size_t i = 0; i < kids.size(); ++i) {
        SceneNode* child = kids[i];
        if (child->dead && child->children.empty()) {
            destroyNode(child);
            continue;
        }
        kids[kept++] = child;
    }
    kids.resize(kept);
}

// The whole scene lives in a frame 100 units in front of the eye.
void loadSceneFrame() {
    loadWalkIdentity();
    translateWalk(0.0f, 0.0f, -100.0f);
}

}  // namespace

void render(SceneNode* node) {
    // A still walk (recordStill) only draws: no tracks, callbacks or
    // dismantling, and nothing removed.
    const bool behaviour = !recordingStill();
    if (!node || (!behaviour && node->removing)) return;
    sceneState().currentNode = node;
    pushWalkMatrix();
    applyTransform(node->transform);

    if (!node->removing) {
        // Builders run as tracks here and may append children to this node;
        // those are rendered below in this same frame.
        if (behaviour) updateAnimator(node->animator);
        applyAnimated(node->animator);
        if (node->hasModel) {
            callPhaseOf(behaviour, node, beforeOwnMeshes);
            drawOwnMeshes(node);
            callPhaseOf(behaviour, node, afterOwnMeshes);
        }
    }

    if (behaviour) sweepDeadChildren(node);

    if (node->removing && node->children.empty()) {
        node->dead = true;
    } else {
        // By index, re-reading the size: callbacks and the children's tracks may
        // append children to this node while the walk is under way.
        for (size_t i = 0; i < node->children.size(); ++i) {
            SceneNode* child = node->children[i];
            if (!behaviour && child == stillShown) child = stillInstead;
            if (node->removing) child->removing = true;
            callPhaseOf(behaviour, node, beforeEachChild);
            render(child);
            callPhaseOf(behaviour, node, afterEachChild);
        }
    }

    popWalkMatrix();
}

void recordFrame(SceneNode* root, FrameRecord& record) {
    loadSceneFrame();
    beginRecording(record, false);
    render(root);
    endRecording();
}

void recordStill(SceneNode* root, FrameRecord& record) {
    SceneNode* walking = sceneState().currentNode;
    pushWalkMatrix();
    beginRecording(record, true);
    render(root);
    endRecording();
    popWalkMatrix();
    sceneState().currentNode = walking;
}

void recordStillFrameWith(SceneNode* root, const SceneNode* shown, SceneNode* instead, FrameRecord& record) {
    SceneNode* walking = sceneState().currentNode;
    stillShown = shown;
    stillInstead = instead;
    pushWalkMatrix();
    loadSceneFrame();
    beginRecording(record, true);
    render(root);
    endRecording();
    popWalkMatrix();
    stillShown = nullptr;
    stillInstead = nullptr;
    sceneState().currentNode = walking;
}

void keepInStillWalks(NodeCallback fn) {
    if (fn && std::find(stateCallbacks.begin(), stateCallbacks.end(), fn) == stateCallbacks.end())
        stateCallbacks.push_back(fn);
}

void resetSceneState() {
    sceneState().currentNode = nullptr;
    sceneState().currentTrack = nullptr;
}
