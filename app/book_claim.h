// Before any window opens: this copy of the program becomes the one writer of
// the book (the settings file) or steps aside, and the person at the desktop is
// told when the paintings cannot be kept. Messages go to stderr (English) and,
// where the desktop has a notifier, in one friendly line in the given language.
//
// The claim fails closed: a copy that cannot know that the book is its own
// never writes it.
#pragma once
#include <cstdint>
#include <string>

enum class BookClaim {
    mine,       // this copy writes the book
    elsewhere,  // another running copy writes it: this one ends without a window
    uncertain,  // a lock is there that cannot be used (another user's, a folder):
                // another copy may write the book, so this one ends without a window
    notKept,    // there is nowhere to keep the book (no folder, or one that cannot
                // be written): this copy runs with saving off
};

// True for the claims after which the copy ends without a window.
bool endsWithoutWindow(BookClaim claim);

// How long a claim waits for a book another copy holds before deciding that it
// runs: a copy that has just quit may still be ending (3000 ms; tests shorten it).
int& bookClaimWaitMs();

// Takes the book's lock (held until the process ends) for the settings file at
// settingsPath, then removes the temporary files an earlier copy left beside it.
// "" means there is no folder to keep the book in. Each outcome but mine is
// said once, on stderr and to the desktop. Each book is claimed on its own (a
// child's book each, with profiles); a book this process already holds, by
// any path to it, is simply its own.
BookClaim claimBook(const std::string& settingsPath, int32_t language);
// Lets go of a book claimed before (a child's book whose run has ended).
void releaseBook(const std::string& settingsPath);

// The notifier's line for each case, in language (0-4; English otherwise).
const char* alreadyOpenNotice(int32_t language);
const char* nowhereToKeepNotice(int32_t language);
// Has one %s: the lock file's path.
const char* unusableLockNotice(int32_t language);
