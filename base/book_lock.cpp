#include "base/book_lock.h"

#include <cstdio>

#include "base/file_keeping.h"

#ifdef _WIN32
#include <windows.h>

#include "base/platform.h"
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace {

bool allDigits(const std::string& text, size_t from, size_t to) {
    if (from >= to) return false;
    for (size_t i = from; i < to; ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

// The folder part of a path ("" for none) and the file name after it.
void splitPath(const std::string& path, std::string& folder, std::string& name) {
    size_t slash = path.find_last_of("/\\");
    folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    name = slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string bookLockPath(const std::string& settingsPath) { return realFileOf(settingsPath) + ".lock"; }



bool isLeftoverTempName(const std::string& name, const std::string& fileName) {
    const std::string prefix = fileName + ".tmp";
    if (fileName.empty() || name.compare(0, prefix.size(), prefix) != 0) return false;
    size_t dot = name.find('.', prefix.size());
    return dot != std::string::npos && allDigits(name, prefix.size(), dot) && allDigits(name, dot + 1, name.size());
}

#ifdef _WIN32

BookLockResult lockBook(const std::string& settingsPath, BookLock& lock) {
    unlockBook(lock);
    if (settingsPath.empty()) return BookLockResult::unavailable;
    // No sharing at all: a second CreateFile of the same file fails while this
    // handle is open, and the system closes it when the process ends. Not
    // inherited by the processes the program starts.
    const std::wstring path = utf8ToWide(bookLockPath(settingsPath));
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error == ERROR_SHARING_VIOLATION) return BookLockResult::heldElsewhere;
        // Nothing at the lock's path: the folder is missing or cannot be written.
        return GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES ? BookLockResult::cannotBeMade
                                                                            : BookLockResult::unavailable;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        CloseHandle(file);
        return BookLockResult::unavailable;
    }
    lock.handle = reinterpret_cast<intptr_t>(file);
    lock.device = info.dwVolumeSerialNumber;
    lock.inode = (uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return BookLockResult::held;
}

bool holdsBook(const BookLock& lock, const std::string& settingsPath) {
    if (lock.handle == -1) return false;
    HANDLE file = CreateFileW(utf8ToWide(bookLockPath(settingsPath)).c_str(), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info;
    bool same = GetFileInformationByHandle(file, &info) && info.dwVolumeSerialNumber == lock.device &&
                ((uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow) == lock.inode;
    CloseHandle(file);
    return same;
}

void unlockBook(BookLock& lock) {
    if (lock.handle == -1) return;
    CloseHandle(reinterpret_cast<HANDLE>(lock.handle));
    lock = BookLock();
}

int removeLeftoverTempFiles(const std::string& path) {
    std::string folder, name;
    splitPath(path, folder, name);
    int removed = 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(utf8ToWide(path + ".tmp*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        std::string entry = wideToUtf8(found.cFileName);
        if (isLeftoverTempName(entry, name) && DeleteFileW(utf8ToWide(folder + entry).c_str())) ++removed;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return removed;
}

#else

BookLockResult lockBook(const std::string& settingsPath, BookLock& lock) {
    unlockBook(lock);
    if (settingsPath.empty()) return BookLockResult::unavailable;
    const std::string path = bookLockPath(settingsPath);
    // O_CLOEXEC: a browser or notifier started later must not keep the book
    // locked after the program has ended. O_NONBLOCK: a FIFO there is never
    // waited on.
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0600);
    if (fd < 0) {
        // Nothing at the lock's path: the folder is missing or cannot be
        // written, and no copy can keep the book there. Something that is
        // there but cannot be opened (another user's lock, a folder) may be
        // another copy's.
        struct stat there;
        return lstat(path.c_str(), &there) != 0 ? BookLockResult::cannotBeMade : BookLockResult::unavailable;
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return BookLockResult::unavailable;
    }
    int result;
    do {
        result = flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        bool elsewhere = errno == EWOULDBLOCK;
        close(fd);
        return elsewhere ? BookLockResult::heldElsewhere : BookLockResult::unavailable;
    }
    lock.handle = fd;
    lock.device = uint64_t(info.st_dev);
    lock.inode = uint64_t(info.st_ino);
    return BookLockResult::held;
}

bool holdsBook(const BookLock& lock, const std::string& settingsPath) {
    struct stat info;
    return lock.handle >= 0 && stat(bookLockPath(settingsPath).c_str(), &info) == 0 &&
           uint64_t(info.st_dev) == lock.device && uint64_t(info.st_ino) == lock.inode;
}

void unlockBook(BookLock& lock) {
    if (lock.handle < 0) return;
    close(int(lock.handle));
    lock = BookLock();
}

int removeLeftoverTempFiles(const std::string& path) {
    std::string folder, name;
    splitPath(path, folder, name);
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return 0;
    int removed = 0;
    while (const dirent* entry = readdir(dir)) {
        if (isLeftoverTempName(entry->d_name, name) && unlink((folder + entry->d_name).c_str()) == 0) ++removed;
    }
    closedir(dir);
    return removed;
}

#endif
