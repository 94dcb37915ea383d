#include "book/book_state.h"

BookState& book() {
    static BookState shown;
    return shown;
}

void resetBook() { book() = BookState(); }
