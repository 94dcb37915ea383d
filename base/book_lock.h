// One writer per book: a copy of the program that paints into a settings file
// holds an exclusive lock on a lock file beside it ("PATH.lock") for as long as
// it runs. The system releases the lock when the process ends, however it ends,
// so a crash never blocks the next start. The lock file itself stays (removing
// it would race with a copy that is just opening it) and is never read.
#pragma once
#include <cstdint>
#include <string>

enum class BookLockResult {
    held,           // this process is the book's one writer
    heldElsewhere,  // another running copy writes this book
    unavailable,    // no lock could be made (no folder, read-only folder)
};

// Zero means nothing held.
struct BookLock {
    intptr_t handle = -1;  // POSIX: the descriptor; Windows: the HANDLE
};

// Takes the lock of the book whose settings file is at settingsPath, without
// waiting. The lock is not handed on to programs this process starts.
BookLockResult lockBook(const std::string& settingsPath, BookLock& lock);
// Gives the lock back (tests; the program keeps it until it ends).
void unlockBook(BookLock& lock);
// "PATH.lock".
std::string bookLockPath(const std::string& settingsPath);

// Removes the temporary files that an earlier copy, ended while it replaced the
// settings file at path, left beside it: only names that replaceFileContents
// makes for that path ("NAME.tmpPID.N"). Call only while
// holding the book's lock, so that no living writer's file is taken. Returns how
// many were removed.
int removeLeftoverTempFiles(const std::string& path);
// True when name is one of the temporary names replaceFileContents makes for a
// settings file named fileName (both without folder).
bool isLeftoverTempName(const std::string& name, const std::string& fileName);
