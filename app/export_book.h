// quillmead --export DIR: the painted pages as pictures, for printing, without
// the book on screen.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "app/page_picture.h"
#include "book/page_store.h"
#include "book/page_table.h"

// Writes every page of the settings file that has at least one painted region
// (with a book for each child: each child's, into folder/ANIMAL/)
// as folder/quillmead-page-NN.png (NN its number), in page order, each drawn as
// Ctrl+S draws the page on show, and names each file on stdout. Runs in the data
// folder (the pages' archives are opened by name) and needs a display for a
// small window; the settings file is only read. Returns the exit status: 0 when
// every painted page was written (nothing is written when none is painted), 1
// after one line on stderr when the folder cannot take files or a page cannot be
// drawn or written. A page whose archive is damaged is named on stderr and
// passed over; the others are still written, and the status is 1.
// The pictures are made for paper (PictureLook::forPaper) unless look asks for
// them as seen.
int exportPaintedPages(const std::string& folder, int32_t width, int32_t height,
                       PictureLook look = PictureLook::forPaper);
// "quillmead-page-07.png"
std::string exportFileName(int32_t page);

// The pages of store with at least one painted region, in page order.
std::vector<const ColoringPage*> paintedPages(const PageStore& store);
// The drawing context the exports draw pages in: a small window and the desk's
// light. false, after one line on stderr, when this display cannot draw
// pictures of width x height off-screen (the context is open all the same and
// closePageDrawing closes it).
bool openPageDrawing(int32_t width, int32_t height);
void closePageDrawing();
// Draws page in the colours store keeps for it, as drawPagePicture draws the
// page on show with look; the shown book, its page store and currentNode are
// left as they were. false, with the archive named on stderr, when the page's
// archive is damaged; an empty picture when it could not be drawn.
bool drawPaintedPage(const ColoringPage& page, const PageStore& store, int32_t width, int32_t height,
                     PagePicture& picture, PictureLook look);
