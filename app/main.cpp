// Quillmead: the command line, the data folder, then either the pages saved as
// pictures (--export) or start-up, the main loop until the scene tree has
// dismantled itself, and shutdown.
#include <cstdio>
#include <string>

#include "app/data_folder.h"
#include "app/export_book.h"
#include "app/keep_page.h"
#include "app/machine_policy.h"
#include "app/options.h"
#include "app/print_book.h"
#include "app/shell.h"
#include "base/gl.h"  // SDL renames main where it needs its own entry point

int main(int argc, char* argv[]) {
    Options options;
    std::string why;
    if (!parseOptions(argc, argv, options, why)) {
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
    machinePolicy = loadMachinePolicy();
    if (!applyPolicyToOptions(options, why)) {
        std::fprintf(stderr, "quillmead: %s\n", why.c_str());
        return 1;
    }
    // Taken from the folder the program was started in, before it changes into
    // the data folder.
    std::string exportFolder = options.exportFolder.empty() ? "" : absolutePath(options.exportFolder);
    std::string pdfFile = options.pdfFile.empty() ? "" : absolutePath(options.pdfFile);
    if (!enterDataFolder(options.dataFolder)) return 1;
    if (!exportFolder.empty()) return exportPaintedPages(exportFolder, options.pictureWidth, options.pictureHeight);
    if (!pdfFile.empty() || options.print) return exportBookAsPdf(pdfFile, options.print, options.language);

    setKeptPageSize(options.pictureWidth, options.pictureHeight);
    startUp(options);
    while (running()) runOnePass();
    shutDown();
    return 0;
}
