#include "app/options.h"

#include <cstring>
#include <string>

#include "app/access_config.h"
#include "screens/languages.h"

// The build names the version (the project's version in CMake).
#ifndef QM_VERSION
#error "QM_VERSION must be defined by the build"
#endif

// What differs between the systems: Windows has no PDF book (no cairo there),
// and its own folders and variables.
#ifdef _WIN32
#define QM_USAGE_EXPORT_EXAMPLE "                   for example --export C:\\Users\\NAME\\Desktop\\Prints\n"
#define QM_USAGE_PDF ""
#define QM_USAGE_PLACES                                                                  \
    "While painting, Ctrl+S or the Print key saves the page on show into the\n"           \
    "Pictures folder, in Quillmead\\.\n"                                                  \
    "The paintings are kept in %APPDATA%\\velvadine_quillmead_cfg.\n"                     \
    "On a first start the language follows the language of Windows' menus; later\n"     \
    "starts keep the one stored in the settings file.\n"                                 \
    "Without --data the pictures and sounds are looked for in %QUILLMEAD_DATA%, then\n"  \
    "in the data folder beside quillmead.exe.\n"
#define QM_USAGE_ACCESS_FILE "%APPDATA%\\Quillmead\\access.conf"
#define QM_USAGE_POLICY_FILE "C:\\ProgramData\\Quillmead\\policy.conf"
#else
#define QM_USAGE_EXPORT_EXAMPLE ""
#define QM_USAGE_PDF                                                                      \
    "  --export-pdf FILE  save the whole book as one A4 PDF in FILE and exit: a\n"        \
    "                   cover, then every painted page (a chapter for each child\n"       \
    "                   when each has a book)\n"                                          \
    "  --print          send that PDF to the default printer (CUPS lp) and exit\n"
#define QM_USAGE_PLACES                                                                  \
    "While painting, Ctrl+S or the Print key saves the page on show into the\n"           \
    "pictures folder, in Quillmead/.\n"                                                   \
    "On a first start the language follows the locale (LC_ALL, LC_MESSAGES, LANG);\n"    \
    "later starts keep the one stored in the settings file.\n"                           \
    "Without --data the pictures and sounds are looked for in $QUILLMEAD_DATA, then\n"   \
    "in the share/quillmead folder of the installation, then beside the program.\n"
#define QM_USAGE_ACCESS_FILE "~/.config/quillmead/access.conf"
#define QM_USAGE_POLICY_FILE "/etc/quillmead/policy.conf"
#endif

// For the adult who sets the program up: the access file, the policy, the
// children's books and the kiosk's way out.
#define QM_USAGE_ADULTS                                                                 \
    "Tab, Shift+Tab and Space reach everything without a mouse.\n"                      \
    "\n"                                                                                \
    "The way in without a mouse can also be set in " QM_USAGE_ACCESS_FILE "\n"         \
    "(access, scan-time, dwell-time, dwell-grace, dwell-radius, reduced-motion).\n"    \
    "An administrator's policy, " QM_USAGE_POLICY_FILE " (QUILLMEAD_POLICY=FILE\n"      \
    "to try one), wins over all of this: a kiosk, a book for each child (profiles =\n" \
    "on: \"Who is painting?\" at the start, the chooser and every child's book in one\n" \
    "language), fixed settings, no exports. In a kiosk the adult leaves by holding\n"   \
    "Ctrl+Alt+Q for three seconds. An export the policy turns off exits 1.\n"

const char* usageText() {
    return "Usage: quillmead [OPTION]...\n"
           "A colouring book for young children, full screen: flowers to paint with a brush.\n"
           "\n"
           "  --window WxH     play in a window this many pixels wide and high\n"
           "                   instead of full screen, for example --window 1280x720\n"
           "  --language CODE  show the screens in this language, now and at later starts:\n"
           "                   en English, de German, es Spanish, ru Russian, fr French\n"
           "  --export DIR     save every painted page as a picture in DIR\n"
           "                   (quillmead-page-01.png ...) and exit; the book is not shown.\n"
           "                   Made for paper: the drawing and its colours on white, inside\n"
           "                   printable margins\n"
           QM_USAGE_EXPORT_EXAMPLE
           "  --as-seen        with --export: the page as seen on screen instead, paper and all\n"
           QM_USAGE_PDF
           "  --size WxH       the size of saved pictures, for --export and for Ctrl+S\n"
           "                   (default 3508x2480: A4 landscape at 300 dots per inch)\n"
           "  --data DIR       take the pictures and sounds from DIR\n"
           "  --access METHOD  how the child plays without a mouse: keys (Tab moves the\n"
           "                   focus, Space acts; the default), switch2 (two switches:\n"
           "                   Space steps, Enter selects), switch1 (one switch, Space;\n"
           "                   the focus moves by itself) or dwell (resting the pointer clicks)\n"
           "  --scan-time SECONDS   how long switch1's focus rests on each step (0.5 to 5,\n"
           "                   default 1.5)\n"
           "  --dwell-time SECONDS  how long the pointer rests before it clicks (0.3 to 5,\n"
           "                   default 1)\n"
           "  --version        show the version and exit\n"
           "  --help           show this text and exit\n"
           "\n" QM_USAGE_PLACES QM_USAGE_ADULTS;
}

const char* versionText() { return "quillmead " QM_VERSION "\n"; }

namespace {

// "WxH" with both numbers within [least, most]; false for anything else.
bool parseSize(const char* text, int32_t least, int32_t most, int32_t& width, int32_t& height) {
    const char* p = text;
    int32_t values[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        if (*p < '0' || *p > '9') return false;
        long value = 0;
        while (*p >= '0' && *p <= '9') {
            value = value * 10 + (*p++ - '0');
            if (value > most) return false;
        }
        if (value < least) return false;
        values[i] = int32_t(value);
        if (i == 0 && *p++ != 'x') return false;
    }
    if (*p != '\0') return false;
    width = values[0];
    height = values[1];
    return true;
}

// The options that take a value, and what a missing or wrong value asks for.
struct ValuedOption {
    const char* name;
    const char* wants;
};
const ValuedOption kValued[] = {
    {"--language", "a language: en, de, es, ru or fr"},
    {"--window", "a size like 1280x720 (16 to 8192 pixels a side, at most the desktop's size)"},
    {"--size", "a size like 3508x2480 (16 to 8192 pixels a side)"},
    {"--export", "a folder"},
    {"--export-pdf", "a file name"},
    {"--data", "a folder"},
    {"--access", "a method: keys, switch2, switch1 or dwell"},
    {"--scan-time", "a number of seconds from 0.5 to 5"},
    {"--dwell-time", "a number of seconds from 0.3 to 5"},
};

// Sets value from "--name VALUE" or "--name=VALUE" and returns the option; null
// when arg names none of them. A missing value leaves value null.
const ValuedOption* valuedOption(int argc, const char* const* argv, int& i, const char*& value) {
    value = nullptr;
    for (const ValuedOption& option : kValued) {
        size_t n = std::strlen(option.name);
        const char* arg = argv[i];
        if (std::strncmp(arg, option.name, n) != 0) continue;
        if (arg[n] == '=') {
            value = arg + n + 1;
        } else if (arg[n] == '\0') {
            if (i + 1 < argc) value = argv[++i];
        } else {
            continue;
        }
        return &option;
    }
    return nullptr;
}

bool applyAccessValue(const std::string& name, const char* value, Options& options) {
    if (name == "--access") {
        AccessMethod method = AccessMethod::keys;
        if (!accessMethodFromWord(value, method)) return false;
        options.accessMethod = int32_t(method);
        return true;
    }
    uint32_t ms = 0;
    if (name == "--scan-time") {
        if (!parseSeconds(value, kLeastScanMs, kMostScanMs, ms)) return false;
        options.scanMs = int32_t(ms);
        return true;
    }
    if (!parseSeconds(value, kLeastDwellMs, kMostDwellMs, ms)) return false;
    options.dwellMs = int32_t(ms);
    return true;
}

// Applies one option's value; false when the value is not one it takes.
bool applyValue(const ValuedOption& option, const char* value, Options& options) {
    std::string name = option.name;
    if (name == "--language") return (options.language = languageFromCode(value)) >= 0;
    if (name == "--window") return parseSize(value, 16, kLargestSide, options.windowWidth, options.windowHeight);
    if (name == "--size") return parseSize(value, 16, kLargestSide, options.pictureWidth, options.pictureHeight);
    if (name == "--access" || name == "--scan-time" || name == "--dwell-time") return applyAccessValue(name, value, options);
    if (!*value) return false;
    if (name == "--export-pdf") {
        options.pdfFile = value;
        return true;
    }
    (name == "--export" ? options.exportFolder : options.dataFolder) = value;
    return true;
}

}  // namespace

bool parseOptions(int argc, const char* const* argv, Options& options, std::string& why) {
    options = Options();
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            options.help = true;
            continue;
        }
        if (std::strcmp(arg, "--print") == 0) {
            options.print = true;
            continue;
        }
        if (std::strcmp(arg, "--as-seen") == 0) {
            options.asSeen = true;
            continue;
        }
        if (std::strcmp(arg, "--version") == 0) {
            options.version = true;
            continue;
        }
        const char* value = nullptr;
        const ValuedOption* option = valuedOption(argc, argv, i, value);
        if (!option) {
            why = std::string("unknown option ") + arg;
            return false;
        }
        if (!value || !applyValue(*option, value, options)) {
            why = std::string(option->name) + " needs " + option->wants;
            if (value) why += std::string(", not \"") + value + "\"";
            return false;
        }
    }
    return true;
}

bool windowFitsDesktop(const Options& options, int32_t desktopWidth, int32_t desktopHeight, std::string& why) {
    if (options.windowWidth <= 0 || desktopWidth <= 0 || desktopHeight <= 0) return true;
    if (options.windowWidth <= desktopWidth && options.windowHeight <= desktopHeight) return true;
    why = "--window needs a size that fits the desktop (at most " + std::to_string(desktopWidth) + "x" +
          std::to_string(desktopHeight) + "), not \"" + std::to_string(options.windowWidth) + "x" +
          std::to_string(options.windowHeight) + "\"";
    return false;
}

void applyAccessOptions(const Options& options, AccessSettings& settings) {
    if (options.accessMethod >= 0) settings.method = AccessMethod(options.accessMethod);
    if (options.scanMs > 0) settings.scanMs = uint32_t(options.scanMs);
    if (options.dwellMs > 0) settings.dwellMs = uint32_t(options.dwellMs);
}
