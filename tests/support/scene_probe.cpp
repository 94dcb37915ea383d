#include "support/scene_probe.h"

#include <algorithm>

#include "engine/camera.h"
#include "engine/input.h"
#include "engine/pick.h"
#include "engine/target_spots.h"
#include "book/painting.h"
#include "base/gl.h"

IdBuffer renderIdBuffer(const std::vector<SceneNode*>& nodes) {
    IdBuffer buffer;
    buffer.width = camera()->width;
    buffer.height = camera()->height;
    std::vector<int32_t> fromTop;
    renderIdPicture(nodes, buffer.width, buffer.height, fromTop);
    buffer.ids.resize(fromTop.size());
    const size_t row = size_t(buffer.width);
    for (int y = 0; y < buffer.height; ++y)
        std::copy_n(&fromTop[size_t(buffer.height - 1 - y) * row], row, &buffer.ids[size_t(y) * row]);
    return buffer;
}

static void collectPickable(SceneNode* node, std::vector<SceneNode*>& out) {
    if (node->removing) return;
    for (const NodeCallbackEntry& c : node->callbacks)
        if (c.fn == pickableCallback && node->hasModel) {
            out.push_back(node);
            break;
        }
    for (SceneNode* child : node->children) collectPickable(child, out);
}

std::vector<SceneNode*> pickableNodes(SceneNode* root) {
    std::vector<SceneNode*> out;
    collectPickable(root, out);
    return out;
}

PixelSpot deepestPixel(const IdBuffer& b, int32_t id) {
    // Two-pass chamfer distance to the nearest pixel that is not this id.
    const int big = 1 << 20;
    std::vector<int> dist(b.ids.size());
    PixelSpot spot;
    for (size_t p = 0; p < b.ids.size(); ++p) {
        bool mine = b.ids[p] == id;
        dist[p] = mine ? big : 0;
        if (mine) ++spot.count;
    }
    if (spot.count == 0) return spot;
    auto idx = [&](int x, int y) { return size_t(y) * b.width + x; };
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x) {
            int& d = dist[idx(x, y)];
            if (!d) continue;
            int best = (x == 0 || y == 0) ? 1 : d;  // the window edge counts as outside
            if (x > 0) best = std::min(best, dist[idx(x - 1, y)] + 1);
            if (y > 0) best = std::min(best, dist[idx(x, y - 1)] + 1);
            d = best;
        }
    for (int y = b.height - 1; y >= 0; --y)
        for (int x = b.width - 1; x >= 0; --x) {
            int& d = dist[idx(x, y)];
            if (!d) continue;
            int best = (x == b.width - 1 || y == b.height - 1) ? 1 : d;
            if (x + 1 < b.width) best = std::min(best, dist[idx(x + 1, y)] + 1);
            if (y + 1 < b.height) best = std::min(best, dist[idx(x, y + 1)] + 1);
            d = std::min(d, best);
            if (d > spot.depth) {
                spot.found = true;
                spot.depth = d;
                spot.x = x;
                spot.glY = y;
            }
        }
    return spot;
}

void pointAt(int x, int glY) {
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = Uint16(x);
    motion.motion.y = Uint16(camera()->height - glY);
    SDL_PushEvent(&motion);
}

void pushClick() {
    // Where the pointer is, as a real press reports it (a press elsewhere moves
    // it): after the motion still queued, when there is some.
    Uint16 x = Uint16(input().mouseX), y = Uint16(input().mouseY);
    SDL_Event queued[64];
    int n = SDL_PeepEvents(queued, 64, SDL_PEEKEVENT, SDL_MOUSEMOTIONMASK);
    if (n > 0) {
        x = queued[n - 1].motion.x;
        y = queued[n - 1].motion.y;
    }
    SDL_Event down{};
    down.type = SDL_MOUSEBUTTONDOWN;
    down.button.x = x;
    down.button.y = y;
    down.button.button = SDL_BUTTON_LEFT;
    down.button.state = SDL_PRESSED;
    SDL_PushEvent(&down);
    SDL_Event up = down;
    up.type = SDL_MOUSEBUTTONUP;
    up.button.state = SDL_RELEASED;
    SDL_PushEvent(&up);
}

int32_t elementOf(const SceneNode* node) {
    const PageRegion* region = handlerOf<PageRegion>(node, paintElementTrack);
    return region ? region->element : -1;
}

SceneNode* findTrack(SceneNode* root, TrackFn fn, const void* arg) {
    if (!root || root->removing) return nullptr;
    for (const AnimTrack& track : root->animator.tracks)
        if (track.fn == fn && (!arg || track.arg == arg)) return root;
    for (SceneNode* child : root->children)
        if (SceneNode* found = findTrack(child, fn, arg)) return found;
    return nullptr;
}
