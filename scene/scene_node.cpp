#include "scene/scene_node.h"

#include <algorithm>

#include "resources/pak.h"
#include "scene/frame_record.h"
#include "scene/mesh.h"

SceneNode* createNode() {
    // The constructor and member initialisers do the work: the animator's clock
    // starts at the current frameTime, so the first update measures from the
    // node's creation; the action table points at this node's animator; the
    // colour is white.
    return new SceneNode();
}

void destroyNode(SceneNode* node) {
    if (!node) return;
    for (const std::string& name : node->pakNames) pakRelease(name.c_str());
    const size_t owned = std::min(node->meshes.size(), static_cast<size_t>(std::max(node->meshCount, 0)));
    for (size_t i = 0; i < owned; ++i) {
        Mesh* mesh = node->meshes[i];
        if (!mesh) continue;
        forgetRecordedMesh(mesh);
        destroyMesh(mesh);
        delete mesh;
    }
    node->children.clear();
    delete node;
}

void addChild(SceneNode* parent, SceneNode* child) {
    if (!parent || !child) return;
    parent->children.push_back(child);
}

void remove(SceneNode* node) {
    if (node) node->removing = true;
}

void addCallback(SceneNode* node, NodeCallback fn, void* arg) {
    if (!node) return;
    node->callbacks.push_back({fn, arg});
}

void setPaintColor(SceneNode* node, PaintColor c) {
    if (!node || node->meshCount == 0) return;
    for (Mesh* mesh : node->meshes)
        if (mesh) setColorOverride(mesh, c.r, c.g, c.b);
    node->color = c;
}

void drawForPicking(SceneNode* node, bool selecting) {
    if (!node) return;
    for (const Mesh* mesh : node->meshes)
        if (mesh) drawMeshForPicking(mesh, selecting);
}

void playOneTrack(SceneNode* node, TrackFn fn, double duration, int32_t i0, int32_t i1, int32_t i2, double a,
                  double b, double c, void* arg) {
    if (!node) return;
    AnimTrack track;
    initTrack(track, 1, true, duration);
    setTrackFn(track, fn, i0, i1, i2, a, b, c);
    track.arg = arg;
    const int32_t id = newAction(node->actions);
    addTrack(node->actions, track);
    play(node->actions, id);
}

void playTrackWith(SceneNode* node, TrackFn fn, double duration, void* arg) {
    playOneTrack(node, fn, duration, 0, 0, 0, 0.0, 0.0, 0.0, arg);
}

void expireTrack(void*) {
    AnimTrack* tr = sceneState().currentTrack;
    if (!tr || !sceneState().currentNode) return;
    if (tr->a < tr->t) {
        remove(sceneState().currentNode);
        return;
    }
    // Nothing shows until then: the loop may rest until it is due.
    wakeByClock(sceneState().frameTime + uint32_t(tr->a - tr->t) + 1);
}
