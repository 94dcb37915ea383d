// The palette and its wells: filling, taking from and mixing into a well, the
// clear drop that empties it and the drop that brings back its colour before
// the last mix. A well's node is never changed from full to empty in place: it
// is replaced by a new node built from the well's state (wellRebuild).
#include <string>

#include "book/book_state.h"
#include "book/palette.h"
#include "engine/audio.h"
#include "engine/input.h"
#include "engine/pick.h"
#include "scene/load_model.h"

namespace {

struct Place {
    double x, y, z;
};

// In the palette's frame, per well: the well itself, its clear drop, its
// previous-colour drop.
const Place wellPlaces[4] = {
    {-3.44, -0.072, -0.702}, {-1.977, -2.328, -0.702}, {1.082, -1.786, -0.701}, {2.966, 0.815, -0.703}};
const Place clearDropPlaces[4] = {
    {-2.382, 0.628, -0.742}, {-1.79, -1.238, -0.739}, {0.224, -0.841, -0.741}, {1.895, 0.568, -0.74}};
const Place previousDropPlaces[4] = {
    {-3.861, 1.203, -0.742}, {-3.439, -2.147, -0.739}, {-0.134, -2.69, -0.741}, {3.045, -0.7, -0.74}};

const int32_t clearDrop = 0, previousDrop = 1;
// A drop clicked (or its well cleared) shrinks away and is removed this long after.
const double dropVanishMs = 300;

// "kaplia" + n + suffix, n = well + 1.
std::string wellModel(int well, const char* suffix) { return "kaplia" + std::to_string(well + 1) + suffix; }

bool validWell(int32_t i) { return i >= 0 && i < 4; }

SceneNode* makeDrop(int well, int32_t mode) {
    const Place& at = mode == clearDrop ? clearDropPlaces[well] : previousDropPlaces[well];
    SceneNode* drop = createNode();
    addCallback(drop, pickableCallback, nullptr);
    setScale(drop, 0.35, 0.35, 0.35);
    loadModel(drop, "interface.pak", wellModel(well, mode == clearDrop ? "_cl" : "_pr").c_str());
    setPosition(drop, at.x, at.y, at.z);
    playOneTrack(drop, dropTrack, 0.0, mode, well, 0);
    addChild(book.paletteNode, drop);
    return drop;
}

// The drop shrinks from now on (its track's i2) and is removed dropVanishMs later.
void startVanishing(SceneNode* drop, AnimTrack* track) {
    track->i2 = 1;
    playOneTrack(drop, expireTrack, 0.0, 0, 0, 0, dropVanishMs);
}

}  // namespace

void buildPaletteAndGlass(void*) {
    SceneNode* palette = createNode();
    addCallback(palette, pickableCallback, nullptr);
    loadModel(palette, "interface.pak", "palitra");
    setRotation(palette, -50.99, -28, -32.804);
    setPosition(palette, 9.268, -7.9, 71.384);
    addChild(currentNode, palette);
    book.paletteNode = palette;

    // Placeholders without a model: wellRebuild starts true, so each builds its
    // real well in its first pass and removes itself.
    for (int32_t i = 0; i < 4; ++i) {
        SceneNode* placeholder = createNode();
        playOneTrack(placeholder, wellTrack, 0.0, i);
        addChild(palette, placeholder);
    }

    SceneNode* glass = createNode();
    addCallback(glass, pickableCallback, nullptr);
    loadModel(glass, "interface.pak", "stakan");
    setPosition(glass, 1.843, -7.714, 75.577);
    setRotation(glass, -90, 0, 0);
    playOneTrack(glass, glassTrack, 0.0);
    addChild(currentNode, glass);
}

void wellTrack(void*) {
    int32_t i = currentTrack->i0;
    if (!validWell(i)) return;
    PaletteWell& well = book.wells[i];
    if (!book.wellRebuild[i]) {
        setPaintColor(currentNode, well.color);
        return;
    }
    book.wellRebuild[i] = false;

    SceneNode* node = createNode();
    addCallback(node, pickableCallback, nullptr);
    setPosition(node, wellPlaces[i].x, wellPlaces[i].y, wellPlaces[i].z);
    AnimTrack click, show;
    initTrack(click, 1, true, 0.0);
    setTrackFn(click, wellClickTrack, i, 0.0, 0.0, 0.0);
    initTrack(show, 1, true, 0.0);
    setTrackFn(show, wellTrack, i, 0.0, 0.0, 0.0);
    int32_t id = newAction(node->actions);
    addTrack(node->actions, click);
    addTrack(node->actions, show);
    play(node->actions, id);
    addChild(book.paletteNode, node);

    if (!well.empty) {
        loadModel(node, "interface.pak", wellModel(i, "_white").c_str());
        makeDrop(i, clearDrop);
    } else {
        loadModel(node, "interface.pak", wellModel(i, "").c_str());
    }
    remove(currentNode);
}

void wellClickTrack(void*) {
    SceneNode* node = currentNode;
    int32_t i = currentTrack->i0;
    double s = node->transform.scale.x;
    double d = currentTrack->t;
    currentTrack->t = 0;
    if (!validWell(i)) return;

    if (!isHoveredOn(ModalLevel::desk)) {
        if (s > 1) {
            scaleBy(node, -d / 1100, -d / 1100, -d / 1100);
            if (node->transform.scale.x < 1) setScale(node, 1, 1, 1);
        }
        return;
    }
    if (s < 1.1) {
        scaleBy(node, d / 1100, d / 1100, d / 1100);
        if (node->transform.scale.x > 1.1) setScale(node, 1.1, 1.1, 1.1);
    }
    if (!input.leftClicked) return;

    PaletteWell& well = book.wells[i];
    if (book.brushClean) {
        // A clean brush takes the well's paint; an empty well has none to give.
        if (well.empty) return;
        playSound("palitra.wav", false);
        book.brushClean = false;
        book.brushColor = node->color;
        return;
    }
    if (well.empty) {
        // The brush's paint goes in unmixed and the brush keeps it.
        playSound("palitra.wav", false);
        book.wellRebuild[i] = true;
        well.empty = false;
        book.wellPreviousColor[i] = well.color;
        well.color = book.brushColor;
        return;
    }
    if (sameRyb(well.color, book.brushColor)) return;

    playSound("palitra.wav", false);
    if (!book.mixDropShown[i]) {
        book.mixDropShown[i] = true;
        makeDrop(i, previousDrop);
    }
    PaintColor mixed = node->color;
    mixPaint(mixed, book.brushColor, mixWeight);
    book.brushColor = mixed;
    book.wellPreviousColor[i] = well.color;
    well.color = mixed;
}

void dropTrack(void*) {
    SceneNode* drop = currentNode;
    AnimTrack* track = currentTrack;
    int32_t mode = track->i0, i = track->i1;
    double s = drop->transform.scale.x;
    double d = track->t;
    track->t = 0;
    if (!validWell(i)) return;

    bool vanishing = track->i2 != 0;
    if (mode == previousDrop) {
        setPaintColor(drop, book.wellPreviousColor[i]);
        // Only the well's live drop answers the removal: a clicked drop still
        // shrinking away would otherwise take the flag and leave the new one.
        if (book.mixDropRemove[i] && !vanishing) {
            book.mixDropRemove[i] = false;
            book.mixDropShown[i] = false;
            startVanishing(drop, track);
            return;
        }
    }

    if (isHoveredOn(ModalLevel::desk) && !vanishing) {
        if (s < 1.2) {
            scaleBy(drop, d / 300, d / 300, d / 300);
            if (drop->transform.scale.x > 1.2) setScale(drop, 1.2, 1.2, 1.2);
        }
        if (input.leftClicked) {
            playSound("palitra.wav", false);
            PaletteWell& well = book.wells[i];
            if (mode == clearDrop) {
                // Only the shown colour turns white; the paint amounts stay.
                well.empty = true;
                well.color.r = well.color.g = well.color.b = 1.0;
                if (book.mixDropShown[i]) book.mixDropRemove[i] = true;
                book.wellRebuild[i] = true;
            } else {
                book.mixDropShown[i] = false;
                well.color = book.wellPreviousColor[i];
            }
            startVanishing(drop, track);
        }
        return;
    }

    if (s > 1 || vanishing) {
        scaleBy(drop, -d / 300, -d / 300, -d / 300);
        if (!vanishing && drop->transform.scale.x < 1) setScale(drop, 1, 1, 1);
        // A drop that vanishes before it has grown would shrink through zero
        // and come back mirrored.
        if (vanishing && drop->transform.scale.x < 0.01) setScale(drop, 0.01, 0.01, 0.01);
    }
    // A new drop grows from 0.35 to 1 in about 195 ms.
    if (!vanishing && s < 1) {
        scaleBy(drop, d / 300, d / 300, d / 300);
        if (drop->transform.scale.x > 1) setScale(drop, 1, 1, 1);
    }
}
