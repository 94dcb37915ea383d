// The command line: --language CODE and --help. Everything else the program
// keeps is in the settings file.
#pragma once
#include <cstdint>
#include <string>

struct Options {
    int32_t language = -1;  // -1: the settings file's (the locale's on a first start)
    bool help = false;
};

// false when the arguments are not understood; why then says what is wrong.
bool parseOptions(int argc, const char* const* argv, Options& options, std::string& why);
// The usage text --help prints, and that follows an error on stderr.
const char* usageText();
