// quillmead --export-pdf FILE and --print: the whole book (or every child's
// book) as one PDF, kept in a file, sent to the printer, or both.
#pragma once
#include <cstdint>
#include <string>

#include "app/book_pdf.h"

// Writes the PDF to pdfPath (absolute; "" with print only: a temporary file
// beside the settings file, removed afterwards) and, with print, hands it to
// the printing system. Runs in the data folder and needs a display for a small
// window; the settings files are only read. Returns the exit status: 0 when
// done (or when nothing is painted: said on stdout, nothing written or
// printed), 1 after a clear line on stderr. language -1: the settings file's.
int exportBookAsPdf(const std::string& pdfPath, bool print, int32_t language);
// Asked before anything is drawn or even a display is looked for: whether this
// computer can print (lp and a destination). false after one line on stderr.
bool canPrint();
