#include "engine/modal.h"

namespace {

const int kScreenLevels = 2;  // screen and subScreen; the desk is always open
SceneNode* holders[kScreenLevels] = {};

int slotOf(ModalLevel level) { return static_cast<int>(level) - 1; }

}  // namespace

SceneNode* openModalScreen(SceneNode* layer, ModalLevel level, TrackFn builder) {
    int slot = slotOf(level);
    if (!layer || slot < 0 || slot >= kScreenLevels || holders[slot]) return nullptr;
    SceneNode* holder = createNode();
    if (builder) playOneTrack(holder, builder, -1);
    addChild(layer, holder);
    holders[slot] = holder;
    return holder;
}

void closeModalScreen(SceneNode* holder) {
    if (!holder) return;
    for (SceneNode*& open : holders)
        if (open == holder) {
            remove(holder);
            open = nullptr;
        }
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
}
