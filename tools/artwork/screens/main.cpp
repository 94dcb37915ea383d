// art_screens OUTDIR — writes the screens' archives and the parents' guide:
//   langall.pak               the pictures without words
//   langen.pak ... langfr.pak the panels and buttons with words, and in
//                             langen.pak also the help screen's background
//   plangen.pak ... plangfr.pak  the about and help pictures
//   animals.pak               the "Who is painting?" animals and cards
//   guide.html                the parents' guide, one section per language
// Everything is generated from code; a second run writes the same bytes.
#include <cstdio>
#include <string>

#include "screens/chooser_entries.h"
#include "screens/screen_entries.h"
#include "tools/artwork/screens/screens_art.h"

namespace {

bool save(const PakArchive& pak, const std::string& dir, const char* name) {
    std::string path = dir + "/" + name;
    if (pakSave(pak, path.c_str())) return true;
    std::fprintf(stderr, "art_screens: cannot write %s\n", path.c_str());
    return false;
}

bool saveText(const std::string& text, const std::string& dir, const char* name) {
    std::string path = dir + "/" + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    bool ok = f && std::fwrite(text.data(), 1, text.size(), f) == text.size();
    if (f && std::fclose(f) != 0) ok = false;
    if (!ok) std::fprintf(stderr, "art_screens: cannot write %s\n", path.c_str());
    return ok;
}

}  // namespace

// pango's fonts come from fontconfig, which keeps what it loads for the life of
// the process; a leak checker in a sanitizer build is told so and checks the rest.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: art_screens OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    PakArchive common;
    screenart::addCommonPictures(common);
    if (!save(common, dir, commonArchive)) return 1;
    for (int language = 0; language < screenLanguageCount; ++language) {
        const screenart::ScreenTexts& t = screenart::screenTexts(language);
        PakArchive words;
        screenart::addSetupPanel(words, t);
        screenart::addQuestionPanels(words, t);
        screenart::addLanguageButtons(words, t);
        if (languageArchives[language] == std::string(helpBackgroundArchive)) screenart::addHelpBackground(words);
        if (!save(words, dir, languageArchives[language])) return 1;
        PakArchive pictures;
        screenart::addAboutPanel(pictures, t);
        screenart::addHelpPanel(pictures, t);
        if (!save(pictures, dir, pictureArchives[language])) return 1;
    }
    PakArchive animals;
    screenart::addChooserPictures(animals);
    if (!save(animals, dir, chooserArchive)) return 1;
    return saveText(screenart::parentsGuideHtml(), dir, parentsGuideFile) ? 0 : 1;
}
