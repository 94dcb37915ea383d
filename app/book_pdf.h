// The whole book on paper: every painted page in one A4 PDF, with a cover, for
// --export-pdf and --print.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "app/pdf_chapter.h"

// The pages are pictures at 300 dots per inch: A4 landscape.
constexpr int32_t kPdfPictureWidth = 3508, kPdfPictureHeight = 2480;

// Writes path whole or not at all (a temporary file renamed over it): a cover,
// then for each chapter with a painted page its heading page (when it has a
// heading) and one page per painted page in page order, each the page drawn as
// Ctrl+S draws it, at 300 dots per inch, with its number below. Words in
// language. Needs the drawing context of openPageDrawing and the data folder.
// Returns how many painted pages went in; -1 after one line on stderr when the
// file could not be written or a page could not be drawn. With no painted page
// nothing is written and 0 returned.
int32_t writeBookPdf(const std::string& path, const std::vector<PdfChapter>& chapters, int32_t language);
