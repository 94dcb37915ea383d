// The one object that survives between runs: switches, language, palette wells
// and the colour of every region of every page the child has opened.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "scene/paint_color.h"

struct PaletteWell {
    bool empty = true;
    PaintColor color;
};

struct ElementColorRecord {
    int32_t element = 0;
    bool painted = false;
    PaintColor color;
};

struct Settings {
    bool showHelpAtStart = true;
    bool soundOn = true;
    bool musicOn = true;  // read by the audio thread without a lock
    PaletteWell wells[4];
    int32_t language = 0;
    int32_t currentList = -1;
    std::vector<int32_t> pageKeys;
    std::vector<std::vector<ElementColorRecord>> pageLists;
};

extern Settings* settings;
extern std::string settingsPath;  // empty when no folder could be had: nothing is saved

// Reads a settings file image. Never reads past the data; damaged page lists are
// dropped while the switches, language and wells read whole are kept.
void readSettings(Settings& s, const uint8_t* bytes, size_t size);
std::vector<uint8_t> writeSettings(const Settings& s);
void resetDefaults(Settings& s, bool keepSwitches);
// Defaults when the file is missing or unreadable.
Settings* loadSettingsFile(const std::string& path);
// Writes a temporary file beside the old one, flushes it and renames it over; on
// any failure the old file is left as it was. Returns false on failure.
bool saveSettingsFile(const Settings& s, const std::string& path);
