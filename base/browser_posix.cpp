// Starting the browser on the free desktops: xdg-open.
#ifndef _WIN32
#include <spawn.h>
#include <sys/types.h>

#include <vector>

#include "base/browser.h"

extern char** environ;

void launchBrowser(const std::string& address) {
    char program[] = "xdg-open";
    std::vector<char> argument(address.begin(), address.end());
    argument.push_back('\0');
    char* argv[] = {program, argument.data(), nullptr};
    pid_t child;
    posix_spawnp(&child, program, nullptr, nullptr, argv, environ);
}

#endif  // !_WIN32
