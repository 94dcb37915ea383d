#include "app/data_folder.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "base/browser.h"
#include "book/page_table.h"
#include "screens/screen_entries.h"

// The installation's share folder as seen from the program's folder
// ("../share/quillmead" for bin/quillmead); the install rules define it.
#ifndef QM_SHARE_FROM_PROGRAM
#error "QM_SHARE_FROM_PROGRAM must be defined by the build"
#endif

namespace {

const char* const kDeskArchive = "interface.pak";

bool hasFile(const std::string& folder, const std::string& name) {
    return !folder.empty() && access((folder + "/" + name).c_str(), R_OK) == 0;
}

std::string absolute(const std::string& path, const std::string& workingFolder) {
    if (path.empty() || path[0] == '/' || workingFolder.empty()) return normalPath(path);
    return normalPath(workingFolder + "/" + path);
}

std::string runningProgramFolder() {
    char buffer[4096];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return "";
    std::string path(buffer, size_t(n));
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

}  // namespace

std::string absolutePath(const std::string& path) { return absolute(path, workingFolder()); }

std::vector<std::string> requiredDataFiles() {
    std::vector<std::string> files{kDeskArchive};
    for (const ColoringPage& page : pageTable) files.push_back(page.archive);
    files.push_back("sound.pak");
    files.push_back("music.pak");
    files.push_back(commonArchive);
    for (const char* name : languageArchives) files.push_back(name);
    for (const char* name : pictureArchives) files.push_back(name);
    return files;
}

std::string firstMissingDataFile(const std::string& folder) {
    for (const std::string& name : requiredDataFiles())
        if (!hasFile(folder, name)) return name;
    return "";
}

std::string normalPath(const std::string& path) {
    bool rooted = !path.empty() && path[0] == '/';
    std::vector<std::string> parts;
    size_t at = 0;
    while (at <= path.size()) {
        size_t end = path.find('/', at);
        if (end == std::string::npos) end = path.size();
        std::string part = path.substr(at, end - at);
        at = end + 1;
        if (part.empty() || part == ".") continue;
        if (part == ".." && !parts.empty() && parts.back() != "..") {
            parts.pop_back();
        } else if (part != ".." || !rooted) {
            parts.push_back(part);
        }
    }
    std::string out = rooted ? "/" : "";
    for (size_t i = 0; i < parts.size(); ++i) out += (i ? "/" : "") + parts[i];
    return out.empty() ? "." : out;
}

std::string chooseDataFolder(const DataFolderPlaces& places) {
    const std::string& here = places.workingFolder;
    if (!places.given.empty()) return absolute(places.given, here);
    if (!places.environment.empty()) return absolute(places.environment, here);
    std::string installed;
    std::vector<std::string> candidates;
    if (!places.programFolder.empty()) {
        installed = normalPath(places.programFolder + "/" + QM_SHARE_FROM_PROGRAM);
        candidates = {installed, places.programFolder, places.programFolder + "/data"};
    }
    candidates.push_back(here);
    for (const std::string& folder : candidates)
        if (hasFile(folder, kDeskArchive)) return normalPath(folder);
    return installed.empty() ? normalPath(here) : installed;
}

DataFolderPlaces currentDataFolderPlaces(const std::string& given) {
    DataFolderPlaces places;
    places.given = given;
    const char* environment = std::getenv("QUILLMEAD_DATA");
    if (environment) places.environment = environment;
    places.programFolder = runningProgramFolder();
    places.workingFolder = workingFolder();
    return places;
}

bool enterDataFolder(const std::string& given) {
    DataFolderPlaces places = currentDataFolderPlaces(given);
    std::string folder = chooseDataFolder(places);
    std::string missing = firstMissingDataFile(folder);
    if (missing.empty() && chdir(folder.c_str()) != 0) missing = kDeskArchive;
    if (missing.empty()) return true;
    // A folder that was named is the one to fix; a searched one may be elsewhere.
    bool named = !places.given.empty() || !places.environment.empty();
    std::fprintf(stderr, "quillmead: the pictures and sounds are missing from %s (there is no %s)%s\n",
                 folder.c_str(), missing.c_str(), named ? "" : "; reinstall Quillmead or name their folder with --data DIR");
    return false;
}
