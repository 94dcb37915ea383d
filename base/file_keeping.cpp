#include "base/file_keeping.h"

#include <cerrno>
#include <cstdio>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include "base/platform.h"
#else
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#endif

namespace {
const int kMostLinks = 40;
const int kMostCopies = 999;
}  // namespace

std::string damagedCopyName(const std::string& path, int n) {
    return path + ".damaged" + (n > 1 ? "-" + std::to_string(n) : std::string());
}

#ifdef _WIN32

std::string linkTargetOf(const std::string& path) { return path; }

std::string realFileOf(const std::string& path) { return path; }

bool isDanglingLink(const std::string&) { return false; }

std::string moveToFreeDamagedName(const std::string& path) {
    for (int n = 1; n <= kMostCopies; ++n) {
        std::string copy = damagedCopyName(path, n);
        // Without MOVEFILE_REPLACE_EXISTING an existing copy makes the move fail.
        if (MoveFileExW(utf8ToWide(path).c_str(), utf8ToWide(copy).c_str(), MOVEFILE_WRITE_THROUGH)) return copy;
        DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) return "";
    }
    return "";
}

#else

std::string linkTargetOf(const std::string& path) {
    std::string current = path;
    for (int depth = 0; depth < kMostLinks; ++depth) {
        struct stat st;
        if (lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        std::vector<char> buffer(size_t(st.st_size > 0 ? st.st_size : 255) + 1);
        ssize_t n = readlink(current.c_str(), buffer.data(), buffer.size());
        if (n <= 0 || size_t(n) >= buffer.size()) return path;
        std::string target(buffer.data(), size_t(n));
        if (target[0] != '/') {
            size_t slash = current.rfind('/');
            if (slash != std::string::npos) target = current.substr(0, slash + 1) + target;
        }
        current = target;
    }
    return path;
}

bool isDanglingLink(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && stat(path.c_str(), &st) != 0 && errno == ENOENT;
}

std::string realFileOf(const std::string& path) {
    const std::string target = linkTargetOf(path);
    size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    char resolved[PATH_MAX];
    if (!realpath(folder.c_str(), resolved)) return target;
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    const std::string real = resolved;
    return (real == "/" ? "" : real) + "/" + name;
}

std::string moveToFreeDamagedName(const std::string& path) {
    for (int n = 1; n <= kMostCopies; ++n) {
        std::string copy = damagedCopyName(path, n);
        // A hard link fails on an existing name instead of replacing it.
        if (link(path.c_str(), copy.c_str()) == 0) {
            unlink(path.c_str());
            return copy;
        }
        if (errno == EEXIST) continue;
        // File systems without hard links: the book's lock keeps other writers
        // away, so a name seen free stays free until the rename.
        struct stat st;
        if (lstat(copy.c_str(), &st) == 0) continue;
        if (errno == ENOENT && std::rename(path.c_str(), copy.c_str()) == 0) return copy;
        return "";
    }
    return "";
}

#endif
