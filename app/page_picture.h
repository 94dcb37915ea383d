// A page as a picture for keeping or printing: the open book's two pages as the
// child painted them, line art included, cropped to the paper. The same for
// --export and for Ctrl+S.
#pragma once
#include <cstdint>
#include <vector>

#include "scene/scene_node.h"

struct PagePicture {
    int32_t width = 0, height = 0;
    std::vector<uint8_t> rgb;  // rows from the top down; empty when it could not be drawn
};

// Draws the page under holder (the block and its regions, as the book builds
// them) off-screen at width x height, with the camera's light and the program's
// own mesh drawing, seen from where the player sees it: the paper centred and as
// large as fits, the margins white. Only drawing: no track, callback or pick
// runs, so the page's nodes and the game's state stay as they were. Needs the
// window's context; the frame's GL state is left as it was. An empty picture when
// the display cannot draw off-screen at this size or the holder has no block.
//
// For paper (printing, the PDF, --export): only the drawing and its colours, on
// white (no paper picture with its cream and fold shadow), inside printable
// margins (kPrintMargin*), the bottom one tall enough for a page label. As seen
// (Ctrl+S, --export --as-seen): the paper as on screen over the whole picture.
enum class PictureLook { asSeen, forPaper };
PagePicture drawPagePicture(SceneNode* holder, int32_t width, int32_t height,
                            PictureLook look = PictureLook::asSeen);

// The printable margins of a picture for paper, as shares of its width (sides)
// and height (top, bottom): about 12 mm round an A4 landscape sheet and 20 mm
// at the bottom.
constexpr double kPrintMarginSide = 0.04, kPrintMarginTop = 0.057, kPrintMarginBottom = 0.095;
