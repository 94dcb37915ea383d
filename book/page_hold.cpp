#include "book/page_hold.h"

#include <cstdio>
#include <string>

#include "book/book_state.h"
#include "resources/model.h"
#include "resources/pak.h"
#include "scene/load_model.h"
#include "scene/texture.h"

namespace {

// The reason, in the words of the archive reader, or "" when the model entry is
// whole and every picture it names decodes. The pictures taken are added to the
// hold whether or not they decode, so that one release balances them.
std::string tryModel(const PakArchive& pak, const char* entry, PageHold& hold) {
    int32_t size = 0;
    const uint8_t* bytes = pakGetEntry(pak, entry, &size);
    if (!bytes) return std::string("the file is damaged (it has no entry \"") + entry + "\")";
    std::vector<ParsedMesh> meshes;
    int32_t declared = 0;
    if (parseModel(bytes, size, meshes, &declared) != declared || declared < 0)
        return std::string("the file is damaged (entry \"") + entry + "\" is not a whole model)";
    for (const ParsedMesh& mesh : meshes) {
        // An empty name draws untextured; a recipe is computed, not read.
        if (mesh.textureName[0] == '\0' || isProceduralName(mesh.textureName)) continue;
        // The archive is held, so this cannot end the program.
        GLuint picture = textureAcquireOrExit(hold.archive, mesh.textureName);
        hold.pictures.push_back(picture);
        if (picture == 0)
            return std::string("the file is damaged (picture \"") + mesh.textureName + "\" cannot be read)";
    }
    return "";
}

std::string tryPage(const ColoringPage& page, PageHold& hold) {
    std::string why;
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
    bool& reported = book.pageFailureReported[page.number - 1];
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
