// The desk: the tree of nodes under the root, in the order it is drawn.
#include "app/desk.h"

#include "app/hud_actions.h"
#include "book/page_catalog.h"
#include "book/page_turn.h"
#include "book/palette.h"
#include "book/painting.h"
#include "engine/camera.h"
#include "engine/hover_swell.h"
#include "engine/pick.h"
#include "scene/load_model.h"
#include "screens/screen_state.h"
#include "resources/desk_entries.h"

// The jars, left to right: where each stands and the paint it holds (red, yellow, blue).
struct JarPlace {
    double x, y, z;
    JarPaint paint;
};
static const JarPlace jarPlaces[9] = {
    {-12.222, -6.347, 73.12, {1, 1, 0}},   {-11.419, -7.693, 76.187, {1, 0, 0}},
    {-9.813, -6.862, 74.139, {0, 1, 1}},   {-8.731, -7.956, 76.738, {0, 1, 0}},
    {-7.249, -7.117, 74.677, {0, 0, 1}},   {-5.812, -8.124, 76.886, {0, 0, 0.5}},
    {-4.509, -7.416, 74.933, {1, 0, 1}},   {-3.043, -7.956, 76.665, {1, 1, 1}},
    {-1.045, -7.775, 75.279, {0, 0, 0}},
};

static SceneNode* modelNode(const char* model, bool pickable) {
    SceneNode* node = createNode();
    if (pickable) addCallback(node, pickableCallback, nullptr);
    loadModel(node, deskArchive, model);
    setRotation(node, -90, 0, 0);
    return node;
}

static void makeHudButton(const char* model, double x, double y, double z, TrackFn handler) {
    SceneNode* button = modelNode(model, true);
    setPosition(button, x, y, z);
    AnimTrack click, grow;
    initTrack(click, 1, true, 0.0);
    setTrackFn(click, handler, nullptr);
    initTrack(grow, 1, true, 0.0);
    setTrackFn(grow, buttonSwellTrack, levelArg(ModalLevel::desk));
    int32_t id = newAction(button->actions);
    addTrack(button->actions, click);
    addTrack(button->actions, grow);
    play(button->actions, id);
    addChild(sceneState().currentNode, button);
}

// The HUD buttons sit at z = 61, eye depth -39: the corner formulas pin them to the
// window's edges at that depth whatever the window's shape.
static void buildCornerButtons(void*) {
    // A kiosk has no way out for the child: no close button, and so no Escape to the exit question.
    if (!screenState().locks.noExit) makeHudButton(deskEntry::closeButton, -1.5 - viewEdgeX(-39), -1.25 - viewEdgeY(-39), 61, openExitAction);
    makeHudButton(deskEntry::helpButton, 1.5 - viewEdgeX(39), -3.75 - viewEdgeY(-39), 61, openHelpAction);
    makeHudButton(deskEntry::menuButton, 1.5 - viewEdgeX(39), -1.25 - viewEdgeY(-39), 61, openSetupAction);
}

static void buildHudButtons(void*) {
    makeHudButton(deskEntry::leftArrow, -19.01, 2.176, 61, previousPageAction);
    makeHudButton(deskEntry::rightArrow, 18.781, 2.176, 61, nextPageAction);
}


static void buildJarRow(void*) {
    for (const JarPlace& place : jarPlaces) {
        SceneNode* holder = createNode();
        setPosition(holder, place.x, place.y, place.z);
        setRotation(holder, -90, 0, 0);
        playTrackWith(holder, buildJar, -1.0, const_cast<JarPaint*>(&place.paint));
        addChild(sceneState().currentNode, holder);
    }
}

static SceneNode* groupWith(TrackFn first, double firstDuration) {
    SceneNode* node = createNode();
    if (first) playOneTrack(node, first, firstDuration);
    return node;
}

DeskParts buildDesk(SceneNode* root) {
    DeskParts parts;
    SceneNode* background = createNode();
    loadModel(background, deskArchive, deskEntry::deskTop);
    loadModel(background, deskArchive, deskEntry::pin);
    setRotation(background, -90, 0, 0);
    addChild(root, background);

    // Pickable so that the pointer over the bare desk hovers something with no handler.
    addChild(root, modelNode(deskEntry::cardboard, true));

    // The corner buttons first, as they are drawn, in a group of their own.
    parts.hud = createNode();
    parts.corners = groupWith(buildCornerButtons, -1.0);
    addChild(parts.hud, parts.corners);
    AnimTrack clearWatch, backWatch, buttons;
    initTrack(clearWatch, 1, true, 0.0);
    setTrackFn(clearWatch, clearButtonWatch, nullptr);
    initTrack(backWatch, 1, true, 0.0);
    setTrackFn(backWatch, backButtonWatch, nullptr);
    initTrack(buttons, 1, true, -1.0);
    setTrackFn(buttons, buildHudButtons, nullptr);
    int32_t id = newAction(parts.hud->actions);
    addTrack(parts.hud->actions, clearWatch);
    addTrack(parts.hud->actions, backWatch);
    addTrack(parts.hud->actions, buttons);
    play(parts.hud->actions, id);
    addChild(root, parts.hud);

    parts.jars = groupWith(buildJarRow, -1.0);
    addChild(root, parts.jars);
    parts.palette = groupWith(buildPaletteAndGlass, -1.0);
    addChild(root, parts.palette);
    parts.book = groupWith(pageSwapTrack, 0.0);
    addChild(root, parts.book);

    parts.screens = createNode();
    setRotation(parts.screens, -90, 0, 0);
    addChild(root, parts.screens);

    addChild(root, groupWith(buildBrush, -1.0));
    return parts;
}
