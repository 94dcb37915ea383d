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
enum class ReadResult { read, missing, notRegular, unreadable, tooLarge };
// Reads a whole regular file of at most limit bytes. Whatever sits at the path
// (a FIFO, a device, a folder) is opened without blocking and never read; a
// larger file is not read at all.
ReadResult readSmallFile(const std::string& path, size_t limit, std::vector<uint8_t>& bytes);
// Renames path to aside, replacing an older aside. True when path is gone.
bool moveFileAside(const std::string& path, const std::string& aside);

// SDL turns SIGINT and SIGTERM into a quit event, which the program ignores (it is
// also what the window manager's close sends). The system's request to end must
// not cost the child its paintings, so these two signals are caught instead and
// the main loop saves and quits on them like the exit button does. SIGHUP (the
// desktop session ends) is treated the same. Installed before SDL starts, SDL
// keeps them; installed again after, they replace SDL's. Interrupted system
// calls restart, so a signal during a save does not cut it short. SIGXFSZ is
// ignored: a file-size limit makes a write fail instead of killing the program.
void catchTerminationSignals();
// True once SIGINT, SIGTERM or SIGHUP arrived. Safe to poll every pass.
bool terminationRequested();
// While start-up runs, nothing has been saved that needs saving and it may wait
// where the flag is never looked at: a termination signal then ends the program
// at once, as the signal's default would, writing nothing. Off again once the
// main loop runs.
void endAtOnceOnTermination(bool atOnce);
