// quillmead --export DIR: the painted pages as pictures, for printing, without
// the book on screen.
#pragma once
#include <cstdint>
#include <string>

// Writes every page of the settings file that has at least one painted region
// as folder/quillmead-page-NN.png (NN its number), in page order, each drawn as
// Ctrl+S draws the page on show, and names each file on stdout. Runs in the data
// folder (the pages' archives are opened by name) and needs a display for a
// small window; the settings file is only read. Returns the exit status: 0 when
// every painted page was written (nothing is written when none is painted), 1
// after one line on stderr when the folder cannot take files or a page cannot be
// drawn or written. A page whose archive is damaged is named on stderr and
// passed over; the others are still written, and the status is 1.
int exportPaintedPages(const std::string& folder, int32_t width, int32_t height);
// "quillmead-page-07.png"
std::string exportFileName(int32_t page);
