// The program's icon: a flower from the colouring book, half painted, with the
// brush that paints it, on a sheet of the book's cream paper.
#pragma once
#include <cairo.h>

namespace icons {

// Draws the icon into the square (0, 0)-(size, size) of cr; the corners outside
// the sheet stay transparent.
void drawIcon(cairo_t* cr, double size);

// The picture beside the Windows installer's welcome and finish pages (NSIS
// shows it at 164 x 314): the icon's flower and brush, large, on the book's
// paper, over a row of paint drops in the jars' colours. Fills the whole
// rectangle (0, 0)-(width, height); drawn for a width-to-height of 164 : 314.
void drawInstallerPanel(cairo_t* cr, double width, double height);

}  // namespace icons
