#include "app/print_book.h"

#include <cstdio>

#include "app/export_book.h"
#include "app/settings_file.h"
#include "base/platform.h"
#include "base/print_spool.h"
#include "base/temporary_files.h"
#include "app/profiles.h"
#include "screens/languages.h"

namespace {

void sayNoPrinting(const std::string& said) {
    std::fprintf(stderr,
                 "quillmead: cannot print: this computer has no printing system (%s). "
                 "quillmead --export-pdf FILE saves the book to print elsewhere.\n",
                 said.c_str());
}

}  // namespace

bool canPrint() {
    std::string said;
    if (printingAvailable(said) != PrintOutcome::noPrinting) return true;
    sayNoPrinting(said);
    return false;
}

int exportBookAsPdf(const std::string& pdfPath, bool print, int32_t language) {
    std::string said;
    std::string path = pdfPath;
    if (path.empty()) {
        std::string folder = settingsFolder();
        if (folder.empty()) {
            std::fprintf(stderr, "quillmead: cannot print: there is no folder to prepare the book in\n");
            return 1;
        }
        path = folder + "/" + printJobName(processId());
        // Removed however the program ends; a kill's is removed by the next start.
        holdTemporaryFile(path);
    }
    // The cover and the chapters in the household's language: the command
    // line's (or the policy's), else the usual file's, else the desktop's.
    if (language < 0) {
        SettingsFileState state = SettingsFileState::missing;
        Settings usual = loadSettingsFile(defaultSettingsPath(), &state);
        language = state == SettingsFileState::missing ? languageFromEnvironment() : usual.language;
    }
    std::vector<PdfChapter> chapters = profileChapters(language);
    if (!openPageDrawing(kPdfPictureWidth, kPdfPictureHeight)) {
        closePageDrawing();
        return 1;
    }
    int32_t pages = writeBookPdf(path, chapters, language);
    closePageDrawing();
    if (pages < 0) return 1;
    if (pages == 0) {
        std::printf("No page has been painted yet, so there is nothing to %s.\n", print ? "print" : "save");
        return 0;
    }
    if (!pdfPath.empty()) std::printf("%s: %d painted page%s\n", path.c_str(), int(pages), pages == 1 ? "" : "s");
    if (!print) return 0;
    PrintOutcome outcome = printFile(path, "Quillmead", said);
    if (pdfPath.empty()) {
        removeFile(path);
        letGoOfTemporaryFile(path);
    }
    switch (outcome) {
    case PrintOutcome::queued:
        std::printf("The book (%d painted page%s) was sent to the printer.\n", int(pages), pages == 1 ? "" : "s");
        if (!said.empty()) std::printf("%s\n", said.c_str());
        return 0;
    case PrintOutcome::noPrinting:
        sayNoPrinting(said);
        return 1;
    case PrintOutcome::refused:
        std::fprintf(stderr, "quillmead: the printer did not take the book: %s\n",
                     said.empty() ? "lp failed without saying why" : said.c_str());
        return 1;
    }
    return 1;
}
