// The book's pages in order; how many regions each must have is the program's
// page table's to say.
#include "pages.h"

namespace pages {

const PageDesign pageDesigns[21] = {
    {1, "daisy", drawDaisy},
    {2, "tulips", drawTulips},
    {3, "sunflower", drawSunflower},
    {4, "rose", drawRose},
    {5, "poppies", drawPoppies},
    {6, "lily", drawLily},
    {7, "bluebells", drawBluebells},
    {8, "dandelion", drawDandelion},
    {9, "water lily", drawWaterLily},
    {10, "pansies", drawPansies},
    {11, "iris", drawIris},
    {12, "lavender", drawLavender},
    {13, "crocus", drawCrocus},
    {14, "snowdrops", drawSnowdrops},
    {15, "cornflower", drawCornflower},
    {16, "carnations", drawCarnations},
    {17, "orchid", drawOrchid},
    {18, "hibiscus", drawHibiscus},
    {19, "cherry blossom", drawCherryBlossom},
    {20, "flowering cactus", drawCactus},
    {21, "bouquet", drawBouquet},
};

}  // namespace pages
