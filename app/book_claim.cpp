#include "app/book_claim.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "app/start_notices.h"
#include "base/book_lock.h"
#include "base/desktop_notice.h"
#include "base/file_keeping.h"
#include "base/platform.h"
#include "base/running_copy.h"

int& bookClaimWaitMs() {
    static int waitMs = 3000;
    return waitMs;
}

namespace {

// One lock per book this process writes (a child's book each, with profiles),
// held until releaseBook or the end of the process; the system lets go of them
// however that ends. Process-wide by nature (a lock outlives each run of the
// loop); main thread only.
struct HeldBook {
    std::string path;
    BookLock lock;
};
std::vector<HeldBook> heldBooks;

const int kRetryMs = 100;

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

const char* const kUnusableLock[] = {
    "Quillmead did not open, so that no painting is lost: it cannot use its lock file %s. When no Quillmead is "
    "open, a grown-up can delete that file.",
    "Quillmead wurde nicht geöffnet, damit kein Bild verloren geht: Die Sperrdatei %s lässt sich nicht benutzen. "
    "Wenn kein Quillmead mehr offen ist, kann ein Erwachsener diese Datei löschen.",
    "Quillmead no se ha abierto para que no se pierda ningún dibujo: no puede usar su archivo de bloqueo %s. "
    "Cuando no haya ningún Quillmead abierto, un adulto puede borrar ese archivo.",
    "Quillmead не открылся, чтобы не пропал ни один рисунок: он не может использовать свой файл блокировки %s. "
    "Когда ни один Quillmead не открыт, взрослый может удалить этот файл.",
    "Quillmead ne s'est pas ouvert, pour qu'aucun dessin ne soit perdu : il ne peut pas utiliser son fichier de "
    "verrou %s. Quand aucun Quillmead n'est ouvert, un adulte peut supprimer ce fichier.",
};

BookClaim nowhereToKeep(const std::string& settingsPath, int32_t language) {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    if (settingsPath.empty() && (!dataHome || dataHome[0] != '/') && home && home[0] == '/' && !pathExists(home))
        std::fprintf(stderr,
                     "quillmead: the home folder %s does not exist, so nothing is made there; the paintings will "
                     "not be kept after this run\n",
                     home);
    else if (settingsPath.empty())
        std::fputs(
            "quillmead: no folder for the settings file can be found or made (HOME and XDG_DATA_HOME name none); "
            "the paintings will not be kept after this run\n",
            stderr);
    else
        std::fprintf(stderr,
                     "quillmead: no lock can be made beside the book %s (its folder is missing or cannot be "
                     "written); the paintings will not be kept after this run\n",
                     settingsPath.c_str());
    showDesktopNotice("Quillmead", nowhereToKeepNotice(language));
    return BookClaim::notKept;
}

// The lock, waiting up to bookClaimWaitMs while another copy holds it. The
// wait ends early once that copy's painting window has been brought forward
// (broughtForward): it paints on, and a copy that is ending has no such window.
BookLockResult lockWaitingBriefly(const std::string& settingsPath, BookLock& lock, bool& broughtForward) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(bookClaimWaitMs());
    broughtForward = false;
    for (;;) {
        BookLockResult result = lockBook(settingsPath, lock);
        if (result != BookLockResult::heldElsewhere || std::chrono::steady_clock::now() >= until) return result;
        broughtForward = bringPaintingWindowForward();
        if (broughtForward) return result;
        std::this_thread::sleep_for(std::chrono::milliseconds(kRetryMs));
    }
}

}  // namespace

const char* alreadyOpenNotice(int32_t language) { return noticeInLanguage(kAlreadyOpen, language); }
const char* nowhereToKeepNotice(int32_t language) { return noticeInLanguage(kNowhereToKeep, language); }
const char* unusableLockNotice(int32_t language) { return noticeInLanguage(kUnusableLock, language); }

bool endsWithoutWindow(BookClaim claim) { return claim == BookClaim::elsewhere || claim == BookClaim::uncertain; }

BookClaim claimBook(const std::string& settingsPath, int32_t language) {
    if (settingsPath.empty()) return nowhereToKeep(settingsPath, language);
    // Another path to a book this process holds is that book.
    for (const HeldBook& held : heldBooks)
        if (held.path == settingsPath || holdsBook(held.lock, settingsPath)) return BookClaim::mine;
    BookLock lock;
    bool broughtForward = false;
    const BookLockResult result = lockWaitingBriefly(settingsPath, lock, broughtForward);
    if (result == BookLockResult::cannotBeMade) return nowhereToKeep(settingsPath, language);
    if (result == BookLockResult::unavailable) {
        const std::string lockPath = bookLockPath(settingsPath);
        std::fprintf(stderr,
                     "quillmead: the lock file %s cannot be used (it belongs to another user or is not a file), so "
                     "another copy may be writing the book %s; this copy ends. Remove %s when no Quillmead runs\n",
                     lockPath.c_str(), settingsPath.c_str(), lockPath.c_str());
        std::vector<char> text(1024 + lockPath.size());
        std::snprintf(text.data(), text.size(), unusableLockNotice(language), lockPath.c_str());
        showDesktopNotice("Quillmead", text.data());
        return BookClaim::uncertain;
    }
    if (result != BookLockResult::held) {
        std::fprintf(stderr, "quillmead: Quillmead is already open with the book %s; this copy ends\n",
                     settingsPath.c_str());
        // Its window in front says it best; a copy that shows none is told.
        if (!broughtForward) showDesktopNotice("Quillmead", alreadyOpenNotice(language));
        return BookClaim::elsewhere;
    }
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
