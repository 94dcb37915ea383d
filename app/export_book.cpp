#include "app/export_book.h"

#include <cstdio>
#include <vector>

#include "app/page_picture.h"
#include "app/picture_files.h"
#include "app/profiles.h"
#include "app/settings_file.h"
#include "base/gl.h"
#include "base/platform.h"
#include "book/page_catalog.h"
#include "book/page_hold.h"
#include "book/page_table.h"
#include "engine/camera.h"
#include "engine/offscreen.h"
#include "resources/pak.h"

std::vector<const ColoringPage*> paintedPages(const PageStore& store) {
    std::vector<const ColoringPage*> pages;
    for (const ColoringPage& page : pageTable) {
        for (size_t i = 0; i < store.pageKeys.size() && i < store.pageLists.size(); ++i) {
            if (store.pageKeys[i] != page.number) continue;
            bool painted = false;
            for (const ElementColorRecord& record : store.pageLists[i]) painted = painted || record.painted;
            if (painted) pages.push_back(&page);
            break;
        }
    }
    return pages;
}

namespace {

// The page's nodes as the book builds them, in the colours store keeps, under a
// holder of their own; the shown book and currentNode are left alone. Its
// tracks never run: nothing renders the holder but drawPagePicture. Null, with
// the archive named on stderr, when the page's archive cannot be used.
SceneNode* buildPageTree(const ColoringPage& page, const PageStore& store) {
    PageHold hold;
    if (!pageTryAcquire(page, hold)) return nullptr;
    SceneNode* holder = createNode();
    buildPageNodesAsStored(holder, page, store);
    pageRelease(hold);
    return holder;
}

// The tree was never rendered, so nothing dismantles it: children first.
void destroyTree(SceneNode* node) {
    for (SceneNode* child : node->children) destroyTree(child);
    node->children.clear();
    destroyNode(node);
}

int fail(const char* format, const std::string& a, const std::string& b) {
    std::fprintf(stderr, format, a.c_str(), b.c_str());
    return 1;
}

}  // namespace

std::string exportFileName(int32_t page) {
    char name[32];
    std::snprintf(name, sizeof name, "quillmead-page-%02d.png", int(page));
    return name;
}

bool openPageDrawing(int32_t width, int32_t height) {
    // A small window for the drawing context; the pages are drawn off-screen.
    createWindowedCamera(64, 64);
    setupLight();
    int32_t largest = largestOffscreenSize();
    if (width <= largest && height <= largest) return true;
    fail("quillmead: this display draws pictures of at most %s pixels a side; %s is too large\n",
         std::to_string(largest), std::to_string(width) + "x" + std::to_string(height));
    return false;
}

void closePageDrawing() {
    pakCloseAll();
    destroyCamera(camera());
}

bool drawPaintedPage(const ColoringPage& page, const PageStore& store, int32_t width, int32_t height,
                     PagePicture& picture, PictureLook look) {
    SceneNode* holder = buildPageTree(page, store);
    if (!holder) return false;
    picture = drawPagePicture(holder, width, height, look);
    destroyTree(holder);
    return true;
}

namespace {

// One book and the folder its pictures go in.
struct BookToExport {
    std::string settings, folder;
};

// The usual book into folder; with a book for each child, each child's into a
// folder of its own below it, named after the child's animal.
std::vector<BookToExport> booksToExport(const std::string& folder) {
    if (!profiles().on) return {{defaultSettingsPath(), folder}};
    std::vector<BookToExport> books;
    for (int32_t animal : profiles().animals)
        books.push_back({profileSettingsPath(animal), folder + "/" + profileFolderName(animal)});
    return books;
}

}  // namespace

int exportPaintedPages(const std::string& folder, int32_t width, int32_t height, PictureLook look) {
    std::string why;
    if (!makeWritableFolder(folder, why)) return fail("quillmead: cannot save pictures in %s: %s\n", folder, why);
    int status = 0;
    bool drawing = false, painted = false, skipped = false;
    for (const BookToExport& one : booksToExport(folder)) {
        // Only read: an export never changes what the child painted.
        const PageStore store = loadSettingsFile(one.settings).pages;
        std::vector<const ColoringPage*> pages = paintedPages(store);
        if (pages.empty()) continue;
        painted = true;
        if (!makeWritableFolder(one.folder, why)) {
            status = fail("quillmead: cannot save pictures in %s: %s\n", one.folder, why);
            break;
        }
        if (!drawing) {
            drawing = true;
            if (!openPageDrawing(width, height)) {
                status = 1;
                break;
            }
        }
        // A page whose archive is damaged is passed over; the others are still saved.
        for (size_t i = 0; i < pages.size() && status == 0; ++i) {
            PagePicture picture;
            if (!drawPaintedPage(*pages[i], store, width, height, picture, look)) {
                skipped = true;
                continue;
            }
            std::string path = one.folder + "/" + exportFileName(pages[i]->number);
            if (picture.rgb.empty()) {
                status = fail("quillmead: %s could not be drawn%s\n", path, "");
            } else if (!writePngFile(path, picture.rgb, picture.width, picture.height, why)) {
                status = fail("quillmead: cannot write %s: %s\n", path, why);
            } else {
                std::printf("%s\n", path.c_str());
            }
        }
        if (status != 0) break;
    }
    if (drawing) closePageDrawing();
    if (!painted) std::printf("No page has been painted yet, so no picture was saved.\n");
    return status == 0 && skipped ? 1 : status;
}
