// Quillmead: the command line, the data folder, the display, then either the
// pages saved as pictures (--export) or the book's lock, start-up, the main
// loop until the scene tree has dismantled itself, and shutdown.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include "app/access_config.h"
#include "app/access_wiring.h"
#include "app/book_claim.h"
#include "app/data_folder.h"
#include "app/desk_check.h"
#include "app/export_book.h"
#include "app/keep_page.h"
#include "app/machine_policy.h"
#include "app/options.h"
#include "app/picture_files.h"
#include "app/print_book.h"
#include "app/profiles.h"
#include "app/settings_saver.h"
#include "app/shell.h"
#include "app/start_notices.h"
#include "base/command_line.h"
#include "base/desktop_notice.h"
#include "base/gl.h"  // SDL renames main where it needs its own entry point
#include "base/large_blocks.h"
#include "base/platform.h"
#include "base/temporary_file_journal.h"
#include "base/temporary_files.h"
#include "base/video_driver.h"
#include "resources/pak.h"
#include "screens/languages.h"

namespace {

// The books run one after the other, one pass at a time: the desktop calls
// this in a loop, the browser once per animation frame.
struct BookRuns {
    Options options;
    std::string settings;        // the usual book's settings file, claimed at the start
    std::string book;            // the book of the run under way or next
    int32_t noticeLanguage = 0;
    bool inBook = false;         // a run has started and its tree is not down yet
    bool ownBook = false;        // that run's book is a child's own, with its own lock
    bool deskChecked = false;
};

// One pass of the loop; starts the next book's run first when none is under
// way, and ends the run once its tree is down. False when no book is left.
bool runBooksOnePass(BookRuns& runs) {
    if (!runs.inBook) {
        // A child's book (not the usual one, claimed above) has its own lock:
        // another copy painting in it keeps it, and this one ends.
        runs.ownBook = !runs.book.empty() && runs.book != runs.settings;
        const BookClaim ownClaim = runs.ownBook ? claimBook(runs.book, runs.noticeLanguage) : BookClaim::mine;
        if (endsWithoutWindow(ownClaim)) return false;
        if (ownClaim == BookClaim::notKept) keepNothingThisRun();
        startUpWithSettingsPath(runs.book, runs.options);
        endAtOnceOnTermination(false);
        runs.inBook = true;
    }
    if (running()) runOnePass();
    // Once, where the child cannot notice: the first frame is up.
    if (!runs.deskChecked) checkDeskPicturesNotShown();
    runs.deskChecked = true;
    if (running()) return true;
    shutDown();
    runs.inBook = false;
    if (runs.ownBook) releaseBook(runs.book);
    return takeNextBook(runs.book);
}

#ifdef __EMSCRIPTEN__
BookRuns* pageRuns = nullptr;

}  // namespace

// Called by the page (pre.js) when it is hidden or closed: the paintings of
// the last half second are written before the book's folder is copied.
extern "C" EMSCRIPTEN_KEEPALIVE void quillmeadPageHidden() { keepSettingsUpToDateNow(SDL_GetTicks()); }

namespace {

// The page's animation frame: one pass; when no book is left the loop stops.
void runOnePassInPage() {
    if (runBooksOnePass(*pageRuns)) return;
    stopDeskPicturesAhead();
    emscripten_cancel_main_loop();
}
#endif

}  // namespace

int main(int argc, char* argv[]) {
    keepLargeBlocksInTheirOwnMappings();
    answerOnStartingConsole();
    // From here on every argument is UTF-8, on every system.
    const std::vector<std::string> arguments = commandLineArguments(argc, argv);
    std::vector<const char*> argumentTexts;
    for (const std::string& argument : arguments) argumentTexts.push_back(argument.c_str());
    Options options;
    std::string why;
    if (!parseOptions(int(argumentTexts.size()), argumentTexts.data(), options, why)) {
        std::fprintf(stderr, "quillmead: %s\n%s", why.c_str(), usageText());
        return 2;
    }
    if (options.help) {
        std::fputs(usageText(), stdout);
        return 0;
    }
    if (options.version) {
        std::fputs(versionText(), stdout);
        return 0;
    }
    // The machine's policy wins over every option.
    machinePolicy() = loadMachinePolicy();
    if (!applyPolicyToOptions(options, why)) {
        std::fprintf(stderr, "quillmead: %s\n", why.c_str());
        return 1;
    }
    // Taken from the folder the program was started in, before it changes into
    // the data folder.
    std::string exportFolder = options.exportFolder.empty() ? "" : absolutePath(options.exportFolder);
    std::string pdfFile = options.pdfFile.empty() ? "" : absolutePath(options.pdfFile);
    // Drawing the whole book takes seconds: a computer that cannot print is said first.
    if (options.print && options.pdfFile.empty() && !canPrint()) return 1;
    // The language of what is said before the settings file is read:
    // --language, else the desktop's.
    const int32_t noticeLanguage = options.language >= 0 ? options.language : languageFromEnvironment();
    std::string dataFolder;
    if (!enterDataFolder(options.dataFolder, &dataFolder)) {
        showDesktopNotice("Quillmead", dataMissingNotice(noticeLanguage, dataFolder));
        return 1;
    }
    // A folder that cannot hold the pictures is said before anything needs a display.
    if (!exportFolder.empty() && !makeWritableFolder(exportFolder, why)) {
        std::fprintf(stderr, "quillmead: cannot save pictures in %s: %s\n", exportFolder.c_str(), why.c_str());
        return 1;
    }
    // Before SDL starts, which would otherwise turn the signals into quit events
    // the program ignores. Until the main loop runs, a termination signal ends
    // the program at once: start-up may wait where nothing looks (a pointer grab
    // another program holds), and nothing needs saving yet.
    catchTerminationSignals();
    endAtOnceOnTermination(true);
    // Nothing to paint on: one line and nothing else, not even SDL's own words.
    // A driver chosen on purpose that cannot give OpenGL is refused before SDL
    // starts, since text-mode drivers write into the terminal as they start.
    const std::string driverWithoutOpenGL = chosenVideoDriverWithoutOpenGL();
    if (!driverWithoutOpenGL.empty()) {
        std::fprintf(stderr, "quillmead needs OpenGL, which the video driver \"%s\" (SDL_VIDEODRIVER) cannot give: no display found\n",
                     driverWithoutOpenGL.c_str());
        return 1;
    }
    preferX11VideoDriver();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) < 0) {
        std::fputs("quillmead needs a graphical desktop: no display found\n", stderr);
        return 1;
    }
    const SDL_VideoInfo* desktop = SDL_GetVideoInfo();
    if (desktop && !windowFitsDesktop(options, desktop->current_w, desktop->current_h, why)) {
        std::fprintf(stderr, "quillmead: %s\n%s", why.c_str(), usageText());
        return 2;
    }
    // Only now: finding the settings folder makes it, and nothing is made without a display.
    configureProfiles(defaultSettingsPath());
    // What killed runs left: the temporary files the journal lists (exports
    // into any folder); print jobs in the settings folder; beside the book an
    // export is asked for, that book's temporary files; half-written pictures
    // an hour old where exports and Ctrl+S put them.
    const std::string ownFolder = settingsFolder();
    if (!ownFolder.empty()) useTemporaryFileJournal(ownFolder + pathSeparator() + temporaryFileJournalName());
    removeListedTemporaryFilesOfEndedRuns();
    removeTemporaryFilesOfEndedRuns(ownFolder, temporaryFileJournalName());
    removeTemporaryFilesOfEndedRuns(ownFolder, "");
    if (!pdfFile.empty()) {
        const size_t slash = pdfFile.find_last_of("/\\");
        removeTemporaryFilesOfEndedRuns(pdfFile.substr(0, slash), pdfFile.substr(slash + 1));
        removeOldPartFiles(pdfFile.substr(0, slash));
    }
    removeOldPartFiles(exportFolder);
    if (!picturesFolder().empty()) removeOldPartFiles(picturesFolder() + pathSeparator() + "Quillmead");
    // --export only reads the book, so it never waits for the copy that writes it.
    if (!exportFolder.empty())
        return exportPaintedPages(exportFolder, options.pictureWidth, options.pictureHeight,
                                  options.asSeen ? PictureLook::asSeen : PictureLook::forPaper);
    if (!pdfFile.empty() || options.print) return exportBookAsPdf(pdfFile, options.print, options.language);

    std::string settings = defaultSettingsPath();
    const BookClaim claim = claimBook(settings, noticeLanguage);
    if (endsWithoutWindow(claim)) return 0;
    if (claim == BookClaim::notKept) keepNothingThisRun();
    if (!deskModelsWhole(noticeLanguage)) return 1;
    setKeptPageSize(options.pictureWidth, options.pictureHeight);
    readAccessConfig(accessConfigPath(), userAccessSettings());
    static BookRuns runs;
#ifdef __EMSCRIPTEN__
    pageRuns = &runs;
#endif
    runs.options = options;
    runs.settings = settings;
    runs.noticeLanguage = noticeLanguage;
    // With a book for each child, each book chosen is a run of its own.
    runs.book = firstRunSettingsPath();
#ifdef __EMSCRIPTEN__
    // The page calls one pass per animation frame; main returns at once and
    // the program lives on in the page.
    emscripten_set_main_loop(runOnePassInPage, 0, false);
    return 0;
#else
    while (runBooksOnePass(runs)) {
    }
#endif
    stopDeskPicturesAhead();
    return 0;
}
