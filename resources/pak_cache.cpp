// The process-wide archive cache: archives shared by name, opened on first use
// and freed by the release that brings their references to zero.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "base/platform.h"
#include "resources/pak.h"

PakCache& pakCache() {
    static PakCache cache;
    return cache;
}

namespace {

int findArchive(const char* name) {
    for (size_t i = 0; i < pakCache().names.size(); i++) {
        if (pakCache().names[i] == name) return int(i);
    }
    return -1;
}

std::string archivePath(const char* name) {
    // "0" (anything starting with the digit zero) stands for no prefix at all.
    if (pakCache().baseDirectory.empty() || pakCache().baseDirectory[0] == '0') return name;
    return pakCache().baseDirectory + name;
}

// The folder an archive name is looked up in, for messages.
std::string archiveFolder() {
    if (!pakCache().baseDirectory.empty() && pakCache().baseDirectory[0] != '0') return pakCache().baseDirectory;
    std::string folder = workingFolder();
    return folder.empty() ? std::string(".") : folder;
}

PakArchive* acquire(const char* name, std::string* why) {
    int i = findArchive(name);
    if (i >= 0) {
        pakCache().references[size_t(i)]++;
        return pakCache().archives[size_t(i)];
    }
    PakArchive* archive = new PakArchive;
    if (!pakOpen(*archive, archivePath(name).c_str(), why)) {
        delete archive;
        return nullptr;
    }
    pakCache().archives.push_back(archive);
    pakCache().names.push_back(name);
    pakCache().references.push_back(1);
    return archive;
}

}  // namespace

PakArchive* pakTryAcquire(const char* name, std::string* why) { return acquire(name, why); }

std::string pakFailureText(const char* name, const std::string& why) {
    return "cannot open \"" + std::string(name) + "\" in " + archiveFolder() + ": " + why;
}

PakArchive* pakAcquireOrExit(const char* name) {
    std::string why;
    PakArchive* archive = acquire(name, &why);
    if (!archive) {
        // Without its artwork the program cannot show anything.
        std::fprintf(stderr, "quillmead: %s\n", pakFailureText(name, why).c_str());
        std::exit(1);
    }
    return archive;
}

void pakRelease(const char* name) {
    int i = findArchive(name);
    if (i < 0) return;
    size_t k = size_t(i);
    if (--pakCache().references[k] > 0) return;
    pakClose(*pakCache().archives[k]);
    delete pakCache().archives[k];
    pakCache().archives.erase(pakCache().archives.begin() + i);
    pakCache().names.erase(pakCache().names.begin() + i);
    pakCache().references.erase(pakCache().references.begin() + i);
}

const uint8_t* pakEntryDataOrExit(const char* archive, const char* entry, int32_t* size) {
    return pakGetEntry(*pakAcquireOrExit(archive), entry, size);
}

std::vector<uint8_t> pakTakeEntry(const char* archive, const char* entry) {
    int i = findArchive(archive);
    if (i < 0) return {};
    for (PakEntry& e : pakCache().archives[size_t(i)]->entries) {
        if (e.name != entry) continue;
        if (pakCache().references[size_t(i)] > 1) return e.data;
        std::vector<uint8_t> taken = std::move(e.data);
        e.data.clear();
        e.size = 0;
        return taken;
    }
    return {};
}

void pakCloseAll() {
    for (PakArchive* archive : pakCache().archives) {
        pakClose(*archive);
        delete archive;
    }
    pakCache().archives.clear();
    pakCache().names.clear();
    pakCache().references.clear();
}
