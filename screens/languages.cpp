#include "screens/languages.h"

#include <cstdlib>
#include <cstring>

#include "base/platform.h"
#include "engine/switches.h"
#include "screens/screen_entries.h"

namespace {

int32_t shownLanguage() {
    int32_t language = switches.language;
    return language >= 0 && language < screenLanguageCount ? language : 0;
}

bool isSet(const char* value) { return value && value[0] != '\0'; }

}  // namespace

const char* languageArchive() { return languageArchives[shownLanguage()]; }
const char* pictureArchive() { return pictureArchives[shownLanguage()]; }

int32_t languageFromCode(const char* code) {
    if (!code) return -1;
    for (int32_t i = 0; i < screenLanguageCount; ++i)
        if (std::strcmp(code, languageCodes[i]) == 0) return i;
    return -1;
}

int32_t languageFromLocaleName(const char* locale) {
    if (!locale) return -1;
    // language[_territory][.codeset][@modifier]; the language part is what counts.
    size_t length = std::strcspn(locale, "_.@");
    if (length != 2) return -1;
    char code[3] = {locale[0], locale[1], '\0'};
    return languageFromCode(code);
}

int32_t languageFromLocale(const char* lcAll, const char* lcMessages, const char* lang) {
    const char* locale = isSet(lcAll) ? lcAll : isSet(lcMessages) ? lcMessages : lang;
    int32_t language = languageFromLocaleName(locale);
    return language >= 0 ? language : 0;
}

int32_t languageFromEnvironment() {
    int32_t language = languageFromLocaleName(desktopLocaleName().c_str());
    return language >= 0 ? language : 0;
}
