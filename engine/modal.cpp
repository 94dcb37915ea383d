#include "engine/modal.h"

#include "scene/frame_record.h"

namespace {

const int kScreenLevels = 2;  // screen and subScreen; the desk is always open
SceneNode* holders[kScreenLevels] = {};
SceneNode* focusStarts[kScreenLevels] = {};    // compared, never dereferenced
SceneNode* closeControls[kScreenLevels] = {};  // compared, never dereferenced

int slotOf(ModalLevel level) { return static_cast<int>(level) - 1; }

// Leaves out of the frame under way every mesh the screen has recorded in it.
void forgetScreenMeshes(const SceneNode* node) {
    for (const Mesh* mesh : node->meshes)
        if (mesh) forgetRecordedMesh(mesh);
    for (const SceneNode* child : node->children) forgetScreenMeshes(child);
}

// The holder's callback after each of its children: a screen closed by a
// handler inside that child (its close button, Escape) goes out of the frame
// whose walk closed it, not one frame later. Its meshes recorded before the
// close are forgotten by the close itself; the child's meshes recorded after
// it (the closing button draws after its click track) are forgotten here, once;
// the children after it are removing and record nothing.
struct ClosingWatch {
    SceneNode* holder;
    bool forgotten;
};

void leaveClosedScreenOut(CallbackPhase phase, void* arg) {
    ClosingWatch* watch = static_cast<ClosingWatch*>(arg);
    if (phase != afterEachChild || !watch->holder->removing || watch->forgotten) return;
    watch->forgotten = true;
    forgetScreenMeshes(watch->holder);
}

}  // namespace

SceneNode* openModalScreen(SceneNode* layer, ModalLevel level, TrackFn builder) {
    int slot = slotOf(level);
    if (!layer || slot < 0 || slot >= kScreenLevels || holders[slot]) return nullptr;
    SceneNode* holder = createNode();
    ClosingWatch* watch = ownHandlerState(holder, ClosingWatch{holder, false});
    addCallback(holder, leaveClosedScreenOut, watch);
    if (builder) playOneTrack(holder, builder, -1);
    addChild(layer, holder);
    holders[slot] = holder;
    focusStarts[slot] = closeControls[slot] = nullptr;
    return holder;
}

void closeModalScreen(SceneNode* holder) {
    if (!holder) return;
    for (int slot = 0; slot < kScreenLevels; ++slot)
        if (holders[slot] == holder) {
            forgetScreenMeshes(holder);
            remove(holder);
            holders[slot] = nullptr;
            focusStarts[slot] = closeControls[slot] = nullptr;
        }
}

void setModalFocusStart(SceneNode* holder, SceneNode* node) {
    for (int slot = 0; slot < kScreenLevels; ++slot)
        if (holder && holders[slot] == holder) focusStarts[slot] = node;
}

SceneNode* modalFocusStart(ModalLevel level) {
    int slot = slotOf(level);
    return slot >= 0 && slot < kScreenLevels ? focusStarts[slot] : nullptr;
}

void setModalCloseControl(SceneNode* holder, SceneNode* node) {
    for (int slot = 0; slot < kScreenLevels; ++slot)
        if (holder && holders[slot] == holder) closeControls[slot] = node;
}

SceneNode* modalCloseControl(ModalLevel level) {
    int slot = slotOf(level);
    return slot >= 0 && slot < kScreenLevels ? closeControls[slot] : nullptr;
}

ModalLevel topmostOpenLevel() {
    if (holders[slotOf(ModalLevel::subScreen)]) return ModalLevel::subScreen;
    if (holders[slotOf(ModalLevel::screen)]) return ModalLevel::screen;
    return ModalLevel::desk;
}

bool modalLevelOpen(ModalLevel level) { return modalHolder(level) != nullptr; }

SceneNode* modalHolder(ModalLevel level) {
    int slot = slotOf(level);
    return slot >= 0 && slot < kScreenLevels ? holders[slot] : nullptr;
}

void resetModalLevels() {
    for (SceneNode*& open : holders) open = nullptr;
    for (SceneNode*& start : focusStarts) start = nullptr;
    for (SceneNode*& control : closeControls) control = nullptr;
}
