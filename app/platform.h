// What the operating system provides: the folder for the settings file.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The folder that holds the settings file, created when missing; "" when none can be had.
std::string settingsFolder();
// The settings file's full path, "" when there is no folder.
std::string defaultSettingsPath();
// Replaces the file at path with bytes as a whole: a temporary file beside it is
// written, flushed to the disk and renamed over it. On any failure the old file
// is left exactly as it was and the temporary file is removed.
bool replaceFileContents(const std::string& path, const std::vector<uint8_t>& bytes);
// SDL turns SIGINT and SIGTERM into a quit event, and the program ignores quit
// events; this gives the two signals back their default, so the system can still
// end the program (without a save, like any other end but saveSettingsAndQuit).
void restoreTerminationSignals();
