// Temporary files this process writes (a file being replaced, an export, the
// print job): removed on every ending the process sees, and what a kill left
// removed by a later start.
#pragma once
#include <string>

// A temporary file being written: held until it is renamed or removed.
// Thread-safe; a few files at once (beyond that a file is simply not held).
void holdTemporaryFile(const std::string& path);
void letGoOfTemporaryFile(const std::string& path);
// Removes every file held. Safe in a signal handler (POSIX); also run at exit.
void removeHeldTemporaryFiles();

// True when the process pid runs (or may run: one of another user's).
bool processStillRunning(long long pid);

// "quillmead-print-PID.pdf": where a print job is drawn, in the settings folder.
std::string printJobName(long long pid);
// Removes from folder what ended runs of the program left there: temporary
// files beside fileName ("NAME.tmpPID.N", "" for none) and print jobs
// ("quillmead-print-PID.pdf" and their temporary files), each only when the
// process its name carries is no longer running. Returns how many went.
int removeTemporaryFilesOfEndedRuns(const std::string& folder, const std::string& fileName);
// Removes from folder the pictures an ended export or a killed Ctrl+S left
// half written ("quillmead-….png.part"): their names carry no process, so only
// those unchanged for an hour, which no living export is still writing.
int removeOldPartFiles(const std::string& folder);
