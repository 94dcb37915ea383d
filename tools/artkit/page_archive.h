// A colouring page as the program loads it: the model "block" (the open book
// and the drawing's line art) and one model "el1" ... "elN" per region, with
// the textures the block names, all in one archive.
#pragma once
#include <cstdint>
#include <vector>

#include "resources/pak.h"
#include "tools/artkit/page_drawing.h"

namespace artkit {

// Where the book lies: its covers span these bounds, the paper sits inside.
const double kBookLeft = -44, kBookRight = 44, kBookBottom = -22, kBookTop = 36;

// The block model alone (covers, paper, spine shadow, line art).
std::vector<uint8_t> pageBlockModel(const PageDrawing& d);
// The model of element k (1-based).
std::vector<uint8_t> pageRegionModel(const PageDrawing& d, int element);
// Adds "block", "el1" ... "elN" and the block's textures to the archive.
void addPageEntries(PakArchive& pak, const PageDrawing& d);

}  // namespace artkit
