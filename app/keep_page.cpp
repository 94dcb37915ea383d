#include "app/keep_page.h"

#include <cstdio>

#include "app/machine_policy.h"
#include "app/options.h"
#include "app/page_picture.h"
#include "app/picture_files.h"
#include "app/profiles.h"
#include "base/gl.h"
#include "base/platform.h"
#include "book/book_state.h"
#include "engine/audio.h"
#include "engine/input.h"

namespace {

// Main thread only, like everything the main loop touches.
int32_t keptWidth = kDefaultPictureWidth, keptHeight = kDefaultPictureHeight;

bool isCtrlS() {
    return isKeyPressed(SDLK_s) && (input().lastKey.keysym.mod & KMOD_CTRL) != 0;
}

}  // namespace

void setKeptPageSize(int32_t width, int32_t height) {
    keptWidth = width;
    keptHeight = height;
}

std::string picturesFolder() { return userPicturesFolder(); }

std::string keptPageName(const std::tm& when, int32_t attempt) {
    char name[64];
    std::snprintf(name, sizeof name, "quillmead-%04d-%02d-%02d-%02d-%02d-%02d", when.tm_year + 1900, when.tm_mon + 1,
                  when.tm_mday, when.tm_hour, when.tm_min, when.tm_sec);
    std::string out = name;
    if (attempt > 1) out += "-" + std::to_string(attempt);
    return out + ".png";
}

bool keepShownPage() {
    std::string pictures = picturesFolder(), why;
    if (pictures.empty()) {
        std::fprintf(stderr, "quillmead: cannot save the page: there is no home folder to put pictures in\n");
        return false;
    }
    std::string folder = profileExportFolder(pictures + pathSeparator() + "Quillmead");
    if (!makeWritableFolder(folder, why)) {
        std::fprintf(stderr, "quillmead: cannot save the page in %s: %s\n", folder.c_str(), why.c_str());
        return false;
    }
    PagePicture picture = drawPagePicture(book().pageHolder, keptWidth, keptHeight);
    if (picture.rgb.empty()) {
        std::fprintf(stderr, "quillmead: the page could not be drawn at %dx%d\n", int(keptWidth), int(keptHeight));
        return false;
    }
    std::time_t now = std::time(nullptr);
    std::tm when = localTimeOf(now);
    std::string path;
    for (int32_t attempt = 1; path.empty() || pathExists(path); ++attempt)
        path = folder + pathSeparator() + keptPageName(when, attempt);
    if (!writePngFile(path, picture.rgb, picture.width, picture.height, why)) {
        std::fprintf(stderr, "quillmead: cannot write %s: %s\n", path.c_str(), why.c_str());
        return false;
    }
    return true;
}

void keepShownPageOnKey() {
    if (!(isCtrlS() || isKeyPressed(SDLK_PRINT)) || !consumeKey()) return;
    if (!machinePolicy().exports) return;
    // The button's pop when the picture is kept, a soft "no" when it is not: a
    // child who cannot read stderr still hears whether it worked.
    playSound(keepShownPage() ? "button.wav" : "netu.wav", false);
}
