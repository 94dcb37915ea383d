#include "app/book_claim.h"

#include <cstdio>
#include <vector>

#include "base/book_lock.h"
#include "base/desktop_notice.h"
#include "base/file_keeping.h"

namespace {

// One lock per book this process writes (a child's book each, with profiles),
// held until releaseBook or the end of the process; the system lets go of them
// however that ends.
struct HeldBook {
    std::string path;
    BookLock lock;
};
std::vector<HeldBook> heldBooks;

const char* const kAlreadyOpen[] = {
    "Quillmead is already open: switch to its window to keep painting.",
    "Quillmead ist schon geöffnet: Wechsle zu seinem Fenster, um weiterzumalen.",
    "Quillmead ya está abierto: cambia a su ventana para seguir pintando.",
    "Quillmead уже открыт: перейдите в его окно, чтобы рисовать дальше.",
    "Quillmead est déjà ouvert : passe à sa fenêtre pour continuer à peindre.",
};

const char* const kNowhereToKeep[] = {
    "Quillmead has no folder to keep the paintings in: what is painted now will not be kept.",
    "Quillmead hat keinen Ordner für die Bilder: Was jetzt gemalt wird, bleibt nicht erhalten.",
    "Quillmead no tiene una carpeta para guardar los dibujos: lo que se pinte ahora no se guardará.",
    "Quillmead негде хранить рисунки: то, что нарисовано сейчас, не сохранится.",
    "Quillmead n'a pas de dossier où garder les dessins : ce qui est peint maintenant ne sera pas gardé.",
};

const char* inLanguage(const char* const* texts, int32_t language) {
    return texts[language >= 0 && language < 5 ? language : 0];
}

}  // namespace

const char* alreadyOpenNotice(int32_t language) { return inLanguage(kAlreadyOpen, language); }
const char* nowhereToKeepNotice(int32_t language) { return inLanguage(kNowhereToKeep, language); }

BookClaim claimBook(const std::string& settingsPath, int32_t language) {
    if (settingsPath.empty()) {
        std::fputs(
            "quillmead: no folder for the settings file can be found or made (HOME and XDG_DATA_HOME name none); "
            "the paintings will not be kept after this run\n",
            stderr);
        showDesktopNotice("Quillmead", nowhereToKeepNotice(language));
        return BookClaim::mine;
    }
    for (const HeldBook& held : heldBooks)
        if (held.path == settingsPath) return BookClaim::mine;
    BookLock lock;
    BookLockResult result = lockBook(settingsPath, lock);
    if (result == BookLockResult::heldElsewhere) {
        std::fprintf(stderr, "quillmead: Quillmead is already open with the book %s; this copy ends\n",
                     settingsPath.c_str());
        showDesktopNotice("Quillmead", alreadyOpenNotice(language));
        return BookClaim::elsewhere;
    }
    if (result != BookLockResult::held) return BookClaim::mine;
    heldBooks.push_back(HeldBook{settingsPath, lock});
    // Only a lock holder may: a living writer's temporary file is never taken.
    std::string target = linkTargetOf(settingsPath);
    removeLeftoverTempFiles(target);
    if (target != settingsPath) removeLeftoverTempFiles(settingsPath);
    return BookClaim::mine;
}

void releaseBook(const std::string& settingsPath) {
    for (size_t i = 0; i < heldBooks.size(); ++i) {
        if (heldBooks[i].path != settingsPath) continue;
        unlockBook(heldBooks[i].lock);
        heldBooks.erase(heldBooks.begin() + long(i));
        return;
    }
}
