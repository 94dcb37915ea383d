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
// SDL turns SIGINT and SIGTERM into a quit event, which the program ignores (it is
// also what the window manager's close sends). The system's request to end must
// not cost the child its paintings, so these two signals are caught instead and
// the main loop saves and quits on them like the exit button does.
void catchTerminationSignals();
// True once SIGINT or SIGTERM arrived. Safe to poll every pass.
bool terminationRequested();
