// One chapter of the book on paper: a child's pages under the child's heading.
// Made by the profiles (or the single book) and written by the PDF writer.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "book/page_store.h"

// One child's book.
struct PdfChapter {
    std::string heading;                  // "" for a single book: no chapter page
    std::vector<uint8_t> headingPicture;  // the child's animal as a PNG, or empty
    PageStore pages;
};
