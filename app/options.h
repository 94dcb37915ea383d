// The command line. Everything the program keeps between runs is in the
// settings file; the options only shape this run (the language excepted, which
// the settings file keeps from then on).
#pragma once
#include <cstdint>
#include <string>

// The size of a saved page when none is asked: A4 landscape at 300 dots per inch.
constexpr int32_t kDefaultPictureWidth = 3508, kDefaultPictureHeight = 2480;

struct Options {
    int32_t language = -1;  // -1: the settings file's (the locale's on a first start)
    bool help = false;
    bool version = false;
    std::string dataFolder;    // --data: "" searches the usual places
    std::string exportFolder;  // --export: "" plays the book
    std::string pdfFile;       // --export-pdf: "" none
    bool print = false;        // --print
    bool asSeen = false;       // --as-seen: --export keeps the paper as on screen
    // --size: the pictures --export and Ctrl+S write.
    int32_t pictureWidth = kDefaultPictureWidth, pictureHeight = kDefaultPictureHeight;
    // --window: 0 x 0 is full screen at the desktop's resolution.
    int32_t windowWidth = 0, windowHeight = 0;
    // --access, --scan-time, --dwell-time: how a child without a mouse plays
    // (app/access_config.h); -1 and 0 leave them to the configuration file.
    int32_t accessMethod = -1;
    int32_t scanMs = 0, dwellMs = 0;
};

// The largest side --window and --size take: beyond it a window or picture
// needs gigabytes (A4 at 600 dots per inch is 7016 x 4961).
constexpr int32_t kLargestSide = 8192;

// false when the arguments are not understood; why then says what is wrong.
bool parseOptions(int argc, const char* const* argv, Options& options, std::string& why);
// The usage text --help prints, and that follows an error on stderr.
const char* usageText();
// "quillmead 1.0.0\n", what --version prints.
const char* versionText();
// false when --window asks for more than the desktop (desktopWidth x
// desktopHeight, 0 when unknown) offers; why then says what is wrong, as
// parseOptions does.
bool windowFitsDesktop(const Options& options, int32_t desktopWidth, int32_t desktopHeight, std::string& why);

struct AccessSettings;
// The command line's choices (--access, --scan-time, --dwell-time) over settings.
void applyAccessOptions(const Options& options, AccessSettings& settings);
