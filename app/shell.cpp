#include "app/shell.h"

#include "app/audio.h"
#include "app/camera.h"
#include "app/desk.h"
#include "app/input.h"
#include "app/pick.h"
#include "app/platform.h"
#include "app/settings.h"
#include "book/book.h"
#include "proctex/procedural_texture.h"
#include "scene/gl.h"
#include "scene/render.h"

SceneNode* rootNode = nullptr;
SceneNode* screenLayer = nullptr;

bool startUp() { return startUpWithSettingsPath(defaultSettingsPath()); }

// The order is the documentation: each step may use what the steps before it made.
bool startUpWithSettingsPath(const std::string& path) {
    settingsPath = path;
    settings = loadSettingsFile(settingsPath);
    camera = createCamera(0, 0, 0);
    audioMixer = createAudioMixer();
    SDL_WM_SetCaption("quillmead", "quillmead");
    rootNode = createNode();
    if (settings->musicOn) playSound("music.wav", true);
    restoreCurrentPage();
    setupLight();
    addCallback(rootNode, lightingCallback, nullptr);
    buildDesk();
    return true;
}

void renderFrame() {
    // One clock value for the whole frame: every track and texture animates by it.
    frameTime = SDL_GetTicks();
    proceduralUpdateAll();
    drawFrame();
    SDL_GL_SwapBuffers();
}

void drawFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    // The whole scene lives in a frame 100 units in front of the eye.
    glTranslatef(0.0f, 0.0f, -100.0f);
    render(rootNode);
    flushTranslucent();
}

void runOnePass() {
    pollInput();
    // The system asked the program to end: keep the paintings, as the exit button does.
    if (terminationRequested() && rootNode && !rootNode->removing) saveSettingsAndQuit();
    renderFrame();
    // After the swap, so its drawing is never shown; the next clear removes it.
    runPickPass();
}

bool running() { return rootNode && !rootNode->dead; }

// Reverse order of start-up. Settings are not saved here: only
// saveSettingsAndQuit saves, so a run that ends any other way keeps the old file.
void shutDown() {
    // The audio callback reads settings->musicOn on its own thread: take the
    // settings away under the audio lock, which the callback runs inside.
    SDL_LockAudio();
    Settings* closing = settings;
    settings = nullptr;
    SDL_UnlockAudio();
    delete closing;
    // The traversal has already dismantled the children by the time the root is dead.
    destroyNode(rootNode);
    rootNode = nullptr;
    screenLayer = nullptr;
    destroyAudioMixer(audioMixer);
    audioMixer = nullptr;
    destroyCamera(camera);
    camera = nullptr;
}

void saveSettingsAndQuit() {
    // Saved before the tear-down starts, so the file is whole even if the
    // process dies during the remaining frames.
    if (settings) saveSettingsFile(*settings, settingsPath);
    if (rootNode) remove(rootNode);
}

void openScreen(TrackFn builder) {
    // Without a desk there is nothing to draw a screen over.
    if (!screenLayer || !builder) return;
    SceneNode* screen = createNode();
    playOneTrack(screen, builder, -1);
    addChild(screenLayer, screen);
}
