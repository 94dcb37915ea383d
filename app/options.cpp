#include "app/options.h"

#include <cstring>

#include "screens/languages.h"

const char* usageText() {
    return "Usage: quillmead [--language en|de|es|ru|fr] [--help]\n"
           "A colouring book for young children, full screen.\n"
           "\n"
           "  --language CODE  show the screens in this language, now and at later starts:\n"
           "                   en English, de German, es Spanish, ru Russian, fr French\n"
           "  --help           show this text and exit\n"
           "\n"
           "On a first start the language follows the locale (LC_ALL, LC_MESSAGES, LANG);\n"
           "later starts keep the one stored in the settings file.\n";
}

bool parseOptions(int argc, const char* const* argv, Options& options, std::string& why) {
    options = Options();
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const char* code = nullptr;
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            options.help = true;
            continue;
        }
        if (std::strcmp(arg, "--language") == 0) {
            if (i + 1 >= argc) {
                why = "--language needs a language: en, de, es, ru or fr";
                return false;
            }
            code = argv[++i];
        } else if (std::strncmp(arg, "--language=", 11) == 0) {
            code = arg + 11;
        } else {
            why = std::string("unknown option ") + arg;
            return false;
        }
        options.language = languageFromCode(code);
        if (options.language < 0) {
            why = std::string("unknown language ") + code + " (en, de, es, ru or fr)";
            return false;
        }
    }
    return true;
}
