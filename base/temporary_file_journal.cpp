#include "base/temporary_file_journal.h"

#include <chrono>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include "base/book_lock.h"
#include "base/platform.h"
#include "base/temporary_files.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace {

// Guards the journal's path and each read-change-write of it in this process;
// the journal's own lock file guards it against the other running copies.
std::mutex journalMutex;
std::string journalFile;

// A few exports at once at most: beyond this, a path is not listed.
const size_t kMostEntries = 64;
const size_t kLongestPath = 4096;
const size_t kJournalLimit = kMostEntries * (kLongestPath + 1);

// True when name (without folder) is "NAME.tmpPID.N" for a non-empty NAME; pid
// then holds PID.
bool temporaryNameOf(const std::string& name, long long& pid) {
    for (size_t at = name.rfind(".tmp"); at != std::string::npos && at > 0; at = name.rfind(".tmp", at - 1)) {
        if (!isLeftoverTempName(name, name.substr(0, at))) continue;
        const size_t dot = name.find('.', at + 4);
        if (dot - (at + 4) > 12) return false;
        pid = std::stoll(name.substr(at + 4, dot - (at + 4)));
        return true;
    }
    return false;
}

// A line the program itself could have written: an absolute path without
// control characters whose file name is one of its temporary names.
bool readEntry(const std::string& line, long long& pid) {
    if (line.empty() || line.size() >= kLongestPath || !isAbsolutePath(line)) return false;
    for (unsigned char c : line)
        if (c < 0x20 || c == 0x7f) return false;
    size_t slash = line.size();
    while (slash > 0 && !isPathSeparator(line[slash - 1])) --slash;
    return temporaryNameOf(line.substr(slash), pid);
}

// A regular file itself, not a link or a folder: the only kind ever written.
bool isPlainFile(const std::string& path) {
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(utf8ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE));
#else
    struct stat info;
    return lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
#endif
}

std::vector<std::string> splitLines(const std::vector<uint8_t>& bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (uint8_t byte : bytes) {
        if (byte != '\n') {
            line += char(byte);
            continue;
        }
        lines.push_back(line);
        line.clear();
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

bool writeLines(const std::vector<std::string>& lines) {
    if (lines.empty()) return removeFile(journalFile) || !pathExists(journalFile);
    std::vector<uint8_t> bytes;
    for (const std::string& line : lines) {
        bytes.insert(bytes.end(), line.begin(), line.end());
        bytes.push_back('\n');
    }
    return replaceFileContents(journalFile, bytes);
}

// Holds the journal's lock while it lives: another copy changing the journal
// at the same moment is waited for a second at most, then changed regardless.
struct JournalLock {
    BookLock lock;
    JournalLock() {
        for (int attempt = 0; attempt < 50; ++attempt) {
            if (lockBook(journalFile, lock) != BookLockResult::heldElsewhere) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    ~JournalLock() { unlockBook(lock); }
};

}  // namespace

void useTemporaryFileJournal(const std::string& journalPath) {
    std::lock_guard<std::mutex> guard(journalMutex);
    journalFile = journalPath;
}

const char* temporaryFileJournalName() { return "quillmead-temporary-files"; }

bool listTemporaryFile(const std::string& path) {
    std::lock_guard<std::mutex> guard(journalMutex);
    long long pid = 0;
    if (journalFile.empty() || !readEntry(path, pid)) return false;
    JournalLock lock;
    std::vector<uint8_t> bytes;
    const ReadResult read = readSmallFile(journalFile, kJournalLimit, bytes);
    if (read != ReadResult::read && read != ReadResult::missing) return false;
    std::vector<std::string> lines = splitLines(bytes);
    if (lines.size() >= kMostEntries) return false;
    lines.push_back(path);
    return writeLines(lines);
}

void dropListedTemporaryFile(const std::string& path) {
    std::lock_guard<std::mutex> guard(journalMutex);
    if (journalFile.empty()) return;
    JournalLock lock;
    std::vector<uint8_t> bytes;
    if (readSmallFile(journalFile, kJournalLimit, bytes) != ReadResult::read) return;
    std::vector<std::string> lines = splitLines(bytes), kept;
    for (const std::string& line : lines)
        if (line != path) kept.push_back(line);
    if (kept.size() != lines.size()) writeLines(kept);
}

int removeListedTemporaryFilesOfEndedRuns() {
    std::lock_guard<std::mutex> guard(journalMutex);
    if (journalFile.empty()) return 0;
    // No list, nothing to do: a start makes no lock file beside the book.
    std::vector<uint8_t> bytes;
    if (readSmallFile(journalFile, kJournalLimit, bytes) == ReadResult::missing) return 0;
    JournalLock lock;
    const ReadResult read = readSmallFile(journalFile, kJournalLimit, bytes);
    if (read == ReadResult::missing) return 0;
    if (read != ReadResult::read) {
        // Nothing in it can be trusted: it is emptied (when it is a file) and nothing it names is removed.
        const bool emptied = read == ReadResult::tooLarge && writeLines({});
        std::fprintf(stderr, "quillmead: the list of temporary files %s cannot be read%s; no file is removed for it\n",
                     journalFile.c_str(), emptied ? " and was emptied" : "");
        return 0;
    }
    std::vector<std::string> lines = splitLines(bytes), kept;
    int removed = 0, damaged = 0;
    for (const std::string& line : lines) {
        long long pid = 0;
        if (!readEntry(line, pid)) {
            ++damaged;
            continue;
        }
        // A living writer's file is its own; it drops the entry itself.
        if (pid != processId() && processStillRunning(pid)) {
            kept.push_back(line);
            continue;
        }
        if (isPlainFile(line) && removeFile(line)) ++removed;
    }
    if (damaged > 0)
        std::fprintf(stderr, "quillmead: %d line%s of the list of temporary files %s named no temporary file of the program; dropped, nothing removed for %s\n",
                     damaged, damaged == 1 ? "" : "s", journalFile.c_str(), damaged == 1 ? "it" : "them");
    if (kept.size() != lines.size()) writeLines(kept);
    return removed;
}
