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

#else
#include <errno.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

extern char** environ;

namespace {

std::vector<char> argument(const std::string& text) {
    std::vector<char> bytes(text.begin(), text.end());
    bytes.push_back('\0');
    return bytes;
}

}  // namespace

PrintOutcome printFile(const std::string& path, const std::string& title, std::string& message) {
    message.clear();
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
        message = "no pipe could be made for lp";
        return PrintOutcome::refused;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 2);
    std::vector<char> program = argument("lp"), titleFlag = argument("-t"), titleText = argument(title),
                      ends = argument("--"), file = argument(path);
    char* argv[] = {program.data(), titleFlag.data(), titleText.data(), ends.data(), file.data(), nullptr};
    pid_t child = 0;
    int spawned = posix_spawnp(&child, program.data(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        message = "the lp command of CUPS was not found";
        return PrintOutcome::noPrinting;
    }
    // What lp says, kept to a few lines; read to the end so it never blocks on a full pipe.
    char chunk[512];
    for (;;) {
        ssize_t n = read(pipeEnds[0], chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        if (message.size() < 2000) message.append(chunk, size_t(n));
    }
    close(pipeEnds[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
    // posix_spawnp may report a missing program only through the child's exit code 127.
    if (WIFEXITED(status) && WEXITSTATUS(status) == 127) {
        message = "the lp command of CUPS was not found";
        return PrintOutcome::noPrinting;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? PrintOutcome::queued : PrintOutcome::refused;
}

#endif
