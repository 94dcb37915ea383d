#include "base/desktop_notice.h"

#ifdef _WIN32

void showDesktopNotice(const std::string&, const std::string&) {}

#else

#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>

#include <thread>
#include <vector>

extern char** environ;

void showDesktopNotice(const std::string& title, const std::string& text) {
    std::vector<std::string> words = {"notify-send", "--app-name=Quillmead", "--icon=quillmead", title, text};
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(&word[0]);
    argv.push_back(nullptr);
    pid_t child;
    if (posix_spawnp(&child, "notify-send", nullptr, nullptr, argv.data(), environ) != 0) return;
    // The program may run for hours after the notice: no zombie is left behind.
    std::thread([child] { waitpid(child, nullptr, 0); }).detach();
}

#endif
