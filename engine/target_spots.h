// Where each of a frame's clickable nodes actually shows: the largest connected
// part of its visible pixels (what no other node covers), and in it the pixel
// farthest from its edge, which is where the pointer must be for the pick to
// land on that node. A bounding box's centre is not enough: it may fall outside
// a crescent or a ring, or onto a neighbour.
#pragma once
#include <cstdint>
#include <vector>

#include "scene/scene_node.h"

// A box of window pixels [x0, x1) x [y0, y1), rows from the top.
struct SpotBox {
    int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// Window pixels, rows from the top as the pointer counts them.
struct TargetSpot {
    bool shown = false;        // some part of the node is visible
    int32_t x = 0, y = 0;      // the pixel to point at
    int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // box around the largest visible part, [x0, x1) x [y0, y1)
    int32_t area = 0;          // pixels of that part, at the window's resolution
    // A box round every visible part that is not a speck (all the rays of a
    // sun drawn as one region), the largest first.
    std::vector<SpotBox> parts;
};

// Parts smaller than this share of the node's largest part are specks (the
// slivers an outline leaves between two neighbours) and get no box.
constexpr int32_t kSpeckShare = 40;

// Draws nodes as flat index colours, depth-tested, under the modelviews of the
// frame last drawn, at 1/reduction of the window's size, reads them back and
// fills spots (one per node, in the same order). Call after a frame was
// rendered and before the next one starts, as the pick does; it leaves the
// back buffer scribbled on, which the next presented frame covers.
void findTargetSpots(const std::vector<SceneNode*>& nodes, int32_t windowWidth, int32_t windowHeight,
                     int32_t reduction, std::vector<TargetSpot>& spots);

// Draws nodes as flat index colours, as above, into a width x height picture at
// the corner of the back buffer, and reads it back: ids holds, per pixel with
// rows from the top, the index of the node shown there or -1.
void renderIdPicture(const std::vector<SceneNode*>& nodes, int32_t width, int32_t height, std::vector<int32_t>& ids);

// The part that works on a read-back picture alone: ids holds, per pixel of a
// width x height picture with rows from the top, the index of the node shown
// there or -1. Fills spots for node indices [0, count), in picture pixels.
void spotsFromIdPicture(const std::vector<int32_t>& ids, int32_t width, int32_t height, int32_t count,
                        std::vector<TargetSpot>& spots);
