#include "book/book_hooks.h"

BookHooks& bookHooks() {
    static BookHooks wired;
    return wired;
}
