// The one file that survives between runs: the switches, the palette's wells and
// the colour of every region of every page the child has opened. The live values
// belong to their subsystems (engine switches, book wells and page store); this
// is the file's image of them and its byte layout, which never changes: files
// written by earlier versions load unchanged.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "book/page_store.h"
#include "book/palette.h"

struct Settings {
    bool showHelpAtStart = true;
    bool soundOn = true;
    bool musicOn = true;
    PaletteWell wells[4];
    int32_t language = 0;
    PageStore pages;
};

// Empty when no folder could be had: nothing is saved.
std::string& settingsPath();

// Reads a settings file image. Never reads past the data. Keeps whatever was read
// whole before any damage: the switches, language and wells, and every page
// block before the first damaged one. Returns true when the image was whole
// (bytes after the last block are damage too). A colour that is not finite or
// lies outside 0..1 makes its well empty or its region unpainted;
// droppedColors, when given, receives how many wells and painted regions lost
// theirs (the image still counts as whole).
bool readSettings(Settings& s, const uint8_t* bytes, size_t size, int32_t* droppedColors = nullptr);
std::vector<uint8_t> writeSettings(const Settings& s);
// What a change is measured by: the settings with the records nobody painted
// left out, and the lists left without any (but the shown page's), the shown
// page named by its number. Showing a page adds unpainted records and changes
// nothing a child made; a paint, a well, a page turn or a setting changes this.
std::vector<uint8_t> whatTheChildMade(const Settings& s);
void resetDefaults(Settings& s, bool keepSwitches);
enum class SettingsFileState {
    missing,   // no file: a first start
    whole,     // read completely
    damaged,     // damaged, of another version or too large: what was read whole
                 // is kept, and the file is kept under a new name before a save
    unreadable,  // there but not readable (permission, I/O error): the defaults
                 // this run, and the file is never replaced
    notAFile,    // a FIFO, folder or device at the path: never read, never replaced
    newer,       // written by a newer version of the program: a fresh book this
                 // run, and the file is never replaced
};

// Defaults (and whatever was read whole) when the file is missing or not whole.
// Never blocks on what sits at the path and never reads more than 64 MiB. Says
// on stderr when colours were dropped.
Settings loadSettingsFile(const std::string& path, SettingsFileState* state = nullptr);
// Writes a temporary file beside the old one, flushes it and renames it over; on
// any failure the old file is left as it was. Returns false on failure.
bool saveSettingsFile(const Settings& s, const std::string& path);

// The live values gathered from their owners, and handed back to them.
Settings currentSettings();
void applySettings(const Settings& s);
