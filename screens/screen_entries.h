// The names the screens load: the archives of the five languages and the
// entries each kind of archive holds. The artwork tool writes exactly these and
// the program loads exactly these; both read them from here.
//
// Languages are numbered as the settings file stores them: 0 English, 1 German,
// 2 Spanish, 3 Russian, 4 French.
#pragma once

constexpr int screenLanguageCount = 5;

// Two-letter codes, also the anchors of the parents' guide ("guide.html#de").
inline constexpr const char* languageCodes[screenLanguageCount] = {"en", "de", "es", "ru", "fr"};

// The panels and buttons with words on them, one archive per language.
inline constexpr const char* languageArchives[screenLanguageCount] = {"langen.pak", "langde.pak", "langes.pak",
                                                                       "langru.pak", "langfr.pak"};
inline constexpr const char* languageEntries[] = {
    "setup",         "menu_clear",         "menu_exit",             "menu_clearall",    "button_ok",
    "button_cancel", "setup_button_about", "setup_button_clearall", "setup_button_web",
};

// The exit question's panel for a run whose paintings cannot be kept, beside
// "menu_exit" in each language archive. Not among the entries every archive
// must hold: archives made before it show the usual panel instead.
inline constexpr const char* unkeptExitEntry = "menu_exit_unkept";

// The two large pictures, one archive per language.
inline constexpr const char* pictureArchives[screenLanguageCount] = {"plangen.pak", "plangde.pak", "planges.pak",
                                                                      "plangru.pak", "plangfr.pak"};
inline constexpr const char* pictureEntries[] = {"about", "help"};

// The pictures without words, the same in every language.
inline constexpr const char* commonArchive = "langall.pak";
inline constexpr const char* commonEntries[] = {"menu_alpha", "button_close", "check_enable", "check_disable"};

// The help screen's background has no words either; it lives in the English
// archive and is loaded from there whatever the language.
inline constexpr const char* helpBackgroundArchive = "langen.pak";
inline constexpr const char* helpBackgroundEntry = "help_bg";

// The parents' guide, an HTML page beside the archives, one section per language.
inline constexpr const char* parentsGuideFile = "guide.html";
