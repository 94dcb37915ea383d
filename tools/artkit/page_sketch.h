// Quick 2D renderings of a page drawing with cairo: what the artist iterates
// on, and an estimate of each region's visible size before any OpenGL runs.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/artkit/page_drawing.h"

namespace artkit {

// The part of the page a sketch shows, in page units.
struct SketchFrame {
    double left = -45, bottom = -23, right = 45, top = 37;
};

// Writes a PNG of the drawing on cream paper, pixelsPerUnit across. Regions are
// white, or colours[k - 1] (0xRRGGBB) for element k when colours is not empty.
bool writeSketchPng(const PageDrawing& d, const std::string& path, double pixelsPerUnit,
                    const std::vector<uint32_t>& colours = {}, SketchFrame frame = {});

// Visible pixels of every region (index k - 1 for element k) when the page is
// seen through the program's camera in a window of the given size: regions in
// painter's order, every line over them, no smoothing.
std::vector<int> sketchVisibility(const PageDrawing& d, int windowWidth = 1280, int windowHeight = 720);

// Half the window's height in units at the paper's depth (45-degree field of view).
double viewHalfHeight();

}  // namespace artkit
