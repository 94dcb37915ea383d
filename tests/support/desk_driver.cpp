#include "support/desk_driver.h"

#include "engine/frame_presenter.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/shell.h"
#include "book/book_state.h"
#include "book/page_turn.h"
#include "engine/audio.h"
#include "engine/camera.h"
#include "engine/pick.h"
#include "scene/load_model.h"
#include "scene/mesh.h"
#include "scene/render.h"
#include "support/scene_probe.h"

void passes(int n) {
    for (int i = 0; i < n; ++i) runOnePass();
}

void passesUntil(uint32_t since, double ms) {
    while (double(sceneState().frameTime - since) <= ms) runOnePass();
}

static PixelSpot spotOf(SceneNode* node) {
    std::vector<SceneNode*> nodes = pickableNodes(shellState().rootNode);
    auto it = std::find(nodes.begin(), nodes.end(), node);
    if (it == nodes.end()) return PixelSpot();
    return deepestPixel(renderIdBuffer(nodes), int32_t(it - nodes.begin()));
}

bool hover(SceneNode* node) {
    PixelSpot spot = spotOf(node);
    if (!spot.found) return false;
    pointAt(spot.x, spot.glY);
    passes(2);
    return pickState().hovered == node;
}

bool clickOn(SceneNode* node) {
    if (!hover(node)) return false;
    pushClick();
    passes(1);
    return true;
}

void pushKey(SDLKey sym, SDLMod mod) {
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.type = SDL_KEYDOWN;
    key.key.state = SDL_PRESSED;
    key.key.keysym.sym = sym;
    key.key.keysym.mod = mod;
    SDL_PushEvent(&key);
}

SceneNode* jarBody(int jar) { return shellState().rootNode->children[3]->children[size_t(jar)]->children[0]; }

SceneNode* regionNode(int32_t k) {
    for (SceneNode* n : book().pageHolder->children)
        if (elementOf(n) == k) return n;
    return nullptr;
}

SceneNode* pageArrow(bool next) {
    return findTrack(shellState().rootNode->children[2], next ? nextPageAction : previousPageAction);
}

SceneNode* wellNode(int well) {
    for (SceneNode* n : book().paletteNode->children) {
        const WellNode* state = handlerOf<WellNode>(n, wellClickTrack);
        if (!n->removing && state && state->well == well) return n;
    }
    return nullptr;
}

std::vector<SceneNode*> wellDrops(int well, DropKind kind, bool vanishingToo) {
    std::vector<SceneNode*> found;
    for (SceneNode* n : book().paletteNode->children) {
        const Drop* drop = handlerOf<Drop>(n, dropTrack);
        if (drop && drop->kind == kind && drop->well == well &&
            (vanishingToo || (!n->removing && !drop->vanishing)))
            found.push_back(n);
    }
    return found;
}

SceneNode* stateButton(StateButtonKind kind, bool hidingToo) {
    for (SceneNode* n : shellState().rootNode->children[2]->children) {
        const StateButton* button = handlerOf<StateButton>(n, hudButtonTrack);
        if (button && button->kind == kind && !n->removing && (hidingToo || !button->hiding)) return n;
    }
    return nullptr;
}

bool showsModel(const SceneNode* node, const char* model, const char* archive) {
    SceneNode* reference = createNode();
    loadModel(reference, archive, model);
    bool same = !node->meshes.empty() && node->meshes.size() == reference->meshes.size() &&
                node->meshes[0]->vertices == reference->meshes[0]->vertices;
    destroyNode(reference);
    return same;
}

bool subtreeShowsModel(const SceneNode* root, const char* model, const char* archive) {
    if (!root || root->removing) return false;
    if (showsModel(root, model, archive)) return true;
    for (const SceneNode* child : root->children)
        if (subtreeShowsModel(child, model, archive)) return true;
    return false;
}

bool holds(const SceneNode* parent, const SceneNode* child) {
    return std::find(parent->children.begin(), parent->children.end(), child) != parent->children.end();
}

int countNodes(const SceneNode* node) {
    int n = 1;
    for (const SceneNode* c : node->children) n += countNodes(c);
    return n;
}

int channelsPlaying(const char* sound) {
    if (!audioState().mixer) return 0;
    auto it = std::find(audioState().mixer->names.begin(), audioState().mixer->names.end(), std::string(sound));
    if (it == audioState().mixer->names.end()) return 0;
    const uint8_t* buffer = audioState().mixer->converted[size_t(it - audioState().mixer->names.begin())].buf;
    int n = 0;
    SDL_LockAudio();
    for (const AudioChannel& c : audioState().channels) n += c.data == buffer;
    SDL_UnlockAudio();
    return n;
}

void silenceChannels() {
    SDL_LockAudio();
    for (AudioChannel& c : audioState().channels) c = AudioChannel{};
    SDL_UnlockAudio();
}

void pixelOf(SceneNode* node, uint8_t rgb[3]) {
    PixelSpot spot = spotOf(node);
    pointAt(2, 2);
    passes(2);
    wholeFramePixel(spot.x, spot.glY, rgb);
}

void wholeFramePixel(int x, int glY, uint8_t rgb[3]) {
    const std::vector<uint8_t> rows = drawWholeFrameRgb(shellState().rootNode);
    const size_t at = (size_t(camera()->height - 1 - glY) * size_t(camera()->width) + size_t(x)) * 3;
    for (int k = 0; k < 3; ++k) rgb[k] = rows[at + size_t(k)];
}
