#include "base/temporary_files.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "base/book_lock.h"

#ifdef _WIN32
#include <windows.h>

#include "base/platform.h"
#else
#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace {

// Fixed slots, so that a signal handler can walk them: free, being filled, held.
enum : int { kFree = 0, kFilling = 1, kHeld = 2 };
struct HeldFile {
    std::atomic<int> state{kFree};
    char path[4096];
};
HeldFile heldFiles[8];
std::atomic<bool> atExitRegistered{false};

void removeHeldAtExit() { removeHeldTemporaryFiles(); }

const char kPrintPrefix[] = "quillmead-print-";

// The digits of text from at, as a number; false for none or too many.
bool readNumber(const std::string& text, size_t& at, long long& out) {
    size_t begin = at;
    out = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - begin < 12) out = out * 10 + (text[at++] - '0');
    return at > begin && (at == text.size() || text[at] < '0' || text[at] > '9');
}

// "NAME.tmpPID.N" for fileName NAME: the PID; -1 otherwise.
long long tempPidOf(const std::string& entry, const std::string& fileName) {
    if (fileName.empty() || !isLeftoverTempName(entry, fileName)) return -1;
    size_t at = fileName.size() + 4;
    long long pid = -1;
    return readNumber(entry, at, pid) ? pid : -1;
}

#ifdef _WIN32
bool removePath(const char* path) { return DeleteFileW(utf8ToWide(path).c_str()) != 0; }
#else
bool removePath(const char* path) { return unlink(path) == 0; }
#endif

}  // namespace

#ifdef _WIN32
bool processStillRunning(long long pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}
#else
bool processStillRunning(long long pid) { return pid > 0 && (kill(pid_t(pid), 0) == 0 || errno == EPERM); }
#endif

namespace {

const char kPartPrefix[] = "quillmead-";
const char kPartSuffix[] = ".png.part";
const std::time_t kPartAgeSeconds = 3600;

bool isPartName(const std::string& entry) {
    const size_t prefix = sizeof kPartPrefix - 1, suffix = sizeof kPartSuffix - 1;
    return entry.size() > prefix + suffix && entry.compare(0, prefix, kPartPrefix) == 0 &&
           entry.compare(entry.size() - suffix, suffix, kPartSuffix) == 0;
}

// Whether entry (in a folder) is a file an ended run left.
bool leftByAnEndedRun(const std::string& entry, const std::string& fileName) {
    long long pid = tempPidOf(entry, fileName);
    if (pid > 0) return !processStillRunning(pid);
    if (entry.compare(0, sizeof kPrintPrefix - 1, kPrintPrefix) != 0) return false;
    size_t at = sizeof kPrintPrefix - 1;
    if (!readNumber(entry, at, pid) || entry.compare(at, 4, ".pdf") != 0) return false;
    const std::string job = entry.substr(0, at + 4);
    if (entry != job && tempPidOf(entry, job) <= 0) return false;
    return !processStillRunning(pid) && (entry == job || !processStillRunning(tempPidOf(entry, job)));
}

}  // namespace

void holdTemporaryFile(const std::string& path) {
    if (path.size() >= sizeof heldFiles[0].path) return;
    if (!atExitRegistered.exchange(true)) std::atexit(removeHeldAtExit);
    for (HeldFile& held : heldFiles) {
        int expected = kFree;
        if (!held.state.compare_exchange_strong(expected, kFilling)) continue;
        std::memcpy(held.path, path.c_str(), path.size() + 1);
        held.state.store(kHeld);
        return;
    }
}

void letGoOfTemporaryFile(const std::string& path) {
    for (HeldFile& held : heldFiles) {
        if (held.state.load() != kHeld || path != held.path) continue;
        held.state.store(kFree);
        return;
    }
}

void removeHeldTemporaryFiles() {
    for (HeldFile& held : heldFiles)
        if (held.state.load() == kHeld) removePath(held.path);
}

std::string printJobName(long long pid) { return kPrintPrefix + std::to_string(pid) + ".pdf"; }

#ifdef _WIN32

bool olderThan(const std::string& path, std::time_t seconds) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(utf8ToWide(path).c_str(), GetFileExInfoStandard, &data)) return false;
    // 100 ns steps since 1601.
    const uint64_t written = (uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    const uint64_t unixWritten = written / 10000000ull - 11644473600ull;
    return uint64_t(std::time(nullptr)) > unixWritten + uint64_t(seconds);
}

int removeOldPartFiles(const std::string& folder) {
    if (folder.empty()) return 0;
    int removed = 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(utf8ToWide(folder + "\\quillmead-*.png.part").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        const std::string path = folder + "\\" + wideToUtf8(found.cFileName);
        if (isPartName(wideToUtf8(found.cFileName)) && olderThan(path, kPartAgeSeconds) && removePath(path.c_str()))
            ++removed;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return removed;
}

int removeTemporaryFilesOfEndedRuns(const std::string& folder, const std::string& fileName) {
    if (folder.empty()) return 0;
    int removed = 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(utf8ToWide(folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        std::string entry = wideToUtf8(found.cFileName);
        if (leftByAnEndedRun(entry, fileName) && removePath((folder + "\\" + entry).c_str())) ++removed;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return removed;
}

#else

int removeOldPartFiles(const std::string& folder) {
    if (folder.empty()) return 0;
    DIR* dir = opendir(folder.c_str());
    if (!dir) return 0;
    int removed = 0;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = readdir(dir)) {
        if (!isPartName(entry->d_name)) continue;
        const std::string path = folder + "/" + entry->d_name;
        struct stat info;
        if (lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && now - info.st_mtime > kPartAgeSeconds &&
            removePath(path.c_str()))
            ++removed;
    }
    closedir(dir);
    return removed;
}

int removeTemporaryFilesOfEndedRuns(const std::string& folder, const std::string& fileName) {
    if (folder.empty()) return 0;
    DIR* dir = opendir(folder.c_str());
    if (!dir) return 0;
    int removed = 0;
    while (const dirent* entry = readdir(dir)) {
        if (leftByAnEndedRun(entry->d_name, fileName) && removePath((folder + "/" + entry->d_name).c_str())) ++removed;
    }
    closedir(dir);
    return removed;
}

#endif
