// The palette and its wells: filling, taking from and mixing into a well, the
// clear drop that empties it and the drop that brings back its colour before
// the last mix. A well's node is never changed from full to empty in place: it
// is replaced by a new node built from the well's state (wellRebuild).
#include <string>

#include "book/book_state.h"
#include "book/palette.h"
#include "engine/audio.h"
#include "engine/hover_swell.h"
#include "engine/pick.h"
#include "scene/load_model.h"
#include "resources/desk_entries.h"

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

// A drop clicked (or its well cleared) shrinks away and is removed this long after.
const double dropVanishMs = 300;
const Swell wellSwell = buttonSwell;
// A drop swells to 1.2 under the pointer; a new one grows in from 0.35.
const Swell dropSwell = {1.0, 1.2, 300.0};
const Swell dropVanish = {0.01, 0.01, 300.0};
const double newDropScale = 0.35;

const WellNode wellNodes[4] = {{0}, {1}, {2}, {3}};


bool validWell(int32_t i) { return i >= 0 && i < 4; }

void* wellArg(int32_t well) { return const_cast<WellNode*>(&wellNodes[well]); }

SceneNode* makeDrop(int well, DropKind kind) {
    bool clear = kind == DropKind::clear;
    const Place& at = clear ? clearDropPlaces[well] : previousDropPlaces[well];
    SceneNode* drop = createNode();
    addCallback(drop, pickableCallback, nullptr);
    setScale(drop, newDropScale, newDropScale, newDropScale);
    loadModel(drop, deskArchive, wellEntries[well][clear ? wellClearDrop : wellPreviousDrop]);
    setPosition(drop, at.x, at.y, at.z);
    playTrackWith(drop, dropTrack, 0.0, ownHandlerState(drop, Drop{kind, well, false}));
    addChild(book().paletteNode, drop);
    return drop;
}

// The drop shrinks from now on and is removed dropVanishMs later.
void startVanishing(SceneNode* node, Drop* drop) {
    drop->vanishing = true;
    playOneTrack(node, expireTrack, 0.0, 0, 0, 0, dropVanishMs);
}

// A click on a well with the brush: a clean brush takes a full well's paint;
// a loaded one fills an empty well, or mixes into a full one of another paint.
void brushOnWell(int32_t i, SceneNode* node) {
    PaletteWell& well = book().wells[i];
    if (book().brushClean) {
        // An empty well has no paint to give.
        if (well.empty) return;
        playSound("palitra.wav", false);
        book().brushClean = false;
        book().brushColor = node->color;
        return;
    }
    if (well.empty) {
        // The brush's paint goes in unmixed and the brush keeps it.
        playSound("palitra.wav", false);
        book().wellRebuild[i] = true;
        well.empty = false;
        book().wellPreviousColor[i] = well.color;
        well.color = book().brushColor;
        return;
    }
    if (sameRyb(well.color, book().brushColor)) return;

    playSound("palitra.wav", false);
    if (!book().mixDropShown[i]) {
        book().mixDropShown[i] = true;
        makeDrop(i, DropKind::previousColor);
    }
    PaintColor mixed = node->color;
    mixPaint(mixed, book().brushColor, mixWeight);
    book().brushColor = mixed;
    book().wellPreviousColor[i] = well.color;
    well.color = mixed;
}

// A click on a drop: the clear drop empties its well (only the shown colour
// turns white; the paint amounts stay); the other brings back the colour
// before the mix. Either way the drop vanishes.
void dropClicked(SceneNode* node, Drop* drop) {
    playSound("palitra.wav", false);
    int32_t i = drop->well;
    PaletteWell& well = book().wells[i];
    if (drop->kind == DropKind::clear) {
        well.empty = true;
        well.color.r = well.color.g = well.color.b = 1.0;
        if (book().mixDropShown[i]) book().mixDropRemove[i] = true;
        book().wellRebuild[i] = true;
    } else {
        book().mixDropShown[i] = false;
        well.color = book().wellPreviousColor[i];
    }
    startVanishing(node, drop);
}

}  // namespace

void buildPaletteAndGlass(void*) {
    SceneNode* palette = createNode();
    addCallback(palette, pickableCallback, nullptr);
    loadModel(palette, deskArchive, deskEntry::palette);
    setRotation(palette, -50.99, -28, -32.804);
    setPosition(palette, 9.268, -7.9, 71.384);
    addChild(sceneState().currentNode, palette);
    book().paletteNode = palette;

    // Placeholders without a model: wellRebuild starts true, so each builds its
    // real well in its first pass and removes itself.
    for (int32_t i = 0; i < 4; ++i) {
        SceneNode* placeholder = createNode();
        playTrackWith(placeholder, wellTrack, 0.0, wellArg(i));
        addChild(palette, placeholder);
    }

    SceneNode* glass = createNode();
    addCallback(glass, pickableCallback, nullptr);
    loadModel(glass, deskArchive, deskEntry::waterGlass);
    setPosition(glass, 1.843, -7.714, 75.577);
    setRotation(glass, -90, 0, 0);
    playOneTrack(glass, glassTrack, 0.0);
    addChild(sceneState().currentNode, glass);
}

void wellTrack(void* arg) {
    int32_t i = static_cast<WellNode*>(arg)->well;
    if (!validWell(i)) return;
    PaletteWell& well = book().wells[i];
    if (!book().wellRebuild[i]) {
        setPaintColor(sceneState().currentNode, well.color);
        return;
    }
    book().wellRebuild[i] = false;

    SceneNode* node = createNode();
    addCallback(node, pickableCallback, nullptr);
    setPosition(node, wellPlaces[i].x, wellPlaces[i].y, wellPlaces[i].z);
    AnimTrack click, show;
    initTrack(click, 1, true, 0.0);
    setTrackFn(click, wellClickTrack, wellArg(i));
    initTrack(show, 1, true, 0.0);
    setTrackFn(show, wellTrack, wellArg(i));
    int32_t id = newAction(node->actions);
    addTrack(node->actions, click);
    addTrack(node->actions, show);
    play(node->actions, id);
    addChild(book().paletteNode, node);

    if (!well.empty) {
        loadModel(node, deskArchive, wellEntries[i][wellFull]);
        makeDrop(i, DropKind::clear);
    } else {
        loadModel(node, deskArchive, wellEntries[i][wellEmpty]);
    }
    remove(sceneState().currentNode);
}

void wellClickTrack(void* arg) {
    int32_t i = static_cast<WellNode*>(arg)->well;
    swellScale(sceneState().currentNode, wellSwell, isHoveredOn(ModalLevel::desk), takeTrackTime());
    if (validWell(i) && clickedOn(ModalLevel::desk)) brushOnWell(i, sceneState().currentNode);
}

void dropTrack(void* arg) {
    SceneNode* node = sceneState().currentNode;
    Drop* drop = static_cast<Drop*>(arg);
    double ms = takeTrackTime();
    int32_t i = drop->well;
    if (!validWell(i)) return;
    if (drop->kind == DropKind::previousColor) {
        setPaintColor(node, book().wellPreviousColor[i]);
        // Only the well's live drop answers the removal: a clicked drop still
        // shrinking away would otherwise take the flag and leave the new one.
        if (book().mixDropRemove[i] && !drop->vanishing) {
            book().mixDropRemove[i] = false;
            book().mixDropShown[i] = false;
            startVanishing(node, drop);
            return;
        }
    }
    if (drop->vanishing) {
        // Never through zero, where it would come back mirrored.
        swellScale(node, dropVanish, false, ms);
        return;
    }
    bool hovered = isHoveredOn(ModalLevel::desk);
    swellScale(node, dropSwell, hovered, ms);
    if (clickedOn(ModalLevel::desk)) dropClicked(node, drop);
}
