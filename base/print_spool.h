// Handing a finished document to the desktop's printing system.
#pragma once
#include <string>

enum class PrintOutcome {
    queued,      // the printing system took the file
    noPrinting,  // there is no printing system to hand it to
    refused,     // the printing system said no (no default printer, ...)
};

// POSIX: runs "lp -t TITLE -- PATH" (CUPS), found on the PATH, with no shell in
// between, and waits for it; lp has read the whole file when it returns, so the
// file may be removed afterwards. Windows: the shell's "print" verb for the
// file, which hands it to the program registered for PDF files. message is what
// the printing system said (its first lines), for the user.
PrintOutcome printFile(const std::string& path, const std::string& title, std::string& message);
// Asked before anything is drawn: whether a file handed over now could be
// printed. POSIX: "lp" is on the PATH and there is a destination ($PRINTER,
// $LPDEST, or the default "lpstat -d" names); noPrinting, with message saying
// which is missing, otherwise. Windows: queued (the shell is asked when printing).
PrintOutcome printingAvailable(std::string& message);
