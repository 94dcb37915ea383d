#include "base/platform.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include <io.h>
#include <shlobj.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
const char kSettingsFileName[] = "velvadine_quillmead_cfg";
}

#ifdef _WIN32

std::string settingsFolder() {
    // CSIDL_COMMON_APPDATA | CSIDL_FLAG_CREATE: the all-users folder, created when missing.
    char buffer[MAX_PATH];
    if (SHGetFolderPathA(NULL, 0x8023, NULL, 0, buffer) != S_OK) return "";
    return buffer;
}

std::string defaultSettingsPath() {
    std::string folder = settingsFolder();
    return folder.empty() ? "" : folder + "\\" + kSettingsFileName;
}

bool replaceFileContents(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string temp = path + ".tmp";
    FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
    ok = _commit(_fileno(f)) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (ok) ok = MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) DeleteFileA(temp.c_str());
    return ok;
}

ReadResult readSmallFile(const std::string& path, size_t limit, std::vector<uint8_t>& bytes) {
    bytes.clear();
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return errno == ENOENT ? ReadResult::missing : ReadResult::unreadable;
    uint8_t chunk[16384];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) {
        if (bytes.size() + n > limit) {
            std::fclose(f);
            bytes.clear();
            return ReadResult::tooLarge;
        }
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    bool failed = std::ferror(f) != 0;
    std::fclose(f);
    return failed ? ReadResult::unreadable : ReadResult::read;
}

bool moveFileAside(const std::string& path, const std::string& aside) {
    return MoveFileExA(path.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

void catchTerminationSignals() {}
bool terminationRequested() { return false; }
void endAtOnceOnTermination(bool) {}

#else

namespace {

// The XDG rules: an unset, empty or relative variable counts as unset.
std::string absoluteEnv(const char* name) {
    const char* value = std::getenv(name);
    if (!value || value[0] != '/') return "";
    return value;
}

std::string homeFolder() {
    std::string home = absoluteEnv("HOME");
    if (!home.empty()) return home;
    const passwd* entry = getpwuid(getuid());
    if (entry && entry->pw_dir && entry->pw_dir[0] == '/') return entry->pw_dir;
    return "";
}

bool isDirectory(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// mkdir -p, private to the user as data folders should be.
bool makeDirectories(const std::string& path) {
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        std::string prefix = path.substr(0, slash);
        if (mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
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
int createTempBeside(const std::string& path, std::string& temp) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = path + ".tmp" + std::to_string(getpid()) + "." + std::to_string(attempt);
        int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
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

void noteTermination(int sig) {
    terminationSignal = 1;
    if (!endAtOnce) return;
    // Start-up may wait where no loop looks at the flag (a pointer grab another
    // program holds, a slow X server): end the way the signal itself would.
    signal(sig, SIG_DFL);
    raise(sig);
}

}  // namespace

void catchTerminationSignals() {
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

void endAtOnceOnTermination(bool atOnce) { endAtOnce = atOnce ? 1 : 0; }

std::string settingsFolder() {
    std::string folder = absoluteEnv("XDG_DATA_HOME");
    if (folder.empty()) {
        std::string home = homeFolder();
        if (home.empty()) return "";
        folder = home + "/.local/share";
    }
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return makeDirectories(folder) ? folder : "";
}

std::string defaultSettingsPath() {
    std::string folder = settingsFolder();
    if (folder.empty()) return "";
    return (folder == "/" ? "" : folder) + "/" + kSettingsFileName;
}

bool replaceFileContents(const std::string& path, const std::vector<uint8_t>& bytes) {
    if (path.empty()) return false;
    std::string temp;
    int fd = createTempBeside(path, temp);
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes);
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        unlink(temp.c_str());
        return false;
    }
    syncFolderOf(path);
    return true;
}

#endif
