#include "app/desk_check.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/start_notices.h"
#include "base/desktop_notice.h"
#include "resources/archive_check.h"
#include "resources/pak.h"
#include "resources/pictures_ahead.h"

namespace {

// A desk picture that does not decode would show as a white surface, and a
// model cut short as a hole: that is a broken installation, as a missing
// archive is, and stops the program with one line naming the file. The
// pictures are decoded once, by the textures made from them; only the ones no
// model has drawn with by the first frame are decoded to be looked at.
const char* const kDeskArchive = "interface.pak";

// The language of the notice that says so: the one deskModelsWhole was given.
int32_t noticeLanguage = 0;

// An installation that cannot work is said on stderr and, for someone who
// started the program from the desktop, in a notice in their language.
void tellDataDamaged() {
    showDesktopNotice("Quillmead", dataDamagedNotice(noticeLanguage, kDeskArchive));
}

// Ends the process where it stands, the window, the audio thread and the
// renderer's threads still running: nothing is torn down (sdl12-compat can
// crash tearing down from here), and nothing needs saving, since nothing was
// painted yet; the settings file is only ever replaced whole.
[[noreturn]] void stopOnDamagedDesk(const std::string& why) {
    std::fprintf(stderr, "quillmead: %s\n", pakFailureText(kDeskArchive, why).c_str());
    std::fflush(stderr);
    tellDataDamaged();
    std::_Exit(1);
}

// The desk's pictures, decoded on a thread of their own from the check of its
// models until the first frame, while the window opens: the desk is built
// from them. Holds one reference on the desk archive while it runs.
PicturesAhead* deskPicturesAhead = nullptr;

// The program's start checked the desk (a test's start does not): from then on
// a broken picture of the desk stops the program.
bool deskChecked = false;

}  // namespace

PictureAhead deskPictureAhead(const char* archive, const char* entry, RgbaImage& image,
                              std::vector<RgbaImage>& smaller) {
    if (!deskPicturesAhead || std::strcmp(archive, kDeskArchive) != 0) return PictureAhead::notAhead;
    return takePictureAhead(*deskPicturesAhead, entry, image, smaller);
}

void stopDeskPicturesAhead() {
    if (!deskPicturesAhead) return;
    stopDecodingAhead(*deskPicturesAhead);
    delete deskPicturesAhead;
    deskPicturesAhead = nullptr;
    pakRelease(kDeskArchive);
}

bool deskModelsWhole(int32_t language) {
    deskChecked = true;
    noticeLanguage = language;
    std::string why;
    if (PakArchive* archive = pakTryAcquire(kDeskArchive, &why)) {
        why = damageInArchiveModels(*archive);
        if (why.empty()) {
            deskPicturesAhead = new PicturesAhead;
            startDecodingAhead(*deskPicturesAhead, *archive);
            std::atexit(stopDeskPicturesAhead);
            return true;
        }
        pakRelease(kDeskArchive);
    }
    if (why.empty()) return true;
    std::fprintf(stderr, "quillmead: %s\n", pakFailureText(kDeskArchive, why).c_str());
    tellDataDamaged();
    return false;
}

void deskPictureUnusable(const char* archive, const char* picture) {
    if (deskChecked && std::strcmp(archive, kDeskArchive) == 0) stopOnDamagedDesk(pictureDamageReason(picture));
}

void checkDeskPicturesNotShown() {
    if (!deskPicturesAhead) return;
    const std::string failed = firstPictureAheadFailed(*deskPicturesAhead);
    stopDeskPicturesAhead();
    if (!failed.empty()) stopOnDamagedDesk(pictureDamageReason(failed));
}

