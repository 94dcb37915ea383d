#include "app/shell.h"

#include <algorithm>
#include <cstdlib>

#include "app/access_wiring.h"
#include "app/desk.h"
#include "app/keep_page.h"
#include "app/layer_wiring.h"
#include "app/machine_policy.h"
#include "app/profiles.h"
#include "app/options.h"
#include "app/settings_file.h"
#include "app/settings_saver.h"
#include "app/spare_memory.h"
#include "base/end_of_session.h"
#include "base/running_copy.h"
#include "base/gl.h"
#include "base/platform.h"
#include "book/book_state.h"
#include "book/page_catalog.h"
#include "book/page_neighbours.h"
#include "book/page_turn.h"
#include "engine/access.h"
#include "engine/audio.h"
#include "engine/camera.h"
#include "engine/frame_presenter.h"
#include "engine/input.h"
#include "engine/pick.h"
#include "engine/window_connection.h"
#include "engine/switches.h"
#include "proctex/procedural_texture.h"
#include "resources/pak.h"
#include "scene/animation.h"
#include "scene/picture_preparer.h"
#include "scene/render.h"
#include "screens/chooser_screen.h"
#include "screens/languages.h"
#include "screens/screen_state.h"
#include "screens/screens.h"

ShellState& shellState() {
    static ShellState shell;
    return shell;
}

namespace {
const uint32_t kRestingFramePeriod = 16;  // milliseconds
// Passes in a row with nothing drawn, no input and nothing due by the clock
// before the loop rests longer than a frame: what a pass sets off may show
// only a pass or two later (a press counted after the pick, a screen closed).
const int kQuietPassesBeforeLongRest = 4;
// Uploads of prepared pictures a pass: well inside a frame, at least one picture.
const double kUploadSliceMs = 3.0;

// Between frames, never before the first: what the screens and the turns will
// need is made ready, a slice a pass. All of it goes once the program ends.
void prepareAhead() {
    if (!shellState().rootNode || shellState().rootNode->removing) {
        stopPreparing();
        return;
    }
    if (!shellState().preparingInBackground || !shellState().firstFrameShown) return;
    // Short of memory: what is held ahead goes and nothing more is prepared
    // (jobs still out are taken back and let go here too).
    if (memoryTight(sceneState().frameTime)) {
        letFramesAheadGo();
        letGroupGoExcept(preparedScreens, {});
        letGroupGoExcept(preparedPages, {});
        preparePictures(kUploadSliceMs);
        return;
    }
    // The screens' archives, with a book for each child the chooser's too.
    prepareScreenArchives();
    prepareNeighbourPages();
    preparePictures(kUploadSliceMs);
}
}  // namespace

namespace {

// What needs the loop at full rate besides the scene's own tracks: start and
// end, the work prepared between frames, pictures that change by themselves,
// and the ways in that run by the clock (scanning, dwell).
bool busyBesidesTracks() {
    if (!shellState().rootNode || shellState().rootNode->removing || !shellState().firstFrameShown || shellState().musicWaiting) return true;
    if (shellState().preparingInBackground && !preparationSettled()) return true;
    if (!proceduralTextures().textures.empty()) return true;
    return accessState.settings.method != AccessMethod::keys || accessState.actPending || accessState.spotsWanted;
}

// When the rest after a pass that drew nothing ends: one frame on, or, once
// the loop has been quiet a few passes, when the scene's clock is next due
// and at most longestRestMs on. Input ends any rest at once.
uint32_t restDeadline(uint32_t passStart) {
    const uint32_t nextFrame = passStart + kRestingFramePeriod;
    uint32_t due = 0;
    const bool asked = clockDue(due);
    const bool quiet = !input().eventsThisPass && !busyBesidesTracks() && !(asked && int32_t(due - nextFrame) <= 0);
    shellState().quietPasses = quiet ? shellState().quietPasses + 1 : 0;
    if (shellState().quietPasses < kQuietPassesBeforeLongRest) return nextFrame;
    const uint32_t longest = passStart + std::max(shellState().longestRestMs, kRestingFramePeriod);
    return asked && int32_t(due - longest) < 0 ? due : longest;
}

}  // namespace

bool startUp(const Options& options) { return startUpWithSettingsPath(defaultSettingsPath(), options); }

namespace {

// The language of this start: the command line's when given, else the settings
// file's; a first start, with no file yet, follows the desktop's locale. Kept
// in the settings file from then on. With a book for each child the language
// is the household's (app/profiles.h).
int32_t chooseLanguage(int32_t stored, SettingsFileState found, const Options& options) {
    if (options.language >= 0) return options.language;
    // With a book for each child, the chooser and every book share one.
    if (profiles().on && profiles().language >= 0) return profiles().language;
    return found == SettingsFileState::missing ? languageFromEnvironment() : stored;
}

}  // namespace

// The order is the documentation: each step may use what the steps before it made.
bool startUpWithSettingsPath(const std::string& path, const Options& options) {
    // Before SDL starts: a termination signal at any moment from here on saves and quits.
    catchTerminationSignals();
    // Before anything is built: where the layers below call up to.
    wireLayersBelow(saveSettingsAndQuit);
    settingsPath() = path;
    shellState().firstFrameShown = false;
    SettingsFileState found = SettingsFileState::missing;
    applySettings(loadSettingsFile(settingsPath(), &found));
    applyPolicyToSwitches();
    startKeepingSettings(settingsPath(), found);
    // After the keeper has taken what the file holds, so that a language chosen
    // here differs from it and is written within the keeper's next check.
    switches().language = chooseLanguage(switches().language, found, options);
    if (options.windowWidth > 0)
        createWindowedCamera(options.windowWidth, options.windowHeight);
    else
        createCamera(0, 0, 0);
    // A window destroyed by another program ends the run, saved.
    startWatchingForLostWindow();
    audioState().mixer = createAudioMixer();
    // Windows ends a session with a window message and no time to spare.
    watchEndOfSession([] { saveSettingsNow(); });
    // A second start brings this window forward.
    markPaintingWindow();
    shellState().rootNode = createNode();
    shellState().musicWaiting = switches().musicOn;
    restoreCurrentPage();
    setupLight();
    addCallback(shellState().rootNode, lightingCallback, nullptr);
    setPresenterOptions(presenterOptionsFromEnvironment());
    const DeskParts desk = buildDesk(shellState().rootNode);
    screenState().layer = desk.screens;
    startAccess(shellState().rootNode, desk, options);
    addKioskExit(shellState().rootNode, saveSettingsAndQuit);
    openStartScreen(saveSettingsAndQuit);
    return true;
}

bool renderFrame() {
    // One clock value for the whole frame: every track and texture animates by it.
    sceneState().frameTime = SDL_GetTicks();
    startClockWatch();
    proceduralUpdateAll(sceneState().frameTime);
    return presentFrame(shellState().rootNode);
}

void runOnePass() {
    const uint32_t passStart = SDL_GetTicks();
    pollInput();
    // The window is gone, destroyed by another program: nothing can be drawn
    // or shown any more (drawing would only meet the window system's errors),
    // so the paintings are saved and the program ends here, as it does when
    // the X connection is lost.
    if (input().windowLost) {
        saveSettingsNow();
        std::exit(0);
    }
    // Uncovered or restored, the window shows its picture again in this pass's
    // frame, though the desk rests and nothing moved.
    if (input().windowUncovered) showWindowAgainNextFrame();
    // Keys and switches act before the handlers read the pass's input.
    accessBeforeFrame();
    // The system asked the program to end: keep the paintings, as the exit button does.
    if (terminationRequested() && shellState().rootNode && !shellState().rootNode->removing) saveSettingsAndQuit();
    const bool drew = renderFrame();
    // After the swap, so its drawing is never shown; the next frame replaces it.
    runPickPassIfChanged(drew);
    // After the pick, whose registrations are the targets.
    if (camera()) accessAfterPick(camera()->width, camera()->height);
    // After the frame and the pick, so the page drawn off-screen leaves both alone.
    keepShownPageOnKey();
    keepSettingsUpToDate(sceneState().frameTime);
    shellState().firstFrameShown = shellState().firstFrameShown || drew;
    if (shellState().firstFrameShown && shellState().musicWaiting) {
        shellState().musicWaiting = false;
        if (switches().musicOn) playSound("music.wav", true);
    }
    prepareAhead();
    // Nothing changed on screen: rather than spin, wait for input or the next
    // animation step, one frame at 60 Hz, or longer once all is still.
    // Animation runs by the clock, so a frame drawn later shows exactly what
    // it would have shown.
    if (drew) {
        shellState().quietPasses = 0;
        return;
    }
    restUntilInput(restDeadline(passStart));
}

bool running() { return shellState().rootNode && !shellState().rootNode->dead; }

// Reverse order of start-up. Settings are not saved here: saveSettingsAndQuit
// saves last, and the keeper has written every change before it; shutdown only
// waits for a write in flight. The switches and the book's state are static
// objects that outlive the audio device.
void shutDown() {
    stopKeepingSettings();
    // The traversal has already dismantled the children by the time the root is dead.
    destroyNode(shellState().rootNode);
    shellState().rootNode = nullptr;
    screenState().layer = nullptr;
    destroyAudioMixer(audioState().mixer);
    audioState().mixer = nullptr;
    // The worker stopped, and the prepared pictures let go while their
    // archives and the context are still there.
    stopPreparing();
    // Sounds let go of their archives once converted, and everything else as
    // the tree came down: what is still open now is closed.
    pakCloseAll();
    // The presenter's pictures belong to the window's context: freed before it goes.
    closePresenter();
    destroyCamera(camera());
}

void saveSettingsAndQuit() {
    // Saved before the tear-down starts, so the file is whole even if the
    // process dies during the remaining frames.
    saveSettingsNow();
    unmarkPaintingWindow();
    if (shellState().rootNode) remove(shellState().rootNode);
}
