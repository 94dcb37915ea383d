#include "screens/languages.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "base/platform.h"
#include "engine/switches.h"
#include "resources/archive_check.h"
#include "resources/pak.h"
#include "scene/picture_preparer.h"
#include "screens/chooser_entries.h"
#include "screens/chooser_state.h"
#include "screens/screen_entries.h"

namespace {

int32_t shownLanguage() {
    int32_t language = switches().language;
    return language >= 0 && language < screenLanguageCount ? language : 0;
}

bool isSet(const char* value) { return value && value[0] != '\0'; }

// What was found in each archive the screens load, once per run. Main thread
// only; emptied by resetScreenArchiveChecks (resetScreens).
struct ArchiveCheck {
    std::string archive;
    std::string damage;  // "" when whole
};
std::vector<ArchiveCheck> checkedArchives;

// "" when every entry is whole; the first damage otherwise. Said on stderr the
// first time, with what the screens do without the archive.
const std::string& damageIn(const char* archive, const char* const* entries, size_t count, const char* instead) {
    for (const ArchiveCheck& check : checkedArchives)
        if (check.archive == archive) return check.damage;
    std::string why;
    if (preparedVerdict(archive, {entries, entries + count}, why)) {
        // Checked in the background: nothing to open or decode here.
    } else if (PakArchive* pak = pakTryAcquire(archive, &why)) {
        for (size_t i = 0; i < count && why.empty(); ++i) why = damageInModelEntry(*pak, entries[i]);
        pakRelease(archive);
    }
    if (!why.empty()) std::fprintf(stderr, "quillmead: %s; %s\n", pakFailureText(archive, why).c_str(), instead);
    checkedArchives.push_back(ArchiveCheck{archive, why});
    return checkedArchives.back().damage;
}

template <size_t N>
bool whole(const char* archive, const char* const (&entries)[N], const char* instead) {
    return damageIn(archive, entries, N, instead).empty();
}

// What the chooser's record was last asked for; empty while none is kept.
// Main thread only; emptied with the checks above.
std::vector<std::string> chooserModelsAsked;

// With a book for each child: the chooser's card in the shown language, its
// animals and the menu's picture of the child painting now. Empty without.
std::vector<std::string> chooserModelsWanted() {
    std::vector<std::string> models;
    if (chooserState().animals.empty() && !chooserMenuEntry()) return models;
    models.push_back(std::string("chooser_") + languageCodes[shownLanguage()]);
    for (int32_t animal : chooserState().animals)
        if (animal >= 0 && animal < animalCount) models.push_back(std::string("animal_") + animalNames[animal]);
    if (const char* badge = chooserMenuEntry()) models.push_back(badge);
    return models;
}

const char kInEnglish[] = "the screens are shown in English";
const char kNoScreens[] = "the screens cannot be opened";

}  // namespace

const char* languageArchive() {
    const char* own = languageArchives[shownLanguage()];
    if (own == languageArchives[0] || whole(own, languageEntries, kInEnglish)) return own;
    return languageArchives[0];
}

const char* pictureArchive() {
    const char* own = pictureArchives[shownLanguage()];
    if (own == pictureArchives[0] || whole(own, pictureEntries, kInEnglish)) return own;
    return pictureArchives[0];
}

bool screenArchivesUsable() {
    // The fallbacks first, so that a damaged language archive is named before
    // the English one it falls back to.
    const char* words = languageArchive();
    const char* pictures = pictureArchive();
    return whole(words, languageEntries, kNoScreens) && whole(pictures, pictureEntries, kNoScreens) &&
           whole(commonArchive, commonEntries, kNoScreens);
}

bool helpBackgroundUsable() {
    static const char* const entries[] = {helpBackgroundEntry};
    return whole(helpBackgroundArchive, entries, "the help screen is shown without its background");
}

const char* unkeptExitArchive() {
    for (const char* archive : {languageArchive(), languageArchives[0]}) {
        PakArchive* pak = pakTryAcquire(archive);
        bool whole = pak && damageInModelEntry(*pak, unkeptExitEntry).empty();
        if (pak) pakRelease(archive);
        if (whole) return archive;
    }
    return nullptr;
}

void resetScreenArchiveChecks() {
    checkedArchives.clear();
    chooserModelsAsked.clear();
}

void prepareScreenArchives() {
    const int32_t language = shownLanguage();
    const char* words = languageArchives[language];
    const char* pictures = pictureArchives[language];
    std::vector<std::string> chooserModels = chooserModelsWanted();
    const bool chooserKept = chooserModels.empty() || (isPrepared(chooserArchive) && chooserModels == chooserModelsAsked);
    if (isPrepared(words) && isPrepared(pictures) && chooserKept) return;
    std::vector<std::string> wordModels(std::begin(languageEntries), std::end(languageEntries));
    // The help's background lives in the English archive: one record for both.
    const bool english = std::strcmp(words, helpBackgroundArchive) == 0;
    if (english) wordModels.push_back(helpBackgroundEntry);
    // Another language's records, and the English one made for the background
    // only; the common archive stays, and the chooser's while it still holds
    // what the chooser and the menu show (a new language or child makes it again).
    if (chooserKept)
        letGroupGoExcept(preparedScreens, {commonArchive, chooserArchive});
    else
        letGroupGoExcept(preparedScreens, {commonArchive});
    prepareArchive(words, preparedScreens, wordModels);
    prepareArchive(pictures, preparedScreens, {std::begin(pictureEntries), std::end(pictureEntries)});
    prepareArchive(commonArchive, preparedScreens, {std::begin(commonEntries), std::end(commonEntries)});
    if (!english) prepareArchive(helpBackgroundArchive, preparedScreens, {helpBackgroundEntry});
    if (!chooserModels.empty()) prepareArchive(chooserArchive, preparedScreens, chooserModels);
    chooserModelsAsked = std::move(chooserModels);
}

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
