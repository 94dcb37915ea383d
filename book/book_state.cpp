#include "book/book_state.h"

BookState book;

void resetBook() { book = BookState(); }
