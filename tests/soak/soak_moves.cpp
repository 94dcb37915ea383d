// What the soak's child does: random moves over the whole desk, and the tour
// that visits every screen and brings the desk back to its resting state.
#include <algorithm>
#include <cstdio>

#include "app/hud_actions.h"
#include "app/shell.h"
#include "book/book_state.h"
#include "book/page_store.h"
#include "book/page_turn.h"
#include "book/palette.h"
#include "engine/audio.h"
#include "engine/camera.h"
#include "engine/pick.h"
#include "engine/switches.h"
#include "screens/controls.h"
#include "screens/screen_state.h"
#include "screens/screens.h"
#include "screens/web_link.h"
#include "soak/soak.h"
#include "support/desk_driver.h"
#include "support/scene_probe.h"

namespace {

bool under(const SceneNode* node, const SceneNode* ancestor) {
    if (node == ancestor) return true;
    for (const SceneNode* c : ancestor->children)
        if (under(node, c)) return true;
    return false;
}


bool runsTrack(const SceneNode* node, TrackFn fn, const void* arg = nullptr) {
    for (const AnimTrack& t : node->animator.tracks)
        if (t.fn == fn && (!arg || t.arg == arg)) return true;
    return false;
}

bool hasTrack(const SceneNode* node, TrackFn fn, const void* arg = nullptr) {
    if (runsTrack(node, fn, arg)) return true;
    for (const SceneNode* c : node->children)
        if (hasTrack(c, fn, arg)) return true;
    return false;
}

// The check box picture bound to flag under node.
SceneNode* findCheckBox(SceneNode* node, bool* flag) {
    if (!node || node->removing) return nullptr;
    if (runsTrack(node, checkBoxToggle, flag)) return node;
    for (SceneNode* c : node->children)
        if (SceneNode* found = findCheckBox(c, flag)) return found;
    return nullptr;
}

// A click on it ends the program (the exit screen's OK, the parents' link).
bool endsProgram(const SceneNode* node) {
    return node && (runsTrack(node, confirmExitAction) || runsTrack(node, openWebSiteAction));
}

// Ending the program is let through once in this many tries, so that the runs
// between starts are long (a thing left behind accumulates) and yet start-up
// and shutdown come round now and then.
bool letEnd(std::mt19937& rng) { return std::uniform_int_distribution<int>(0, 11)(rng) == 0; }

// Where the node shows most clearly in the last frame, as the pointer position
// whose pick reads that pixel (pointAt's); false when it does not show.
bool spotOf(SceneNode* node, int& x, int& y) {
    std::vector<SceneNode*> nodes = pickableNodes(shellState().rootNode);
    auto it = std::find(nodes.begin(), nodes.end(), node);
    if (it == nodes.end()) return false;
    PixelSpot spot = deepestPixel(renderIdBuffer(nodes), int32_t(it - nodes.begin()));
    x = spot.x;
    y = camera()->height - spot.glY;
    return spot.found;
}

// Points at the node, lets the pick find it, clicks, and gives the click a pass.
bool clickNode(SceneNode* node) {
    int x = 0, y = 0;
    if (!node || !spotOf(node, x, y)) return false;
    pushPointer(x, y, false);
    soakPasses(2);
    pushPointer(x, y, true);
    soakPasses(2);
    ++soak.clicks;
    return true;
}

void key(SDLKey sym, SDLMod mod = KMOD_NONE) {
    pushKey(sym, mod);
    ++soak.keys;
}

bool anyScreen() { return topmostOpenLevel() != ModalLevel::desk; }

void fault(const char* step) {
    char line[160];
    std::snprintf(line, sizeof line, "frame %ld: %s", soak.frames, step);
    soak.faults.push_back(line);
}

void expect(bool ok, const char* step) {
    if (!ok) fault(step);
}

// Until that many sound channels are free (at most 3 s), so that the next
// sounds play and are loaded.
void waitForIdleChannels(int wanted) {
    uint32_t since = sceneState().frameTime;
    for (;;) {
        int idle = 0;
        SDL_LockAudio();
        for (const AudioChannel& c : audioState().channels) idle += c.position == c.length && !c.looping;
        SDL_UnlockAudio();
        if (idle >= wanted || !audioState().mixer || audioState().mixer->failed || sceneState().frameTime - since > 3000) return;
        soakPass();
    }
}

bool musicLoaded() {
    return audioState().mixer &&
           std::find(audioState().mixer->names.begin(), audioState().mixer->names.end(), "music.wav") != audioState().mixer->names.end();
}

void tourKey(SDLKey sym) {
    waitForIdleChannels(1);
    key(sym);
}

// Escape closes the topmost screen; never used with none open (it would ask to stop).
void closeEveryScreen() {
    soakPasses(2);  // a screen asked for in the last pass is built first
    for (int i = 0; i < 8 && anyScreen(); ++i) {
        tourKey(SDLK_ESCAPE);
        soakPasses(2);
    }
    expect(!anyScreen(), "Escape did not close every screen");
}

// A click on the node found, then passes for what it opens to be built.
void clickFound(SceneNode* node, const char* step) {
    waitForIdleChannels(1);
    expect(clickNode(node), step);
    soakPasses(2);
}

SceneNode* anyRegion(std::mt19937& rng) {
    if (!book().pageHolder || book().pageHolder->children.empty()) return nullptr;
    std::vector<SceneNode*> regions;
    for (SceneNode* n : book().pageHolder->children)
        if (!n->removing && elementOf(n) >= 0) regions.push_back(n);
    if (regions.empty()) return nullptr;
    return regions[std::uniform_int_distribution<size_t>(0, regions.size() - 1)(rng)];
}

// A jar, then a region of the page: the region is painted.
void paintSomething(std::mt19937& rng) {
    clickFound(jarBody(std::uniform_int_distribution<int>(0, 8)(rng)), "a jar could not be clicked");
    clickFound(anyRegion(rng), "a region could not be clicked");
    soakPassesFor(600);  // the back and clear buttons grow in
}

SceneNode* hud() { return shellState().rootNode->children[2]; }

void turnTo(int32_t number) {
    for (int i = 0; i < 2 * kPageCount && currentPageNumber() != number; ++i) {
        tourKey(SDLK_RIGHT);
        soakPasses(3);
    }
    expect(currentPageNumber() == number, "the arrow key did not reach the first page");
}

}  // namespace

void noteScreens() {
    static bool shown[soakScreenKinds] = {};
    bool now[soakScreenKinds] = {};
    if (screenState().layer)
        for (const SceneNode* h : screenState().layer->children) {
            if (h->removing) continue;
            now[helpScreen] |= hasTrack(h, checkBoxToggle, &switches().showHelpAtStart);
            now[setupScreen] |= hasTrack(h, openAboutAction);
            bool clearAll = hasTrack(h, confirmClearAllAction);
            now[clearAllScreen] |= clearAll;
            now[aboutScreen] |= !clearAll && hasTrack(h, closeSubScreen);
            now[exitScreen] |= hasTrack(h, confirmExitAction);
            now[clearPageScreen] |= hasTrack(h, confirmClearPageAction);
        }
    for (int k = 0; k < soakScreenKinds; ++k) {
        soak.openings[k] += now[k] && !shown[k];
        shown[k] = now[k];
    }
    // A built screen on show is modal: the flag of its level is set while it is.
    static const char* const names[soakScreenKinds] = {"help", "setup", "about", "clear-all", "exit", "clear-page"};
    static bool reported = false;
    for (int k = 0; k < soakScreenKinds && !reported; ++k) {
        bool second = k == aboutScreen || k == clearAllScreen;
        if (now[k] && !(second ? modalLevelOpen(ModalLevel::subScreen) : modalLevelOpen(ModalLevel::screen))) {
            char step[120];
            std::snprintf(step, sizeof step, "the %s screen shows while its level's screen flag is clear", names[k]);
            fault(step);
            reported = true;  // once: it stays so until the screen goes
        }
    }
}

void randomMove(std::mt19937& rng) {
    int w = camera()->width, h = camera()->height;
    std::uniform_int_distribution<int> kind(0, 99), px(0, w - 1), py(0, h - 1), few(1, 3);
    int k = kind(rng);
    if (k < 25) {  // the pointer wanders
        pushPointer(px(rng), py(rng), false);
        soakPasses(few(rng));
    } else if (k < 40) {  // a tap anywhere, moved and clicked in one pass
        int x = px(rng), y = py(rng);
        bool click = true;
        if (anyScreen()) {
            std::vector<SceneNode*> all = pickableNodes(shellState().rootNode);
            // The row the pick reads for that pointer position.
            int32_t at = renderIdBuffer(all).at(x, std::min(h - 1, h - y));
            click = at < 0 || !endsProgram(all[size_t(at)]) || letEnd(rng);
        }
        pushPointer(x, y, click);
        soak.clicks += click;
        soakPasses(1 + few(rng));
    } else if (k < 75) {  // a click on something that reacts
        std::vector<SceneNode*> all = pickableNodes(shellState().rootNode), screen, page, desk;
        for (SceneNode* n : all) {
            if (screenState().layer && under(n, screenState().layer))
                screen.push_back(n);
            else if (book().pageHolder && under(n, book().pageHolder))
                page.push_back(n);
            else
                desk.push_back(n);
        }
        int c = kind(rng);
        std::vector<SceneNode*>& from = anyScreen() && !screen.empty() && c < 75 ? screen
                                        : c < 40 && !page.empty()                ? page
                                                                                 : desk;
        if (from.empty()) return;
        SceneNode* node = from[std::uniform_int_distribution<size_t>(0, from.size() - 1)(rng)];
        int x = 0, y = 0;
        if ((endsProgram(node) && !letEnd(rng)) || !spotOf(node, x, y)) return;
        if (kind(rng) < 50) {  // hovered first, as a mouse does
            pushPointer(x, y, false);
            soakPasses(2);
        }
        pushPointer(x, y, true);
        ++soak.clicks;
        soakPasses(2);
    } else if (k < 95) {  // a key
        static const SDLKey keys[] = {SDLK_LEFT,  SDLK_RIGHT, SDLK_LEFT, SDLK_RIGHT, SDLK_F1,    SDLK_ESCAPE,
                                      SDLK_ESCAPE, SDLK_RETURN, SDLK_SPACE, SDLK_a,     SDLK_UP,   SDLK_s,
                                      SDLK_PRINT, SDLK_s};
        size_t i = std::uniform_int_distribution<size_t>(0, sizeof keys / sizeof keys[0] - 1)(rng);
        if (keys[i] == SDLK_RETURN && findTrack(screenState().layer, confirmExitAction) && !letEnd(rng)) return;
        // The last s is Ctrl+S: the page on show saved as a picture.
        key(keys[i], i + 1 == sizeof keys / sizeof keys[0] ? KMOD_LCTRL : KMOD_NONE);
        soakPasses(few(rng));
    } else {  // a pause: stars fly out, buttons shrink back
        soakPasses(std::uniform_int_distribution<int>(10, 60)(rng));
    }
}

void quitAndStartAgain() {
    int starts = soak.starts;
    closeEveryScreen();
    tourKey(SDLK_ESCAPE);
    soakPasses(3);
    tourKey(SDLK_RETURN);
    for (int i = 0; i < 1000 && soak.starts == starts; ++i) soakPass();
    expect(soak.starts > starts, "Escape and Return did not end the program");
}

void turnThroughBook() {
    closeEveryScreen();
    for (int i = 0; i < kPageCount; ++i) {
        key(SDLK_RIGHT);
        soakPasses(3);
    }
}

void turnBothWaysWithScreens() {
    closeEveryScreen();
    for (SDLKey way : {SDLK_RIGHT, SDLK_LEFT}) {
        for (int i = 0; i < kPageCount; ++i) {
            const int32_t before = currentPageNumber();
            key(way);
            soakPasses(3);
            expect(currentPageNumber() != before, "an arrow key did not turn the page");
            // A screen over a freshly turned page, as a child opens the help in
            // the middle of the book.
            if (i % 5 == 2) {
                soakUntilPrepared();
                tourKey(SDLK_F1);
                soakPasses(3);
                expect(modalLevelOpen(ModalLevel::screen), "F1 did not open the help over a turned page");
                closeEveryScreen();
            }
        }
    }
}

void tourAndRest(std::mt19937& rng) {
    closeEveryScreen();

    tourKey(SDLK_F1);
    soakPasses(3);
    expect(modalLevelOpen(ModalLevel::screen), "F1 did not open the help screen");
    closeEveryScreen();

    clickFound(findTrack(hud(), openSetupAction), "the menu button could not be clicked");
    expect(findTrack(screenState().layer, openAboutAction), "the menu button did not open the setup screen");
    // Sounds and music on, as at a first start. Music switched on while every
    // channel is busy never starts (the box's own sound takes the last one), so
    // it is switched off and on again with two channels free.
    if (!switches().soundOn) clickFound(findCheckBox(screenState().layer, &switches().soundOn), "a switch could not be clicked");
    if (switches().musicOn && !musicLoaded())
        clickFound(findCheckBox(screenState().layer, &switches().musicOn), "a switch could not be clicked");
    if (!switches().musicOn) {
        waitForIdleChannels(2);
        clickFound(findCheckBox(screenState().layer, &switches().musicOn), "a switch could not be clicked");
    }
    expect(switches().soundOn && switches().musicOn, "the switches' check boxes did not switch");
    clickFound(findTrack(screenState().layer, openAboutAction), "the about button could not be clicked");
    expect(modalLevelOpen(ModalLevel::subScreen), "the about button did not open the about screen");
    tourKey(SDLK_ESCAPE);
    soakPasses(2);
    clickFound(findTrack(screenState().layer, openClearAllAction), "the clear-all button could not be clicked");
    clickFound(findTrack(screenState().layer, confirmClearAllAction), "the clear-all OK could not be clicked");
    expect(isPageClean() && !modalLevelOpen(ModalLevel::subScreen) && modalLevelOpen(ModalLevel::screen), "clearing all pages left paint or the wrong screens");
    closeEveryScreen();

    paintSomething(rng);
    expect(!isPageClean(), "a jar and a region did not paint");
    clickFound(stateButton(StateButtonKind::back, false), "the back button could not be clicked");
    expect(isPageClean(), "the back button did not take the fill back");
    paintSomething(rng);
    clickFound(stateButton(StateButtonKind::clear, false), "the clear button could not be clicked");
    clickFound(findTrack(screenState().layer, confirmClearPageAction), "the clear-page OK could not be clicked");
    expect(isPageClean() && !anyScreen(), "the clear-page OK did not clear the page");

    // The loaded brush fills the first well when it is empty; then every full
    // well is emptied by its clear drop and the brush washed.
    if (book().wells[0].empty) {
        clickFound(wellNode(0), "a well could not be clicked");
        soakPassesFor(400);  // its clear drop grows to its full size, large enough to point at
    }
    for (int32_t i = 0; i < 4; ++i)
        if (!book().wells[i].empty) {
            std::vector<SceneNode*> drops = wellDrops(i, DropKind::clear);
            clickFound(drops.empty() ? nullptr : drops[0], "a well's clear drop could not be clicked");
            soakPasses(2);  // the well is built again
        }
    for (int32_t i = 0; i < 4; ++i) expect(book().wells[i].empty, "a clear drop did not empty its well");
    if (!book().brushClean) clickFound(findTrack(shellState().rootNode, glassTrack), "the glass could not be clicked");
    expect(book().brushClean, "the glass did not wash the brush");
    // The keyboard's focus ticks as it moves.
    tourKey(SDLK_TAB);
    soakPasses(2);
    // The mixer keeps every sound it has played for the run: all of them heard
    // makes the heap the same at every rest.
    expect(!audioState().mixer || audioState().mixer->failed || audioState().mixer->names.size() == 7, "the tour did not hear every sound");

    tourKey(SDLK_ESCAPE);
    soakPasses(3);
    expect(findTrack(screenState().layer, confirmExitAction), "Escape did not ask to stop");
    closeEveryScreen();

    turnTo(pageTable[0].number);
    // Resting: the pointer on the bare desk, every animation over, the count still.
    pushPointer(1, 1, false);
    soakPassesFor(1500);
    for (int i = 0, last = -1; i < 20; ++i) {
        int now = countNodes(shellState().rootNode);
        if (now == last) break;
        last = now;
        soakPassesFor(300);
    }
}
