// Keeping the settings file up to date while the child paints, so that nothing
// painted is lost however the program ends: within two seconds of any change the
// whole file is written again, atomically, by a background thread (in the
// browser, which has no threads, by the pass itself).
//
// Thread boundary: only the main thread encodes the settings (the live state is
// the main thread's); the writer thread sees nothing but finished byte images
// handed over under the keeper's mutex.
#pragma once
#include <cstdint>
#include <string>

#include "app/settings_file.h"

// Starts keeping the file at path ("" keeps nothing); a symbolic link is written
// through to the file it names. state says what start-up found there: a damaged
// file is moved to the first free name of path.damaged, path.damaged-2, ...
// before the first write replaces it (an earlier copy is never replaced);
// an unreadable file and whatever is not a regular file are never replaced. The
// settings as loaded count as saved: nothing is written until they change.
void startKeepingSettings(const std::string& path, SettingsFileState state);
// From now until the program ends nothing is written to any book: this copy
// cannot keep it (its folder cannot be written, no lock can be made there).
// The book is still read.
void keepNothingThisRun();
// Called every pass, after the frame: at most twice a second it encodes the
// live settings and, when they differ from what was last handed over, hands
// them to the writer. Its first call marks the start as done; before it nothing
// is ever written.
void keepSettingsUpToDate(uint32_t now);
// As keepSettingsUpToDate, but now rather than at the next half second: the
// browser's page is being hidden or closed. Nothing before the start is done.
void keepSettingsUpToDateNow(uint32_t now);
// The quit save: waits for a write in flight, then writes the latest settings
// itself, last, unless the file already holds exactly them. Returns false when
// they could not be written, and writes nothing (false) before the start is
// done. Later calls to keepSettingsUpToDate write nothing.
bool saveSettingsNow();
// Waits for the writer and ends it (shutdown). Nothing is saved here.
void stopKeepingSettings();
// Whether what is painted in this run will be there next time, as far as the
// keeper knows now: false when it never writes (no path, not a file,
// unreadable, newer, or keepNothingThisRun), when the folder refused a new
// file at start, or when the last write failed (full disk, read-only). A
// later write that succeeds makes it true again. Main thread.
bool paintingsWillBeKept();
// How many writes have completed, successful or not (for tests).
int settingsWritesDone();
