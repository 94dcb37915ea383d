#include "base/print_spool.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>

PrintOutcome printFile(const std::string& path, const std::string&, std::string& message) {
    HINSTANCE result = ShellExecuteA(nullptr, "print", path.c_str(), nullptr, nullptr, SW_HIDE);
    if (reinterpret_cast<INT_PTR>(result) > 32) return PrintOutcome::queued;
    message = "no program on this computer prints PDF files";
    return PrintOutcome::noPrinting;
}

PrintOutcome printingAvailable(std::string& message) {
    message.clear();
    return PrintOutcome::queued;
}

#elif defined(__EMSCRIPTEN__)

// The browser build hands no file to a printer (the browser's own print dialog is still to come).
PrintOutcome printFile(const std::string&, const std::string&, std::string& message) {
    message = "the browser version cannot hand a file to a printer";
    return PrintOutcome::noPrinting;
}

PrintOutcome printingAvailable(std::string& message) {
    message = "the browser version cannot hand a file to a printer";
    return PrintOutcome::noPrinting;
}

#else
#include <errno.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

extern char** environ;

namespace {

std::vector<char> argument(const std::string& text) {
    std::vector<char> bytes(text.begin(), text.end());
    bytes.push_back('\0');
    return bytes;
}

// Runs args[0] from the PATH with no shell, its output and errors read into
// output (kept to a few lines). The exit status; 127 when it was not found.
int runCapturing(const std::vector<std::string>& args, std::string& output) {
    output.clear();
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
        output = "no pipe could be made for " + args[0];
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 2);
    std::vector<std::vector<char>> bytes;
    for (const std::string& arg : args) bytes.push_back(argument(arg));
    std::vector<char*> argv;
    for (std::vector<char>& arg : bytes) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        return 127;
    }
    // Read to the end so it never blocks on a full pipe.
    char chunk[512];
    for (;;) {
        ssize_t n = read(pipeEnds[0], chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        if (output.size() < 2000) output.append(chunk, size_t(n));
    }
    close(pipeEnds[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) output.pop_back();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// True when program is an executable file in a folder of the PATH.
bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    size_t begin = 0;
    for (;;) {
        size_t end = folders.find(':', begin);
        std::string folder = folders.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
        std::string file = (folder.empty() ? "." : folder) + "/" + program;
        struct stat info;
        if (stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(file.c_str(), X_OK) == 0) return true;
        if (end == std::string::npos) return false;
        begin = end + 1;
    }
}

const char kNoLp[] = "the lp command of CUPS was not found";

}  // namespace

PrintOutcome printFile(const std::string& path, const std::string& title, std::string& message) {
    int status = runCapturing({"lp", "-t", title, "--", path}, message);
    // posix_spawnp may report a missing program only through the child's exit code 127.
    if (status == 127) {
        message = kNoLp;
        return PrintOutcome::noPrinting;
    }
    return status == 0 ? PrintOutcome::queued : PrintOutcome::refused;
}

PrintOutcome printingAvailable(std::string& message) {
    message.clear();
    if (!onPath("lp")) {
        message = kNoLp;
        return PrintOutcome::noPrinting;
    }
    for (const char* name : {"PRINTER", "LPDEST"}) {
        const char* value = std::getenv(name);
        if (value && *value) return PrintOutcome::queued;
    }
    std::string said;
    int status = runCapturing({"lpstat", "-d"}, said);
    // Without lpstat, lp itself will say whether it has a destination.
    if (status == 127 || said.find("system default destination:") != std::string::npos) return PrintOutcome::queued;
    message = "no printer is set up" + (said.empty() ? std::string() : " (" + said + ")");
    return PrintOutcome::noPrinting;
}

#endif
