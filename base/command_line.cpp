#include "base/command_line.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h.
#include <shellapi.h>

#include <cstdio>

#include "base/platform.h"

std::vector<std::string> splitWideCommandLine(const wchar_t* line) {
    std::vector<std::string> arguments;
    // CommandLineToArgvW answers an empty line with the program's own path.
    if (!line || !*line) return arguments;
    int count = 0;
    wchar_t** words = CommandLineToArgvW(line, &count);
    if (!words) return arguments;
    for (int i = 0; i < count; ++i) arguments.push_back(wideToUtf8(words[i]));
    LocalFree(words);
    return arguments;
}

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    std::vector<std::string> arguments = splitWideCommandLine(GetCommandLineW());
    if (!arguments.empty()) return arguments;
    // No wide line to be had: the ANSI arguments are better than none.
    for (int i = 0; i < argc; ++i) arguments.push_back(argv[i] ? argv[i] : "");
    return arguments;
}

namespace {

bool goesSomewhere(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    return handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

}  // namespace

void answerOnStartingConsole() {
    bool out = goesSomewhere(STD_OUTPUT_HANDLE), err = goesSomewhere(STD_ERROR_HANDLE);
    if (out && err) return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    if (!out && std::freopen("CONOUT$", "w", stdout)) std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (!err && std::freopen("CONOUT$", "w", stderr)) std::setvbuf(stderr, nullptr, _IONBF, 0);
}

#else

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) arguments.push_back(argv[i] ? argv[i] : "");
    return arguments;
}

void answerOnStartingConsole() {}

#endif
