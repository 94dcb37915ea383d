// pagepreview DATADIR OUTDIR [SHRINK]: renders every page of the book through
// the real camera, light and drawing code, on the desk's background when the
// desk's archive is there, and writes for each page pageNN.png (blank) and
// pageNN_painted.png (every region in a jar colour picked at random, the same
// every run), plus contact_sheet.png with all 21 blank pages. The frames are
// captured as the window shows them, multisampled; SHRINK (2 or more) renders on
// a larger screen and shrinks the pictures, for contact sheets.
#include <cairo.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "previewkit/frame_capture.h"
#include "engine/camera.h"
#include "app/shell.h"
#include "scene/render.h"
#include "book/page_catalog.h"
#include "scene/load_model.h"
#include "resources/pak.h"
#include "base/gl.h"
#include "scene/paint_color.h"
#include "scene/scene_node.h"
#include "engine/frame_presenter.h"

namespace {

// The paints of the nine jars on the desk.
const double kJars[9][3] = {{1, 1, 0}, {1, 0, 0}, {0, 1, 1}, {0, 1, 0}, {0, 0, 1},
                            {0, 0, 0.5}, {1, 0, 1}, {1, 1, 1}, {0, 0, 0}};

SceneNode* modelNode(const char* archive, const char* entry) {
    SceneNode* n = createNode();
    loadModel(n, archive, entry);
    setRotation(n, -90, 0, 0);
    return n;
}

// A page built as the book builds it: the block, then every region.
SceneNode* buildPageNodes(const ColoringPage& page, bool painted) {
    SceneNode* holder = createNode();
    addChild(holder, modelNode(page.archive, "block"));
    uint32_t seed = uint32_t(page.number) * 2654435761u + 12345u;
    for (int k = 1; k <= page.elementCount; ++k) {
        SceneNode* e = modelNode(page.archive, ("el" + std::to_string(k)).c_str());
        if (painted) {
            seed = seed * 1664525u + 1013904223u;
            const double* j = kJars[(seed >> 16) % 9];
            setPaintColor(e, makePaint(j[0], j[1], j[2]));
        }
        addChild(holder, e);
    }
    return holder;
}

void destroyTree(SceneNode* node) {
    for (SceneNode* c : node->children) destroyTree(c);
    node->children.clear();
    destroyNode(node);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: pagepreview DATADIR OUTDIR [SHRINK]\n");
        return 2;
    }
    int shrink = argc == 4 ? std::max(1, std::atoi(argv[3])) : 1;
    std::string out = argv[2];
    if (out[0] != '/') {
        char cwd[4096];
        if (getcwd(cwd, sizeof cwd)) out = std::string(cwd) + "/" + out;
    }
    // The program opens its archives by plain names in its working folder.
    if (chdir(argv[1]) != 0) {
        std::fprintf(stderr, "pagepreview: no folder %s\n", argv[1]);
        return 1;
    }
    createCamera(0, 0, 0);
    shellState().rootNode = createNode();
    setupLight();
    addCallback(shellState().rootNode, lightingCallback, nullptr);
    if (access("interface.pak", R_OK) == 0) {
        SceneNode* desk = modelNode("interface.pak", "fon");
        loadModel(desk, "interface.pak", "fon_cardon");
        addChild(shellState().rootNode, desk);
    }

    // The contact sheet: the book's part of each blank page, 7 across, each
    // cropped to the book (88 x 58 units around its middle) and 480 wide.
    const int cols = 7, rows = 3;
    int shownWidth = camera()->width / shrink, shownHeight = camera()->height / shrink;
    double unitsToPixels = shownHeight / (2.0 * -viewEdgeY(-100.0));
    double cropX = shownWidth / 2.0 - 45 * unitsToPixels, cropY = shownHeight / 2.0 - 37 * unitsToPixels;
    double cropW = 90 * unitsToPixels, cropH = 60 * unitsToPixels;
    const int cellW = 480, cellH = int(480 * cropH / cropW);
    double cellScale = cellW / cropW;
    cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, cols * cellW, rows * cellH);
    cairo_t* sheetCr = cairo_create(sheet);
    cairo_set_source_rgb(sheetCr, 0.2, 0.2, 0.2);
    cairo_paint(sheetCr);

    bool ok = true;
    for (const ColoringPage& page : pageTable) {
        for (bool painted : {false, true}) {
            SceneNode* holder = buildPageNodes(page, painted);
            addChild(shellState().rootNode, holder);
            cairo_surface_t* shot = shrunk(captureFrame(shellState().rootNode), shrink);
            char name[64];
            std::snprintf(name, sizeof name, "/page%02d%s.png", page.number, painted ? "_painted" : "");
            ok = savePng(shot, out + name, "pagepreview") && ok;
            if (!painted) {
                int i = page.number - 1;
                cairo_save(sheetCr);
                cairo_translate(sheetCr, (i % cols) * cellW, (i / cols) * cellH);
                cairo_rectangle(sheetCr, 0, 0, cellW, cellH);
                cairo_clip(sheetCr);
                cairo_scale(sheetCr, cellScale, cellScale);
                cairo_set_source_surface(sheetCr, shot, -cropX, -cropY);
                cairo_paint(sheetCr);
                cairo_restore(sheetCr);
            }
            cairo_surface_destroy(shot);
            shellState().rootNode->children.erase(std::find(shellState().rootNode->children.begin(), shellState().rootNode->children.end(), holder));
            destroyTree(holder);
        }
    }
    cairo_destroy(sheetCr);
    ok = savePng(sheet, out + "/contact_sheet.png", "pagepreview") && ok;
    cairo_surface_destroy(sheet);

    destroyTree(shellState().rootNode);
    shellState().rootNode = nullptr;
    pakCloseAll();
    closePresenter();
    destroyCamera(camera());
    return ok ? 0 : 1;
}
