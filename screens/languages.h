// The five languages of the screens: which archives a language's pictures come
// from, and how a language is named on the command line and in the locale.
#pragma once
#include <cstdint>

// The archive of the panels and buttons with words, and the archive of the about
// and help pictures, of switches.language. A language outside 0-4 shows English,
// and so does a language whose archive lacks an entry or is damaged (see below).
const char* languageArchive();
const char* pictureArchive();

// Before the first screen is built, the archives the screens need are tried
// once per run: every entry the screens load must be a whole model whose
// pictures decode. A damaged language archive gives way to the English one (one
// line on stderr naming the file); when the English or the common archive is
// damaged too, no screen can be built. true when screens can be built now.
bool screenArchivesUsable();
// The help screen's background (in the English archive) is whole.
bool helpBackgroundUsable();
// The language archive whose exit panel for paintings that cannot be kept
// (unkeptExitEntry) is whole: the shown language's, else the English one; null
// when neither holds it (archives older than the panel). Main thread.
const char* unkeptExitArchive();
// Prepares in the background (scene/picture_preparer.h) the archives the
// screens of the shown language load, letting go those of another language.
// With a book for each child, the chooser's card, its animals and the menu's
// picture of the child painting now too. Cheap when nothing changed: called
// every pass after the first frame.
void prepareScreenArchives();
// Forgets what was found (a fresh start may use another data folder).
void resetScreenArchiveChecks();

// The index of a two-letter code ("en", "de", "es", "ru", "fr"); -1 for any other.
int32_t languageFromCode(const char* code);
// The language a locale name asks for ("de_DE.UTF-8", "ru", "fr_CA@euro"): the
// index of its language part when that is one of the five, else -1 ("C", "POSIX",
// "it_IT", "", null).
int32_t languageFromLocaleName(const char* locale);
// The language of the desktop's locale: the first of LC_ALL, LC_MESSAGES and
// LANG that is set and not empty decides, as it does for every program's
// messages; English when it names none of the five.
int32_t languageFromLocale(const char* lcAll, const char* lcMessages, const char* lang);
int32_t languageFromEnvironment();
