// Quillmead: the command line, the data folder, then either the pages saved as
// pictures (--export) or start-up, the main loop until the scene tree has
// dismantled itself, and shutdown.
#include <cstdio>
#include <string>

#include "app/data_folder.h"
#include "app/export_book.h"
#include "app/keep_page.h"
#include "app/options.h"
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
    // Taken from the folder the program was started in, before it changes into
    // the data folder.
    std::string exportFolder = options.exportFolder.empty() ? "" : absolutePath(options.exportFolder);
    if (!enterDataFolder(options.dataFolder)) return 1;
    if (!exportFolder.empty()) return exportPaintedPages(exportFolder, options.pictureWidth, options.pictureHeight);

    setKeptPageSize(options.pictureWidth, options.pictureHeight);
    startUp(options);
    while (running()) runOnePass();
    shutDown();
    return 0;
}
