// Starting the browser on the free desktops: xdg-open.
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <time.h>

#include <vector>

#include "base/browser.h"

extern char** environ;

bool launchBrowser(const std::string& address) {
    char program[] = "xdg-open";
    std::vector<char> argument(address.begin(), address.end());
    argument.push_back('\0');
    char* argv[] = {program, argument.data(), nullptr};
    pid_t child;
    if (posix_spawnp(&child, program, nullptr, nullptr, argv, environ) != 0) return false;
    const unsigned kStepMs = 20;
    for (unsigned waited = 0; waited < kBrowserVerdictMs; waited += kStepMs) {
        int status = 0;
        pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (done < 0) return true;  // not ours to watch any more; it did start
        timespec pause{0, long(kStepMs) * 1000000L};
        nanosleep(&pause, nullptr);
    }
    return true;
}

#endif  // !_WIN32 && !__EMSCRIPTEN__
