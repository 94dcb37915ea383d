#include "app/keep_page.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "app/options.h"
#include "app/page_picture.h"
#include "app/picture_files.h"
#include "base/gl.h"
#include "book/book_state.h"
#include "engine/audio.h"
#include "engine/input.h"

namespace {

// Main thread only, like everything the main loop touches.
int32_t keptWidth = kDefaultPictureWidth, keptHeight = kDefaultPictureHeight;

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    if (home && *home) return home;
    const passwd* entry = getpwuid(getuid());
    return entry && entry->pw_dir ? entry->pw_dir : "";
}

// The value of XDG_PICTURES_DIR in a user-dirs.dirs file: a quoted path that is
// absolute or starts with $HOME; "" when the file does not set one.
std::string picturesSetting(const std::string& file, const std::string& home) {
    std::ifstream in(file);
    std::string line, value;
    const std::string key = "XDG_PICTURES_DIR=\"";
    while (std::getline(in, line)) {
        if (line.compare(0, key.size(), key) != 0) continue;
        size_t end = line.find('"', key.size());
        if (end == std::string::npos) continue;
        value = line.substr(key.size(), end - key.size());
        if (value.compare(0, 5, "$HOME") == 0)
            value = home + value.substr(5);
        else if (value.empty() || value[0] != '/')
            value.clear();
    }
    while (value.size() > 1 && value.back() == '/') value.pop_back();
    return value;
}

bool isCtrlS() {
    return isKeyPressed(SDLK_s) && (input.lastKey.keysym.mod & KMOD_CTRL) != 0;
}

}  // namespace

void setKeptPageSize(int32_t width, int32_t height) {
    keptWidth = width;
    keptHeight = height;
}

std::string picturesFolder() {
    std::string home = homeFolder();
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string configFolder = config && *config == '/' ? config : home + "/.config";
    std::string folder = picturesSetting(configFolder + "/user-dirs.dirs", home);
    std::string homeTrimmed = home;
    while (homeTrimmed.size() > 1 && homeTrimmed.back() == '/') homeTrimmed.pop_back();
    if (folder.empty() || folder == homeTrimmed) folder = home + "/Pictures";
    return folder;
}

std::string keptPageName(const std::tm& when, int32_t attempt) {
    char name[64];
    std::snprintf(name, sizeof name, "quillmead-%04d-%02d-%02d-%02d-%02d-%02d", when.tm_year + 1900, when.tm_mon + 1,
                  when.tm_mday, when.tm_hour, when.tm_min, when.tm_sec);
    std::string out = name;
    if (attempt > 1) out += "-" + std::to_string(attempt);
    return out + ".png";
}

bool keepShownPage() {
    std::string folder = picturesFolder() + "/Quillmead", why;
    if (!makeWritableFolder(folder, why)) {
        std::fprintf(stderr, "quillmead: cannot save the page in %s: %s\n", folder.c_str(), why.c_str());
        return false;
    }
    PagePicture picture = drawPagePicture(book.pageHolder, keptWidth, keptHeight);
    if (picture.rgb.empty()) {
        std::fprintf(stderr, "quillmead: the page could not be drawn at %dx%d\n", int(keptWidth), int(keptHeight));
        return false;
    }
    std::time_t now = std::time(nullptr);
    std::tm when{};
    localtime_r(&now, &when);
    std::string path;
    for (int32_t attempt = 1; path.empty() || access(path.c_str(), F_OK) == 0; ++attempt)
        path = folder + "/" + keptPageName(when, attempt);
    if (!writePngFile(path, picture.rgb, picture.width, picture.height, why)) {
        std::fprintf(stderr, "quillmead: cannot write %s: %s\n", path.c_str(), why.c_str());
        return false;
    }
    return true;
}

void keepShownPageOnKey() {
    if (!(isCtrlS() || isKeyPressed(SDLK_PRINT)) || !consumeKey()) return;
    playSound("button.wav", false);
    keepShownPage();
}
