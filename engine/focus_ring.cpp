#include "engine/focus_ring.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "engine/access.h"
#include "engine/camera.h"
#include "engine/input.h"
#include "scene/load_model.h"

namespace {

// In front of the desk, the page, the buttons and the screens; behind the brush.
const double kOverlayZ = 78;
const double kEyeDepth = kOverlayZ - 100;
const int kArcs = 24;

// The overlay's live pieces; null (empty) while hidden. Pointers into the tree,
// dropped as soon as the piece is removed.
struct FramePieces {
    SceneNode* piece[8] = {};
};
struct OverlayPieces {
    SceneNode* overlay = nullptr;
    std::vector<FramePieces> frames;  // one round each box of the focus
    std::vector<SceneNode*> arcs;
};
OverlayPieces pieces;

SceneNode* makePiece(const char* model) {
    SceneNode* node = createNode();
    loadModel(node, "interface.pak", model);
    setRotation(node, -90, 0, 0);
    addChild(pieces.overlay, node);
    return node;
}

// Window pixel (rows from the top) to the overlay's plane.
double worldX(double px) {
    double w = camera() && camera()->width > 0 ? camera()->width : 1;
    return -viewEdgeX(kEyeDepth) * (2.0 * px / w - 1);
}
double worldY(double py) {
    double h = camera() && camera()->height > 0 ? camera()->height : 1;
    return viewEdgeY(kEyeDepth) * (2.0 * py / h - 1);
}
double worldPerPixel() {
    double w = camera() && camera()->width > 0 ? camera()->width : 1;
    return std::fabs(2.0 * viewEdgeX(kEyeDepth) / w);
}

void removeFrame(FramePieces& frame) {
    for (SceneNode*& piece : frame.piece)
        if (piece) {
            remove(piece);
            piece = nullptr;
        }
}

void placeFrame(FramePieces& frame, const SpotBox& box) {
    static const char* const kModels[8] = {"fokus_ugol1", "fokus_ugol2", "fokus_ugol3", "fokus_ugol4",
                                           "fokus_kray1", "fokus_kray2", "fokus_kray3", "fokus_kray4"};
    if (!frame.piece[0])
        for (int i = 0; i < 8; ++i) frame.piece[i] = makePiece(kModels[i]);
    const double h = camera() && camera()->height > 0 ? camera()->height : 720;
    const double band = std::max(10.0, h / 40) * worldPerPixel();  // the glow's width
    const double margin = 2;
    const double left = worldX(box.x0 - margin), right = worldX(box.x1 + margin);
    const double top = worldY(box.y0 - margin), bottom = worldY(box.y1 + margin);
    const double width = right - left, height = top - bottom;
    SceneNode** f = frame.piece;
    setPosition(f[0], left, top, kOverlayZ);
    setPosition(f[1], right, top, kOverlayZ);
    setPosition(f[2], right, bottom, kOverlayZ);
    setPosition(f[3], left, bottom, kOverlayZ);
    for (int i = 0; i < 4; ++i) setScale(f[i], band, 1, band);
    setPosition(f[4], left, top, kOverlayZ);
    setScale(f[4], width, 1, band);
    setPosition(f[5], right, bottom, kOverlayZ);
    setScale(f[5], band, 1, height);
    setPosition(f[6], left, bottom, kOverlayZ);
    setScale(f[6], width, 1, band);
    setPosition(f[7], left, bottom, kOverlayZ);
    setScale(f[7], band, 1, height);
}

// A frame round each box; frames no longer needed are taken down.
void placeFrames(const std::vector<SpotBox>& boxes) {
    while (pieces.frames.size() > boxes.size()) {
        removeFrame(pieces.frames.back());
        pieces.frames.pop_back();
    }
    pieces.frames.resize(boxes.size());
    for (size_t i = 0; i < boxes.size(); ++i) placeFrame(pieces.frames[i], boxes[i]);
}

void showDwell(double progress) {
    size_t shown = size_t(std::floor(std::clamp(progress, 0.0, 1.0) * kArcs));
    while (pieces.arcs.size() > shown) {
        remove(pieces.arcs.back());
        pieces.arcs.pop_back();
    }
    while (pieces.arcs.size() < shown) {
        size_t k = pieces.arcs.size() + 1;
        std::string name = std::string("fokus_dwell") + (k < 10 ? "0" : "") + std::to_string(k);
        pieces.arcs.push_back(makePiece(name.c_str()));
    }
    const double h = camera() && camera()->height > 0 ? camera()->height : 720;
    const double radius = std::max(18.0, h / 26) * worldPerPixel();
    for (SceneNode* arc : pieces.arcs) {
        setPosition(arc, worldX(input().mouseX), worldY(input().mouseY), kOverlayZ);
        setScale(arc, radius, 1, radius);
    }
}

void accessOverlayTrack(void*) {
    pieces.overlay = sceneState().currentNode;
    placeFrames(accessFocusBoxes());
    showDwell(accessState.dwellProgress);
}

}  // namespace

SceneNode* buildAccessOverlay() {
    SceneNode* overlay = createNode();
    pieces = OverlayPieces();
    pieces.overlay = overlay;
    playOneTrack(overlay, accessOverlayTrack, 0.0);
    return overlay;
}

void resetAccessOverlay() { pieces = OverlayPieces(); }
