// The node of the scene graph. Behaviour is attached as callbacks and animation
// tracks; nodes differ only in what is attached to them.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "scene/animation.h"
#include "scene/paint_color.h"
#include "scene/transform.h"

struct Mesh;

// When the traversal calls a node's callbacks.
enum CallbackPhase : int32_t {
    beforeOwnMeshes = 1,
    afterOwnMeshes = 2,
    beforeEachChild = 3,
    afterEachChild = 4,
};
typedef void (*NodeCallback)(CallbackPhase phase, void* arg);

struct NodeCallbackEntry {
    NodeCallback fn = nullptr;
    void* arg = nullptr;
};

struct SceneNode {
    Transform transform;
    Animator animator;  // its clock starts at the frameTime of creation
    ActionTable actions{-1, {}, &animator};
    bool removing = false;  // no longer drawn or animated; being dismantled
    bool dead = false;      // ready to be deleted by its parent; set only by the traversal
    PaintColor color;       // starts white
    std::vector<NodeCallbackEntry> callbacks;
    std::vector<Mesh*> meshes;          // owned
    std::vector<std::string> pakNames;  // one archive reference per loadModel call
    int32_t meshCount = 0;
    bool hasModel = false;
    std::vector<SceneNode*> children;  // owned
    // The state of the handlers attached to this node (ownHandlerState), freed
    // with it; their tracks reach it through their argument.
    std::vector<std::shared_ptr<void>> handlerStates;

    SceneNode() { animator.now = animator.previous = sceneState().frameTime; }
    SceneNode(const SceneNode&) = delete;
    SceneNode& operator=(const SceneNode&) = delete;
};


SceneNode* createNode();
// Releases the node's archive references and meshes, then frees it. Children are
// not touched: the traversal deletes a node only once its children are gone, and
// shutdown deletes the root after the tree has dismantled itself.
void destroyNode(SceneNode* node);

void addChild(SceneNode* parent, SceneNode* child);
// Marks the node removing; the traversal dismantles it bottom-up over the next frames.
void remove(SceneNode* node);
void addCallback(SceneNode* node, NodeCallback fn, void* arg);
// Ignored while the node has no meshes; otherwise every mesh draws c's RGB and the
// node keeps c, paint amounts included.
void setPaintColor(SceneNode* node, PaintColor c);
// Draws every mesh as bare geometry under the modelview it was last recorded
// with; selecting: for the selection stage of picking.
void drawForPicking(SceneNode* node, bool selecting);

// Transform operations on a node's own transform.
inline void setPosition(SceneNode* n, double x, double y, double z) { setPosition(n->transform, x, y, z); }
inline void move(SceneNode* n, double x, double y, double z) { move(n->transform, x, y, z); }
inline void setRotation(SceneNode* n, double x, double y, double z) { setRotation(n->transform, x, y, z); }
inline void rotate(SceneNode* n, double x, double y, double z) { rotate(n->transform, x, y, z); }
inline void setScale(SceneNode* n, double x, double y, double z) { setScale(n->transform, x, y, z); }
inline void scaleBy(SceneNode* n, double x, double y, double z) { scaleBy(n->transform, x, y, z); }

// Builder helper used everywhere: a new action holding one track with the given
// function, tag 1, running, played at once.
void playOneTrack(SceneNode* node, TrackFn fn, double duration, int32_t i0 = 0, int32_t i1 = 0,
                  int32_t i2 = 0, double a = 0.0, double b = 0.0, double c = 0.0, void* arg = nullptr);

// A handler's own state: a copy of initial owned by node, alive as long as the
// node is; pass the pointer as the handler's track argument.
template <typename T>
T* ownHandlerState(SceneNode* node, const T& initial) {
    std::shared_ptr<T> state = std::make_shared<T>(initial);
    node->handlerStates.push_back(state);
    return state.get();
}

// playOneTrack for a handler that reads only its argument.
void playTrackWith(SceneNode* node, TrackFn fn, double duration, void* arg);

// Stock track: remove(currentNode) once the track's time t exceeds a.
void expireTrack(void* arg);
