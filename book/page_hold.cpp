#include "book/page_hold.h"

#include <cstdio>
#include <string>

#include "book/book_state.h"
#include "book/page_neighbours.h"
#include "resources/archive_check.h"
#include "resources/pak.h"
#include "scene/picture_preparer.h"
#include "scene/texture.h"

namespace {

// The reason, in the words of the archive reader, or "" when the model entry is
// whole and every picture it names decodes. The pictures taken are added to the
// hold whether or not they decode, so that one release balances them.
std::string tryModel(const PakArchive& pak, const char* entry, PageHold& hold) {
    std::vector<std::string> pictures;
    std::string why = damageInModelShape(pak, entry, pictures);
    for (size_t i = 0; i < pictures.size() && why.empty(); ++i) {
        // The archive is held, so this cannot end the program.
        GLuint picture = textureAcquireOrExit(hold.archive, pictures[i].c_str());
        hold.pictures.push_back(picture);
        if (picture == 0) why = "the file is damaged (picture \"" + pictures[i] + "\" cannot be read)";
    }
    return why;
}

// A page prepared in the background answers from its record: the first
// reason found, or its pictures, all alive. False when the record is not
// ready or was not asked about every model, and the page must be tried here.
bool fromPreparedRecord(const ColoringPage& page, PageHold& hold, std::string& why) {
    const PreparedArchive* record = checkedArchive(page.archive);
    if (!record || !record->ready || !preparedVerdict(page.archive, pageModels(page), why)) return false;
    if (!why.empty()) return true;
    // Held by the record, so neither can fail or read anything.
    hold.archive = page.archive;
    pakTryAcquire(page.archive);
    for (const auto& texture : record->textures)
        hold.pictures.push_back(textureAcquireOrExit(page.archive, texture.first.c_str()));
    return true;
}

std::string tryPage(const ColoringPage& page, PageHold& hold) {
    std::string why;
    if (fromPreparedRecord(page, hold, why)) return why;
    const PakArchive* pak = pakTryAcquire(page.archive, &why);
    if (!pak) return why;
    hold.archive = page.archive;
    why = tryModel(*pak, "block", hold);
    for (int32_t k = 1; k <= page.elementCount && why.empty(); ++k)
        why = tryModel(*pak, ("el" + std::to_string(k)).c_str(), hold);
    return why;
}

}  // namespace

bool pageTryAcquire(const ColoringPage& page, PageHold& hold) {
    pageRelease(hold);
    std::string why = tryPage(page, hold);
    if (why.empty()) return true;
    pageRelease(hold);
    bool& reported = book().pageFailureReported[page.number - 1];
    if (!reported)
        std::fprintf(stderr, "quillmead: skipping page %d: %s\n", page.number, pakFailureText(page.archive, why).c_str());
    reported = true;
    return false;
}

void pageRelease(PageHold& hold) {
    if (!hold.archive) return;
    for (GLuint picture : hold.pictures) textureRelease(hold.archive, picture);
    pakRelease(hold.archive);
    hold = PageHold();
}
