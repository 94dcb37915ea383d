// The program's icon: a flower from the colouring book, half painted, with the
// brush that paints it, on a sheet of the book's cream paper.
#pragma once
#include <cairo.h>

namespace icons {

// Draws the icon into the square (0, 0)-(size, size) of cr; the corners outside
// the sheet stay transparent.
void drawIcon(cairo_t* cr, double size);

}  // namespace icons
