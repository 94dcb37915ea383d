// art_desk OUTDIR — writes OUTDIR/interface.pak: the desk's models and the
// pictures they name. Everything is generated from code and the output is the
// same, byte for byte, on every run.
#include <cstdio>
#include <string>

#include "tools/artwork/desk/desk_art.h"
#include "resources/desk_entries.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: art_desk OUTDIR\n");
        return 2;
    }
    desk::DeskArchive archive;
    desk::addBackground(archive);
    desk::addHudButtons(archive);
    desk::addJar(archive);
    desk::addBrush(archive);
    desk::addPalette(archive);
    desk::addWaterGlass(archive);
    desk::addStar(archive);
    desk::addFocusRing(archive);
    std::string path = std::string(argv[1]) + "/" + deskArchive;
    if (!pakSave(archive.pak, path.c_str())) {
        std::fprintf(stderr, "art_desk: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
