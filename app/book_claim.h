// Before any window opens: this copy of the program becomes the one writer of
// the book (the settings file) or steps aside, and the person at the desktop is
// told when the paintings cannot be kept. Messages go to stderr (English) and,
// where the desktop has a notifier, in one friendly line in the given language.
#pragma once
#include <cstdint>
#include <string>

enum class BookClaim {
    mine,       // this copy writes the book (or there is nowhere to keep it)
    elsewhere,  // another running copy writes it: this one must end without a window
};

// Takes the book's lock (held until the process ends) for the settings file at
// settingsPath, then removes the temporary files an earlier copy left beside it.
// "" means there is no folder to keep the book in: said once, and the program
// runs without saving. A lock that cannot be made (read-only folder) is no
// reason to stop: the keeper reports when saving fails.
// Each book is claimed on its own (a child's book each, with profiles); a book
// this process already holds is simply its own.
BookClaim claimBook(const std::string& settingsPath, int32_t language);
// Lets go of a book claimed before (a child's book whose run has ended).
void releaseBook(const std::string& settingsPath);

// The notifier's line for each case, in language (0-4; English otherwise).
const char* alreadyOpenNotice(int32_t language);
const char* nowhereToKeepNotice(int32_t language);
