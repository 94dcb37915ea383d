// screenpreview DATADIR OUTDIR NAME [SHRINK]: starts the real program once per
// language (a settings file naming it, in a fresh folder), opens each of the six
// screens over the desk (and the chooser of a child's book, and the menu
// with that child's button) as its button would, and writes
// OUTDIR/desk_SCREEN_LANG_NAME.png for each, plus OUTDIR/desk_sheet_NAME.png with
// one row per language. The window takes the X screen's size; rendering on a
// screen SHRINK times larger and shrinking smooths the edges as multisampling
// does on a real screen.
#include <cairo.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "previewkit/frame_capture.h"
#include "app/settings_file.h"
#include "app/shell.h"
#include "base/gl.h"
#include "book/book_state.h"
#include "engine/camera.h"
#include "engine/engine_state.h"
#include "engine/pick.h"
#include "scene/render.h"
#include "screens/chooser_entries.h"
#include "screens/chooser_screen.h"
#include "screens/screen_entries.h"
#include "screens/screen_state.h"
#include "screens/screens.h"

namespace {

struct Shown {
    const char* name;
    void (*open)();
    void (*openOver)();  // a second-level screen over the first, or null
};

void openHelp() { openScreen(ModalLevel::screen, buildHelpScreen); }
void openExit() { openScreen(ModalLevel::screen, buildExitScreen); }
void openAbout() { openScreen(ModalLevel::subScreen, buildAboutScreen); }
void openClearAll() { openScreen(ModalLevel::subScreen, buildClearAllScreen); }

// A book for each child, as a machine's policy turns it on: every animal
// offered and the first one's book open, so that the chooser shows all the
// pictures and the menu shows the child's own button.
void offerEveryAnimal() {
    chooserState().animals.clear();
    for (int32_t animal = 0; animal < animalCount; ++animal) chooserState().animals.push_back(animal);
    chooserState().current = 0;
}
void openChooser() {
    offerEveryAnimal();
    openChooserScreen();
}
void openSetupOfAChild() {
    offerEveryAnimal();
    openSetupScreen();
}

const Shown kScreens[] = {
    {"help", openHelp, nullptr},         {"setup", openSetupScreen, nullptr},
    {"about", openSetupScreen, openAbout}, {"clearall", openSetupScreen, openClearAll},
    {"exit", openExit, nullptr},         {"clearpage", openClearPageScreen, nullptr},
    {"chooser", openChooser, nullptr},   {"setupchild", openSetupOfAChild, nullptr},
};
const int kScreenCount = int(sizeof kScreens / sizeof kScreens[0]);

void passes(int n) {
    for (int i = 0; i < n; ++i) runOnePass();
}

// Every screen closed at once, as if each had been left, and taken down.
void closeScreens() {
    for (SceneNode* holder : screenState().layer->children) closeModalScreen(holder);
    passes(8);
}

bool startLanguage(int language, const std::string& folder) {
    // The switches at their defaults, so the check boxes show ticked; the
    // help that this opens at start-up is closed before the first picture.
    Settings s;
    s.language = language;
    std::string path = folder + "/velvadine_quillmead_cfg";
    if (!saveSettingsFile(s, path)) return false;
    resetSceneState();
    resetEngineState();
    resetBook();
    resetScreens();
    return startUpWithSettingsPath(path);
}

void stopProgram() {
    remove(shellState().rootNode);
    for (int i = 0; i < 1000 && running(); ++i) runOnePass();
    shutDown();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: screenpreview DATADIR OUTDIR NAME [SHRINK]\n");
        return 2;
    }
    int shrink = argc == 5 ? std::max(1, std::atoi(argv[4])) : 1;
    std::string out = argv[2], name = argv[3];
    if (out[0] != '/') {
        char cwd[4096];
        if (getcwd(cwd, sizeof cwd)) out = std::string(cwd) + "/" + out;
    }
    if (chdir(argv[1]) != 0) {
        std::fprintf(stderr, "screenpreview: no folder %s\n", argv[1]);
        return 1;
    }
    char folder[] = "/tmp/qm_screenpreview_XXXXXX";
    if (!mkdtemp(folder)) return 1;

    bool ok = true;
    cairo_surface_t* sheet = nullptr;
    cairo_t* sheetCr = nullptr;
    int cellW = 0, cellH = 0;
    for (int language = 0; language < screenLanguageCount && ok; ++language) {
        if (!startLanguage(language, folder)) return 1;
        // The pointer rests at the right edge, where it covers nothing.
        SDL_WarpMouse(Uint16(camera()->width - 4), Uint16(camera()->height / 2));
        passes(4);
        closeScreens();
        if (!sheet) {
            cellW = camera()->width / shrink / 4;
            cellH = camera()->height / shrink / 4;
            sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kScreenCount * cellW, screenLanguageCount * cellH);
            sheetCr = cairo_create(sheet);
        }
        for (int i = 0; i < kScreenCount; ++i) {
            const Shown& shown = kScreens[i];
            shown.open();
            passes(3);
            if (shown.openOver) {
                shown.openOver();
                passes(3);
            }
            cairo_surface_t* shot = shrunk(captureFrame(shellState().rootNode), shrink);
            std::string file = out + "/desk_" + shown.name + "_" + languageCodes[language] + "_" + name + ".png";
            ok = savePng(shot, file, "screenpreview") && ok;
            cairo_save(sheetCr);
            cairo_translate(sheetCr, i * cellW, language * cellH);
            cairo_scale(sheetCr, 0.25, 0.25);
            cairo_set_source_surface(sheetCr, shot, 0, 0);
            cairo_pattern_set_filter(cairo_get_source(sheetCr), CAIRO_FILTER_GOOD);
            cairo_paint(sheetCr);
            cairo_restore(sheetCr);
            cairo_surface_destroy(shot);
            closeScreens();
        }
        stopProgram();
    }
    if (sheet) {
        cairo_destroy(sheetCr);
        ok = savePng(sheet, out + "/desk_sheet_" + name + ".png", "screenpreview") && ok;
        cairo_surface_destroy(sheet);
    }
    return ok ? 0 : 1;
}
