// The platform layer on Windows. Paths are UTF-8 in the program and UTF-16 at
// the system's wide calls, so a user or folder name in any script works.
#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h.
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "base/platform.h"
#include "base/temporary_file_journal.h"
#include "base/temporary_files.h"

std::wstring utf8ToWide(const std::string& text) {
    if (text.empty()) return std::wstring();
    int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring out(size_t(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), &out[0], n);
    return out;
}

std::string wideToUtf8(const wchar_t* text) {
    if (!text || !*text) return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return std::string();
    std::string out(size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], n, nullptr, nullptr);
    out.resize(size_t(n - 1));
    return out;
}

namespace {

const char kSettingsFileName[] = "velvadine_quillmead_cfg";

// Set by the console's control handler, which runs on a thread of its own:
// a process-wide flag, as a signal's is on POSIX.
std::atomic<bool> terminationAsked{false};

// A folder the shell knows (CSIDL_*); "" when it has none.
std::string shellFolder(int csidl) {
    wchar_t buffer[MAX_PATH];
    if (SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer) != S_OK) return "";
    return wideToUtf8(buffer);
}

// errno for the last failed system call, so that strerror says something true.
void setErrnoFromLastError() {
    switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        errno = ENOENT;
        break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        errno = EACCES;
        break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        errno = ENOSPC;
        break;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
        errno = EEXIST;
        break;
    default:
        errno = EIO;
    }
}

DWORD attributesOf(const std::string& path) { return GetFileAttributesW(utf8ToWide(path).c_str()); }

bool isDirectory(const std::string& path) {
    DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

enum class OpenResult { opened, missing, notRegular, unreadable };

// Opens a file on a disk for reading. A folder, a device (NUL, CON, COM1) or a
// pipe is refused without being waited on.
OpenResult openDiskFile(const std::string& path, HANDLE& handle) {
    handle = INVALID_HANDLE_VALUE;
    DWORD attributes = attributesOf(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        SetLastError(error);
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME)
            return OpenResult::missing;
    } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        return OpenResult::notRegular;
    }
    handle = CreateFileW(utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return OpenResult::missing;
        return OpenResult::unreadable;
    }
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
        return OpenResult::notRegular;
    }
    return OpenResult::opened;
}

bool writeAll(HANDLE handle, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = DWORD(std::min<size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

BOOL WINAPI noteConsoleInterrupt(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    terminationAsked = true;
    return TRUE;
}

}  // namespace

std::string settingsFolder() {
    // Created when missing, like the POSIX data folder.
    return shellFolder(CSIDL_APPDATA | CSIDL_FLAG_CREATE);
}

std::string defaultSettingsPath() {
    std::string folder = settingsFolder();
    if (folder.empty()) return "";
    if (!isPathSeparator(folder.back())) folder += '\\';
    return folder + kSettingsFileName;
}

std::string machineSettingsFolder() { return shellFolder(CSIDL_COMMON_APPDATA); }

namespace {

std::string programFileIn(std::string folder, const char* name) {
    if (folder.empty()) return "";
    if (!isPathSeparator(folder.back())) folder += '\\';
    return folder + "Quillmead\\" + name;
}

}  // namespace

std::string userConfigFile(const char* name) { return programFileIn(settingsFolder(), name); }

std::string machineConfigFile(const char* name) { return programFileIn(machineSettingsFolder(), name); }

std::string homeFolder() { return shellFolder(CSIDL_PROFILE); }

std::string userPicturesFolder() { return shellFolder(CSIDL_MYPICTURES); }

std::string environmentValue(const char* name) {
    const wchar_t* value = _wgetenv(utf8ToWide(name).c_str());
    return value ? wideToUtf8(value) : "";
}

std::string desktopLocaleName() {
    wchar_t name[LOCALE_NAME_MAX_LENGTH];
    LCID locale = MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT);
    if (LCIDToLocaleName(locale, name, LOCALE_NAME_MAX_LENGTH, 0) <= 0) return "";
    // "de-DE" is written "de_DE" in the POSIX locale names the program reads.
    std::string out = wideToUtf8(name);
    for (char& c : out)
        if (c == '-') c = '_';
    return out;
}

ReadResult readSmallFile(const std::string& path, size_t limit, std::vector<uint8_t>& bytes) {
    bytes.clear();
    HANDLE handle;
    switch (openDiskFile(path, handle)) {
    case OpenResult::missing:
        return ReadResult::missing;
    case OpenResult::notRegular:
        return ReadResult::notRegular;
    case OpenResult::unreadable:
        return ReadResult::unreadable;
    case OpenResult::opened:
        break;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(handle, &size) || size.QuadPart < 0) {
        CloseHandle(handle);
        return ReadResult::unreadable;
    }
    if (uint64_t(size.QuadPart) > limit) {
        CloseHandle(handle);
        return ReadResult::tooLarge;
    }
    // Read to the end rather than trusting the size, but never past the limit.
    uint8_t chunk[16384];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(handle, chunk, sizeof chunk, &n, nullptr)) {
            CloseHandle(handle);
            bytes.clear();
            return ReadResult::unreadable;
        }
        if (n == 0) break;
        if (bytes.size() + n > limit) {
            CloseHandle(handle);
            bytes.clear();
            return ReadResult::tooLarge;
        }
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    CloseHandle(handle);
    return ReadResult::read;
}

bool replaceFileContents(const std::string& path, const std::vector<uint8_t>& bytes, TemporaryFileListing listing) {
    if (path.empty()) return false;
    HANDLE handle = INVALID_HANDLE_VALUE;
    std::string temp;
    for (int attempt = 0; attempt < 100 && handle == INVALID_HANDLE_VALUE; ++attempt) {
        temp = path + ".tmp" + std::to_string(processId()) + "." + std::to_string(attempt);
        // Listed before it exists: a kill in between leaves nothing unlisted.
        const bool listed = listing == TemporaryFileListing::listed && listTemporaryFile(temp);
        handle = CreateFileW(utf8ToWide(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) break;
        const DWORD error = GetLastError();
        if (listed) dropListedTemporaryFile(temp);
        if (error != ERROR_FILE_EXISTS) return false;
    }
    if (handle == INVALID_HANDLE_VALUE) return false;
    holdTemporaryFile(temp);
    bool ok = writeAll(handle, bytes);
    ok = ok && FlushFileBuffers(handle);
    ok = CloseHandle(handle) && ok;
    // rename() cannot replace an existing file here; MoveFileEx can, in one step.
    ok = ok && MoveFileExW(utf8ToWide(temp).c_str(), utf8ToWide(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(utf8ToWide(temp).c_str());
    letGoOfTemporaryFile(temp);
    if (listing == TemporaryFileListing::listed) dropListedTemporaryFile(temp);
    return ok;
}

bool canCreateFileBeside(const std::string& path) {
    if (path.empty()) return false;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string temp = path + ".tmp" + std::to_string(processId()) + "." + std::to_string(attempt);
        HANDLE handle = CreateFileW(utf8ToWide(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    return false;
}

bool moveFileAside(const std::string& path, const std::string& aside) {
    if (MoveFileExW(utf8ToWide(path).c_str(), utf8ToWide(aside).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::FILE* openRegularFileToRead(const std::string& path, uint64_t& size, std::string& why) {
    size = 0;
    HANDLE handle;
    switch (openDiskFile(path, handle)) {
    case OpenResult::missing:
        why = "the file is missing";
        return nullptr;
    case OpenResult::notRegular:
        why = "it is not a regular file";
        return nullptr;
    case OpenResult::unreadable:
        setErrnoFromLastError();
        why = std::string("it cannot be read (") + std::strerror(errno) + ")";
        return nullptr;
    case OpenResult::opened:
        break;
    }
    LARGE_INTEGER length;
    if (!GetFileSizeEx(handle, &length) || length.QuadPart < 0) {
        CloseHandle(handle);
        why = "it cannot be read";
        return nullptr;
    }
    // Binary: in text mode "\r\n" would become "\n" and 0x1a would end the file.
    int fd = _open_osfhandle(intptr_t(handle), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        why = "it cannot be read";
        return nullptr;
    }
    std::FILE* file = _fdopen(fd, "rb");
    if (!file) {
        _close(fd);
        why = "it cannot be read";
        return nullptr;
    }
    size = uint64_t(length.QuadPart);
    return file;
}

std::FILE* openFile(const std::string& path, const char* mode) {
    std::string binary = mode;
    if (binary.find('b') == std::string::npos) binary += 'b';
    return _wfopen(utf8ToWide(path).c_str(), utf8ToWide(binary).c_str());
}

bool replaceFileWith(const std::string& from, const std::string& to) {
    if (MoveFileExW(utf8ToWide(from).c_str(), utf8ToWide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    setErrnoFromLastError();
    return false;
}

bool removeFile(const std::string& path) {
    if (DeleteFileW(utf8ToWide(path).c_str())) return true;
    setErrnoFromLastError();
    return false;
}

bool pathExists(const std::string& path) { return attributesOf(path) != INVALID_FILE_ATTRIBUTES; }

bool isReadableFile(const std::string& path) {
    HANDLE handle;
    if (openDiskFile(path, handle) != OpenResult::opened) return false;
    CloseHandle(handle);
    return true;
}

bool makeFolders(const std::string& folder, bool, std::string& why) {
    if (folder.empty()) {
        why = std::strerror(ENOENT);
        return false;
    }
    // The root ("C:\", "\\server\share\") is never made, only what is below it.
    for (size_t at = pathRootLength(folder) + 1; at <= folder.size(); ++at) {
        if (at < folder.size() && !isPathSeparator(folder[at])) continue;
        std::string part = folder.substr(0, at);
        if (!CreateDirectoryW(utf8ToWide(part).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
            setErrnoFromLastError();
            why = std::strerror(errno);
            return false;
        }
    }
    if (!isDirectory(folder)) {
        why = std::strerror(ENOTDIR);
        return false;
    }
    return true;
}

bool isPathSeparator(char c) { return c == '/' || c == '\\'; }

char pathSeparator() { return '\\'; }

size_t pathRootLength(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0])))
        return path.size() >= 3 && isPathSeparator(path[2]) ? 3 : 2;
    if (path.size() >= 2 && isPathSeparator(path[0]) && isPathSeparator(path[1])) {
        // \\server\share\ : the server's and the share's names belong to the root.
        size_t at = 2;
        for (int part = 0; part < 2; ++part) {
            while (at < path.size() && !isPathSeparator(path[at])) ++at;
            if (at < path.size()) ++at;
        }
        return at;
    }
    return !path.empty() && isPathSeparator(path[0]) ? 1 : 0;
}

bool isAbsolutePath(const std::string& path) {
    size_t root = pathRootLength(path);
    return root > 0 && !(root == 2 && path[1] == ':');
}

std::string workingFolder() {
    wchar_t* folder = _wgetcwd(nullptr, 0);
    std::string out = wideToUtf8(folder);
    std::free(folder);
    return out;
}

bool changeWorkingFolder(const std::string& folder) { return _wchdir(utf8ToWide(folder).c_str()) == 0; }

std::string runningProgramFolder() {
    std::vector<wchar_t> buffer(32768);
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
    if (n == 0 || n >= buffer.size()) return "";
    std::string path = wideToUtf8(buffer.data());
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

std::tm localTimeOf(std::time_t when) {
    std::tm local{};
    localtime_s(&local, &when);
    return local;
}

int64_t processId() { return int64_t(GetCurrentProcessId()); }

void catchTerminationSignals() { SetConsoleCtrlHandler(noteConsoleInterrupt, TRUE); }

bool terminationRequested() { return terminationAsked; }

void requestTermination() { terminationAsked = true; }

void endAtOnceOnTermination(bool) {}

int terminationWakeDescriptor() { return -1; }

#endif  // _WIN32
