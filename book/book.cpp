#include "book/book.h"

// The page catalogue fills this in; until then no page is restored at start-up.
void restoreCurrentPage() {}
