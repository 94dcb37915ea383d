// One writer per book: a copy of the program that paints into a settings file
// holds an exclusive lock on a lock file beside the book's real file (links
// followed, folders resolved: "REAL.lock") for as long as it runs, so that two
// paths to one book meet at one lock. The system releases the lock when the
// process ends, however it ends, so a crash never blocks the next start. The
// lock file itself stays (removing it would race with a copy that is just
// opening it) and is never read.
//
// The lock fails closed: a lock file that is there but cannot be used (another
// user's, a folder, anything but a regular file) says nothing about who writes
// the book, so it is never taken as this copy's own.
#pragma once
#include <cstdint>
#include <string>

enum class BookLockResult {
    held,           // this process is the book's one writer
    heldElsewhere,  // another running copy writes this book
    unavailable,    // a lock is there but cannot be used: whether another copy writes the book cannot be known
    cannotBeMade,   // no lock file can be made (no folder, a read-only folder): no copy can keep the book there
};

// handle -1 means nothing held.
struct BookLock {
    intptr_t handle = -1;  // POSIX: the descriptor; Windows: the HANDLE
    // The lock file's identity (POSIX: device and inode; Windows: volume serial
    // and file index): two paths with the same identity are one book.
    uint64_t device = 0, inode = 0;
};

// Takes the lock of the book whose settings file is at settingsPath, without
// waiting. The lock is not handed on to programs this process starts.
BookLockResult lockBook(const std::string& settingsPath, BookLock& lock);
// Gives the lock back (tests; the program keeps it until it ends).
void unlockBook(BookLock& lock);
// The lock file of the book at settingsPath: beside the file the path really
// names (links followed, the folder's own links resolved), "REAL.lock".
std::string bookLockPath(const std::string& settingsPath);
// True when lock is held on the lock file of the book at settingsPath: one
// book reached by another path (a link, a bind mount) is the same book.
bool holdsBook(const BookLock& lock, const std::string& settingsPath);

// Removes the temporary files that an earlier copy, ended while it replaced the
// settings file at path, left beside it: only names that replaceFileContents
// makes for that path ("NAME.tmpPID.N"). Call only while
// holding the book's lock, so that no living writer's file is taken. Returns how
// many were removed.
int removeLeftoverTempFiles(const std::string& path);
// True when name is one of the temporary names replaceFileContents makes for a
// settings file named fileName (both without folder).
bool isLeftoverTempName(const std::string& name, const std::string& fileName);
