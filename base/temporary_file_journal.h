// The journal of temporary files written outside the program's own folder (an
// exported PDF being written beside the book it becomes): one full path a line,
// in a small file in the settings folder, so that the next start, of any kind,
// finds and removes what a kill -9 left there. A path is listed before its file
// is created and dropped once the file is renamed into place or removed.
//
// The journal is only ever trusted for the program's own temporary names
// ("NAME.tmpPID.N", regular files, whose process no longer runs): a damaged
// or edited journal never makes the program remove anything else.
#pragma once
#include <string>

// Where the journal is kept; "" (the start, no settings folder) keeps none,
// and then nothing is listed.
void useTemporaryFileJournal(const std::string& journalPath);
// "quillmead-temporary-files": the journal's name in the settings folder.
const char* temporaryFileJournalName();
// Lists path (a temporary file about to be created). False when it cannot be
// listed (no journal, the journal cannot be written, or it is full): the file
// is then written anyway, and only a later export to the same place finds it.
bool listTemporaryFile(const std::string& path);
// Drops path from the journal (its file was renamed into place or removed).
void dropListedTemporaryFile(const std::string& path);
// Removes each listed file that is still there, carries the program's own
// temporary name and was written by a process that no longer runs, and drops
// those entries. Lines that are not such a path are dropped and named in one
// stderr line, their files untouched. Returns how many files were removed.
int removeListedTemporaryFilesOfEndedRuns();
