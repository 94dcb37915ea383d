// The book's pages in order, with the region count the program expects of each.
#include "pages.h"

namespace pages {

const PageDesign pageDesigns[21] = {
    {1, "daisy", 23, drawDaisy},
    {2, "tulips", 35, drawTulips},
    {3, "sunflower", 20, drawSunflower},
    {4, "rose", 26, drawRose},
    {5, "poppies", 25, drawPoppies},
    {6, "lily", 43, drawLily},
    {7, "bluebells", 31, drawBluebells},
    {8, "dandelion", 28, drawDandelion},
    {9, "water lily", 18, drawWaterLily},
    {10, "pansies", 36, drawPansies},
    {11, "iris", 28, drawIris},
    {12, "lavender", 28, drawLavender},
    {13, "crocus", 28, drawCrocus},
    {14, "snowdrops", 34, drawSnowdrops},
    {15, "cornflower", 23, drawCornflower},
    {16, "carnations", 31, drawCarnations},
    {17, "orchid", 23, drawOrchid},
    {18, "hibiscus", 54, drawHibiscus},
    {19, "cherry blossom", 17, drawCherryBlossom},
    {20, "flowering cactus", 23, drawCactus},
    {21, "bouquet", 45, drawBouquet},
};

}  // namespace pages
