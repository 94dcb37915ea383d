#include "base/desktop_notice.h"

#include <cstdio>

#include "base/platform.h"

namespace {

// The tests' stand-in for the notice: true when it was written to the log instead.
bool loggedForTests(const std::string& title, const std::string& text) {
    const std::string log = environmentValue("QUILLMEAD_NOTICE_LOG");
    if (log.empty()) return false;
    if (std::FILE* file = openFile(log, "a")) {
        std::fprintf(file, "%s: %s\n", title.c_str(), text.c_str());
        std::fclose(file);
    }
    return true;
}

}  // namespace

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

void showDesktopNotice(const std::string& title, const std::string& text) {
    if (loggedForTests(title, text)) return;
    MessageBoxW(nullptr, utf8ToWide(text).c_str(), utf8ToWide(title).c_str(),
                MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND | MB_TOPMOST);
}

#elif defined(__EMSCRIPTEN__)

// The browser has no desktop notifier: the line goes to the page's console.
void showDesktopNotice(const std::string& title, const std::string& text) {
    if (loggedForTests(title, text)) return;
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

#else

#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>

#include <thread>
#include <vector>

extern char** environ;

void showDesktopNotice(const std::string& title, const std::string& text) {
    if (loggedForTests(title, text)) return;
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
