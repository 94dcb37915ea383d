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

extern std::string settingsPath;  // empty when no folder could be had: nothing is saved

// Reads a settings file image. Never reads past the data; damaged page lists are
// dropped while the switches, language and wells read whole are kept.
void readSettings(Settings& s, const uint8_t* bytes, size_t size);
std::vector<uint8_t> writeSettings(const Settings& s);
void resetDefaults(Settings& s, bool keepSwitches);
// Defaults when the file is missing or unreadable.
Settings loadSettingsFile(const std::string& path);
// Writes a temporary file beside the old one, flushes it and renames it over; on
// any failure the old file is left as it was. Returns false on failure.
bool saveSettingsFile(const Settings& s, const std::string& path);

// The live values gathered from their owners, and handed back to them.
Settings currentSettings();
void applySettings(const Settings& s);
