// The 21 pictures of the book, one drawing function per page.
#pragma once
#include "companions.h"

namespace pages {

typedef void (*DrawPageFn)(PageDrawing& d);

struct PageDesign {
    int number;
    const char* subject;
    DrawPageFn draw;
};

void drawDaisy(PageDrawing& d);
void drawTulips(PageDrawing& d);
void drawSunflower(PageDrawing& d);
void drawRose(PageDrawing& d);
void drawPoppies(PageDrawing& d);
void drawLily(PageDrawing& d);
void drawBluebells(PageDrawing& d);
void drawDandelion(PageDrawing& d);
void drawWaterLily(PageDrawing& d);
void drawPansies(PageDrawing& d);
void drawIris(PageDrawing& d);
void drawLavender(PageDrawing& d);
void drawCrocus(PageDrawing& d);
void drawSnowdrops(PageDrawing& d);
void drawCornflower(PageDrawing& d);
void drawCarnations(PageDrawing& d);
void drawOrchid(PageDrawing& d);
void drawHibiscus(PageDrawing& d);
void drawCherryBlossom(PageDrawing& d);
void drawCactus(PageDrawing& d);
void drawBouquet(PageDrawing& d);

extern const PageDesign pageDesigns[21];

}  // namespace pages
