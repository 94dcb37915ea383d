// The platform layer on Linux and other POSIX systems.
#ifndef _WIN32
#include <fcntl.h>
#include <limits.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "base/platform.h"
#include "base/temporary_file_journal.h"
#include "base/temporary_files.h"

namespace {
const char kSettingsFileName[] = "velvadine_quillmead_cfg";
}


namespace {

// The XDG rules: an unset, empty or relative variable counts as unset.
std::string absoluteEnv(const char* name) {
    const char* value = std::getenv(name);
    if (!value || value[0] != '/') return "";
    return value;
}

// The value of XDG_PICTURES_DIR in a user-dirs.dirs file: a quoted path that is
// absolute or starts with $HOME; "" when the file does not set one.
std::string picturesSettingOf(const std::string& userDirsFile, const std::string& home) {
    std::ifstream in(userDirsFile);
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

bool isDirectory(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// mkdir -p.
bool makeDirectories(const std::string& path, mode_t mode) {
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        std::string prefix = path.substr(0, slash);
        if (mkdir(prefix.c_str(), mode) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) break;
    }
    return isDirectory(path);
}

bool writeAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += size_t(n);
    }
    return true;
}

// Creates a temporary file beside path that no other writer is using.
int createTempBeside(const std::string& path, std::string& temp, TemporaryFileListing listing) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = path + ".tmp" + std::to_string(getpid()) + "." + std::to_string(attempt);
        // Held (and listed) before it exists: a signal or a kill in between
        // removes nothing of anyone's.
        holdTemporaryFile(temp);
        const bool listed = listing == TemporaryFileListing::listed && listTemporaryFile(temp);
        int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        const int error = errno;
        letGoOfTemporaryFile(temp);
        if (listed) dropListedTemporaryFile(temp);
        if (error != EEXIST) return fd;
    }
    return -1;
}

// After the rename, the folder's entry has to reach the disk too.
void syncFolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

namespace {

volatile std::sig_atomic_t terminationSignal = 0;
volatile std::sig_atomic_t endAtOnce = 0;
// A signal may land on any thread, and on the main thread just before it goes
// to sleep; a byte in this pipe wakes its wait either way (waitUntilReadable).
// Made once, never closed, never drained: after a termination every wait ends
// at once, which is what the ending program wants.
int wakePipe[2] = {-1, -1};

void noteTermination(int sig) {
    terminationSignal = 1;
    if (wakePipe[1] >= 0) {
        const int saved = errno;
        const char byte = 1;
        if (write(wakePipe[1], &byte, 1) < 0) {
            // Full: the waits are woken already.
        }
        errno = saved;
    }
    if (!endAtOnce) return;
    // Start-up may wait where no loop looks at the flag (a pointer grab another
    // program holds, a slow X server), and an export draws there: end the way
    // the signal itself would, leaving no temporary file behind.
    removeHeldTemporaryFiles();
    signal(sig, SIG_DFL);
    raise(sig);
}

}  // namespace

void catchTerminationSignals() {
    if (wakePipe[0] < 0 && pipe2(wakePipe, O_NONBLOCK | O_CLOEXEC) != 0) wakePipe[0] = wakePipe[1] = -1;
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction current;
        if (sigaction(sig, nullptr, &current) != 0) continue;
        // An ignored signal (nohup) stays ignored.
        if (!(current.sa_flags & SA_SIGINFO) && current.sa_handler == SIG_IGN) continue;
        struct sigaction caught {};
        caught.sa_handler = noteTermination;
        caught.sa_flags = SA_RESTART;
        sigemptyset(&caught.sa_mask);
        sigaction(sig, &caught, nullptr);
    }
    signal(SIGXFSZ, SIG_IGN);
}

ReadResult readSmallFile(const std::string& path, size_t limit, std::vector<uint8_t>& bytes) {
    bytes.clear();
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return ReadResult::missing;
        // A folder at the path opens read-only on some systems and not on others.
        struct stat st;
        if (stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return ReadResult::notRegular;
        return ReadResult::unreadable;
    }
    struct stat st;
    if (fstat(fd, &st) != 0) {
        close(fd);
        return ReadResult::unreadable;
    }
    if (!S_ISREG(st.st_mode)) {
        close(fd);
        return ReadResult::notRegular;
    }
    if (st.st_size < 0 || uint64_t(st.st_size) > limit) {
        close(fd);
        return ReadResult::tooLarge;
    }
    // Read to the end rather than trusting the size, but never past the limit.
    uint8_t chunk[16384];
    for (;;) {
        ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            close(fd);
            bytes.clear();
            return ReadResult::unreadable;
        }
        if (n == 0) break;
        if (bytes.size() + size_t(n) > limit) {
            close(fd);
            bytes.clear();
            return ReadResult::tooLarge;
        }
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    close(fd);
    return ReadResult::read;
}

bool moveFileAside(const std::string& path, const std::string& aside) {
    if (rename(path.c_str(), aside.c_str()) != 0) return errno == ENOENT;
    syncFolderOf(aside);
    return true;
}

bool terminationRequested() { return terminationSignal != 0; }

int terminationWakeDescriptor() { return wakePipe[0]; }

void requestTermination() { terminationSignal = 1; }

void endAtOnceOnTermination(bool atOnce) { endAtOnce = atOnce ? 1 : 0; }

std::string settingsFolder() {
    std::string folder = absoluteEnv("XDG_DATA_HOME");
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (!folder.empty()) {
        // Made only where its own folder exists: a mistyped path makes nothing.
        if (isDirectory(folder)) return folder;
        size_t slash = folder.rfind('/');
        const std::string above = slash == 0 ? "/" : folder.substr(0, slash);
        return isDirectory(above) && mkdir(folder.c_str(), 0700) == 0 ? folder : "";
    }
    // Under a home that exists (homeFolder says none otherwise).
    std::string home = homeFolder();
    if (home.empty()) return "";
    folder = (home == "/" ? "" : home) + "/.local/share";
    return makeDirectories(folder, 0700) ? folder : "";
}

std::string defaultSettingsPath() {
    std::string folder = settingsFolder();
    if (folder.empty()) return "";
    return (folder == "/" ? "" : folder) + "/" + kSettingsFileName;
}

bool replaceFileContents(const std::string& path, const std::vector<uint8_t>& bytes, TemporaryFileListing listing) {
    if (path.empty()) return false;
    std::string temp;
    int fd = createTempBeside(path, temp, listing);
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes);
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) unlink(temp.c_str());
    letGoOfTemporaryFile(temp);
    if (listing == TemporaryFileListing::listed) dropListedTemporaryFile(temp);
    if (!ok) return false;
    syncFolderOf(path);
    return true;
}

bool canCreateFileBeside(const std::string& path) {
    if (path.empty()) return false;
    std::string temp;
    int fd = createTempBeside(path, temp, TemporaryFileListing::unlisted);
    if (fd < 0) return false;
    close(fd);
    unlink(temp.c_str());
    return true;
}

std::string homeFolder() {
    // A HOME that names a missing folder is no home: nothing is made there,
    // and the password database's is not taken in its place either.
    std::string home = absoluteEnv("HOME");
    if (!home.empty()) return isDirectory(home) ? home : "";
    const passwd* entry = getpwuid(getuid());
    if (entry && entry->pw_dir && entry->pw_dir[0] == '/' && isDirectory(entry->pw_dir)) return entry->pw_dir;
    return "";
}

std::string machineSettingsFolder() { return "/etc"; }

namespace {

// The user's configuration folder for a known home: $XDG_CONFIG_HOME when it is
// absolute, else HOME/.config.
std::string configFolderOf(const std::string& home) {
    std::string folder = absoluteEnv("XDG_CONFIG_HOME");
    return folder.empty() ? home + "/.config" : folder;
}

}  // namespace

std::string userConfigFile(const char* name) {
    std::string folder = absoluteEnv("XDG_CONFIG_HOME");
    if (folder.empty()) {
        std::string home = homeFolder();
        if (home.empty()) return "";
        folder = configFolderOf(home);
    }
    return folder + "/quillmead/" + name;
}

std::string machineConfigFile(const char* name) { return machineSettingsFolder() + "/quillmead/" + name; }

std::string userPicturesFolder() {
    std::string home = homeFolder();
    if (home.empty()) return "";
    std::string folder = picturesSettingOf(configFolderOf(home) + "/user-dirs.dirs", home);
    std::string homeTrimmed = home;
    while (homeTrimmed.size() > 1 && homeTrimmed.back() == '/') homeTrimmed.pop_back();
    if (folder.empty() || folder == homeTrimmed) folder = home + "/Pictures";
    return folder;
}

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string desktopLocaleName() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) return value;
    }
    return "";
}

std::FILE* openRegularFileToRead(const std::string& path, uint64_t& size, std::string& why) {
    size = 0;
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        why = errno == ENOENT ? "the file is missing" : std::string("it cannot be read (") + std::strerror(errno) + ")";
        return nullptr;
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        why = "it is not a regular file";
        return nullptr;
    }
    std::FILE* file = fdopen(fd, "rb");
    if (!file) {
        close(fd);
        why = "it cannot be read";
        return nullptr;
    }
    size = uint64_t(info.st_size);
    return file;
}

std::FILE* openFile(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

bool replaceFileWith(const std::string& from, const std::string& to) {
    return rename(from.c_str(), to.c_str()) == 0;
}

bool removeFile(const std::string& path) { return unlink(path.c_str()) == 0; }

bool pathExists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

bool isReadableFile(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode) && access(path.c_str(), R_OK) == 0;
}

bool makeFolders(const std::string& folder, bool privateToUser, std::string& why) {
    if (folder.empty()) {
        why = std::strerror(ENOENT);
        return false;
    }
    for (size_t at = 1; at <= folder.size(); ++at) {
        if (at < folder.size() && folder[at] != '/') continue;
        std::string part = folder.substr(0, at);
        if (mkdir(part.c_str(), privateToUser ? 0700 : 0777) != 0 && errno != EEXIST) {
            why = std::strerror(errno);
            return false;
        }
    }
    struct stat info;
    if (stat(folder.c_str(), &info) != 0) {
        why = std::strerror(errno);
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        why = std::strerror(ENOTDIR);
        return false;
    }
    if (access(folder.c_str(), W_OK | X_OK) != 0) {
        why = std::strerror(errno);
        return false;
    }
    return true;
}

bool isPathSeparator(char c) { return c == '/'; }

char pathSeparator() { return '/'; }

size_t pathRootLength(const std::string& path) { return !path.empty() && path[0] == '/' ? 1 : 0; }

bool isAbsolutePath(const std::string& path) { return pathRootLength(path) > 0; }

std::string workingFolder() {
    std::vector<char> buffer(256);
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE || buffer.size() >= (1u << 20)) return "";
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

bool changeWorkingFolder(const std::string& folder) { return chdir(folder.c_str()) == 0; }

std::string runningProgramFolder() {
    char buffer[4096];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return "";
    std::string path(buffer, size_t(n));
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : slash == 0 ? "/" : path.substr(0, slash);
}

std::tm localTimeOf(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    return local;
}

int64_t processId() { return int64_t(getpid()); }

#endif  // !_WIN32
