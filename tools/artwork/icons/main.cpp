// art_icons OUTDIR — writes the program's icon for the desktop's menus into
// OUTDIR/icons/: quillmead-48.png, quillmead-128.png, quillmead-256.png (RGBA)
// and the scalable quillmead.svg, all from one drawing, and installer-panel.png
// for the Windows installer's pages. The same bytes on every run.
#include <cairo-svg.h>
#include <cairo.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "tools/artwork/icons/icon.h"

namespace {

bool writePng(const std::string& folder, int size) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    icons::drawIcon(cr, size);
    cairo_destroy(cr);
    std::string path = folder + "/quillmead-" + std::to_string(size) + ".png";
    bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    if (!ok) std::fprintf(stderr, "art_icons: cannot write %s\n", path.c_str());
    return ok;
}

// 164 x 314, opaque: the Windows packaging turns it into the installer's BMP.
bool writeInstallerPanel(const std::string& folder) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 164, 314);
    cairo_t* cr = cairo_create(surface);
    icons::drawInstallerPanel(cr, 164, 314);
    cairo_destroy(cr);
    std::string path = folder + "/installer-panel.png";
    bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    if (!ok) std::fprintf(stderr, "art_icons: cannot write %s\n", path.c_str());
    return ok;
}

bool writeSvg(const std::string& folder) {
    std::string path = folder + "/quillmead.svg";
    cairo_surface_t* surface = cairo_svg_surface_create(path.c_str(), 256, 256);
    cairo_svg_surface_restrict_to_version(surface, CAIRO_SVG_VERSION_1_1);
    cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
    cairo_t* cr = cairo_create(surface);
    icons::drawIcon(cr, 256);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    if (!ok) std::fprintf(stderr, "art_icons: cannot write %s\n", path.c_str());
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: art_icons OUTDIR\n");
        return 2;
    }
    std::string folder = std::string(argv[1]) + "/icons";
    mkdir(folder.c_str(), 0777);
    bool ok = writePng(folder, 48) && writePng(folder, 128) && writePng(folder, 256) && writeSvg(folder) &&
              writeInstallerPanel(folder);
    return ok ? 0 : 1;
}
