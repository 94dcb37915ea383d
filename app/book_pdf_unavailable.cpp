// The Windows and browser builds have no cairo to draw the PDF book with: --export-pdf and
// --print say so and write nothing.
#if defined(_WIN32) || defined(__EMSCRIPTEN__)
#include <cstdio>

#include "app/book_pdf.h"

int32_t writeBookPdf(const std::string& path, const std::vector<PdfChapter>&, int32_t) {
    std::fprintf(stderr, "quillmead: cannot write %s: this copy of Quillmead cannot make PDF files; "
                         "save the pages as pictures with --export instead\n", path.c_str());
    return -1;
}
#endif  // _WIN32 || __EMSCRIPTEN__
