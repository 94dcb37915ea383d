#include "app/data_folder.h"

#include <cstdio>
#include <cstdlib>

#include "base/platform.h"
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
    return !folder.empty() && isReadableFile(folder + pathSeparator() + name);
}

std::string absolute(const std::string& path, const std::string& workingFolder) {
    if (path.empty() || isAbsolutePath(path) || workingFolder.empty()) return normalPath(path);
    return normalPath(workingFolder + pathSeparator() + path);
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
    size_t rootLength = pathRootLength(path);
    std::string root = path.substr(0, rootLength);
    for (char& c : root)
        if (isPathSeparator(c)) c = pathSeparator();
    bool rooted = rootLength > 0;
    std::vector<std::string> parts;
    size_t at = rootLength;
    while (at <= path.size()) {
        size_t end = at;
        while (end < path.size() && !isPathSeparator(path[end])) ++end;
        std::string part = path.substr(at, end - at);
        at = end + 1;
        if (part.empty() || part == ".") continue;
        if (part == ".." && !parts.empty() && parts.back() != "..") {
            parts.pop_back();
        } else if (part != ".." || !rooted) {
            parts.push_back(part);
        }
    }
    std::string out = root;
    for (size_t i = 0; i < parts.size(); ++i) out += (i ? std::string(1, pathSeparator()) : std::string()) + parts[i];
    return out.empty() ? "." : out;
}

std::string chooseDataFolder(const DataFolderPlaces& places) {
    const std::string& here = places.workingFolder;
    if (!places.given.empty()) return absolute(places.given, here);
    if (!places.environment.empty()) return absolute(places.environment, here);
    std::string installed;
    std::vector<std::string> candidates;
    if (!places.programFolder.empty()) {
        installed = normalPath(places.programFolder + pathSeparator() + QM_SHARE_FROM_PROGRAM);
        candidates = {installed, places.programFolder, places.programFolder + pathSeparator() + "data"};
    }
    candidates.push_back(here);
    for (const std::string& folder : candidates)
        if (hasFile(folder, kDeskArchive)) return normalPath(folder);
    return installed.empty() ? normalPath(here) : installed;
}

DataFolderPlaces currentDataFolderPlaces(const std::string& given) {
    DataFolderPlaces places;
    places.given = given;
    places.environment = environmentValue("QUILLMEAD_DATA");
    places.programFolder = runningProgramFolder();
    places.workingFolder = workingFolder();
    return places;
}

bool enterDataFolder(const std::string& given, std::string* chosen) {
    DataFolderPlaces places = currentDataFolderPlaces(given);
    std::string folder = chooseDataFolder(places);
    if (chosen) *chosen = folder;
    std::string missing = firstMissingDataFile(folder);
    if (missing.empty() && !changeWorkingFolder(folder)) missing = kDeskArchive;
    if (missing.empty()) return true;
    // A folder that was named is the one to fix; a searched one may be elsewhere.
    bool named = !places.given.empty() || !places.environment.empty();
    std::fprintf(stderr, "quillmead: the pictures and sounds are missing from %s (there is no %s)%s\n",
                 folder.c_str(), missing.c_str(), named ? "" : "; reinstall Quillmead or name their folder with --data DIR");
    return false;
}
