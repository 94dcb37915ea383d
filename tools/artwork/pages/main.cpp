// art_pages OUTDIR [--sketch DIR]: writes OUTDIR/page01.pak ... page21.pak.
// With --sketch it also writes a quick cairo picture of every page (blank and
// painted) into DIR and prints each page's smallest and median region as seen
// in a 1280 x 720 window, for the artist's fast round trips.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "book/page_table.h"
#include "pages.h"
#include "resources/pak.h"
#include "tools/artkit/page_archive.h"
#include "tools/artkit/page_sketch.h"

using namespace artkit;

namespace {

// Shapes must stay where the desk leaves the page free.
bool regionsInBounds(const PageDrawing& d, int pageNumber) {
    bool ok = true;
    int k = 0;
    for (const PageItem& item : d.items) {
        if (item.kind != ItemKind::Region) continue;
        ++k;
        for (V2 p : item.outline) {
            if (p.x < kDrawLeft - 1e-9 || p.x > kDrawRight + 1e-9 || p.y < kDrawBottom - 1e-9 ||
                p.y > kDrawTop + 1e-9) {
                std::fprintf(stderr, "art_pages: page %d region el%d reaches (%.2f, %.2f), outside the page\n",
                             pageNumber, k, p.x, p.y);
                ok = false;
                break;
            }
        }
    }
    return ok;
}

bool detail = false;  // --detail: every region's pixels, not only a failing page's

void writeSketches(const PageDrawing& d, int number, const std::string& dir) {
    char name[64];
    std::snprintf(name, sizeof name, "/page%02d.png", number);
    writeSketchPng(d, dir + name, 12.0);
    std::vector<uint32_t> colours;
    uint32_t seed = uint32_t(number) * 2654435761u;
    const uint32_t jar[] = {0xf5a623, 0xe02424, 0x2e9e4a, 0xf7e14a, 0x2a5fd0, 0x1c2f7a, 0x9b3fb5, 0xffffff, 0x3a2a1e};
    for (int k = 0; k < regionCount(d); ++k) {
        seed = seed * 1664525u + 1013904223u;
        colours.push_back(jar[(seed >> 16) % 9]);
    }
    std::snprintf(name, sizeof name, "/page%02d_painted.png", number);
    writeSketchPng(d, dir + name, 12.0, colours);
    std::vector<int> seen = sketchVisibility(d);
    std::vector<int> sorted = seen;
    std::sort(sorted.begin(), sorted.end());
    int smallest = int(std::min_element(seen.begin(), seen.end()) - seen.begin());
    std::printf("page %2d: %2d regions, smallest el%d %d px, median %d px%s\n", number, int(seen.size()),
                smallest + 1, seen[size_t(smallest)], sorted[sorted.size() / 2],
                (seen[size_t(smallest)] < 300 || sorted[sorted.size() / 2] < 2000) ? "  <-- too small" : "");
    if (detail || seen[size_t(smallest)] < 300 || sorted[sorted.size() / 2] < 2000) {
        std::printf("   ");
        for (size_t k = 0; k < seen.size(); ++k) std::printf(" %zu:%d", k + 1, seen[k]);
        std::printf("\n");
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: art_pages OUTDIR [--sketch DIR] [--only N] [--detail 1]\n");
        return 2;
    }
    std::string out = argv[1];
    std::string sketchDir;
    int only = 0;
    for (int i = 2; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--sketch") == 0) sketchDir = argv[i + 1];
        if (std::strcmp(argv[i], "--only") == 0) only = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--detail") == 0) detail = std::atoi(argv[i + 1]) != 0;
    }
    bool ok = true;
    for (const pages::PageDesign& page : pages::pageDesigns) {
        if (only && page.number != only) continue;
        PageDrawing d;
        page.draw(d);
        int n = regionCount(d);
        int expected = pageTable[page.number - 1].elementCount;
        if (n != expected) {
            std::fprintf(stderr, "art_pages: page %d (%s) has %d regions, the book expects %d\n", page.number,
                         page.subject, n, expected);
            ok = false;
        }
        if (!regionsInBounds(d, page.number)) ok = false;
        if (!sketchDir.empty()) writeSketches(d, page.number, sketchDir);
        PakArchive pak;
        addPageEntries(pak, d);
        char name[32];
        std::snprintf(name, sizeof name, "/page%02d.pak", page.number);
        if (!pakSave(pak, (out + name).c_str())) {
            std::fprintf(stderr, "art_pages: cannot write %s%s\n", out.c_str(), name);
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
