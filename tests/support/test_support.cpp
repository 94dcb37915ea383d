#include "support/test_support.h"

#include <dirent.h>
#ifndef _WIN32
#include <unistd.h>
#endif
#ifdef _WIN32
#include <windows.h>
#endif

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "resources/pak.h"

std::string dataDir() { return QM_DATA_DIR; }

#ifdef _WIN32
// The user's temporary folder (inside the wine prefix when run under wine).
std::string makeTempDir(const char* prefix) {
    char base[MAX_PATH];
    DWORD n = GetTempPathA(sizeof base, base);
    if (n == 0 || n >= sizeof base) return "";
    for (int attempt = 0; attempt < 1000; ++attempt) {
        std::string path = std::string(base) + prefix + "_" + std::to_string(GetCurrentProcessId()) + "_" +
                           std::to_string(GetTickCount()) + "_" + std::to_string(attempt);
        if (CreateDirectoryA(path.c_str(), nullptr)) return path;
    }
    return "";
}
#else
std::string makeTempDir(const char* prefix) {
    std::string pattern = std::string("/tmp/") + prefix + "_XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data())) return "";
    return buf.data();
}
#endif

std::vector<uint8_t> readFileBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return bytes;
    uint8_t chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(f);
    return bytes;
}

bool writeFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

int cacheReferences(const std::string& archive) {
    for (size_t i = 0; i < pakCache().names.size(); ++i)
        if (pakCache().names[i] == archive) return pakCache().references[i];
    return 0;
}

#ifndef _WIN32
bool linkDataArchivesExcept(const std::string& folder, const std::vector<std::string>& own) {
    for (const std::string& name : folderEntries(dataDir())) {
        if (std::find(own.begin(), own.end(), name) != own.end()) continue;
        if (symlink((dataDir() + "/" + name).c_str(), (folder + "/" + name).c_str()) != 0) return false;
    }
    return true;
}

bool writeArchiveWithBrokenPicture(const std::string& folder, const char* archive, const char* picture) {
    PakArchive pak;
    if (!pakOpen(pak, (dataDir() + "/" + archive).c_str())) return false;
    for (PakEntry& entry : pak.entries)
        if (entry.name == picture) entry.data.assign(40, 0x5a), entry.size = 40;
    bool saved = pakSave(pak, (folder + "/" + archive).c_str());
    pakClose(pak);
    return saved;
}
#endif

std::vector<std::string> folderEntries(const std::string& folder) {
    std::vector<std::string> names;
    DIR* d = opendir(folder.c_str());
    if (!d) return names;
    while (dirent* e = readdir(d))
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) names.push_back(e->d_name);
    closedir(d);
    std::sort(names.begin(), names.end());
    return names;
}
