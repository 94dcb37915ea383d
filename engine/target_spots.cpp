#include "engine/target_spots.h"

#include <algorithm>

#include "base/gl.h"
#include "engine/camera.h"
#include "scene/gl_state.h"

namespace {

// One connected part of a node's visible pixels (4-neighbours).
struct Part {
    int32_t id = -1;
    int32_t area = 0;
    int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    int32_t bestDepth = 0, bestX = 0, bestY = 0;
};

// Labels the connected parts of equal ids; label is -1 where no node shows.
void labelParts(const std::vector<int32_t>& ids, int32_t width, int32_t height, std::vector<int32_t>& label,
                std::vector<Part>& parts) {
    label.assign(ids.size(), -1);
    std::vector<int32_t> stack;
    for (int32_t start = 0; start < int32_t(ids.size()); ++start) {
        if (ids[size_t(start)] < 0 || label[size_t(start)] >= 0) continue;
        Part part;
        part.id = ids[size_t(start)];
        part.x0 = width;
        part.y0 = height;
        const int32_t mine = int32_t(parts.size());
        label[size_t(start)] = mine;
        stack.assign(1, start);
        while (!stack.empty()) {
            const int32_t p = stack.back();
            stack.pop_back();
            const int32_t x = p % width, y = p / width;
            ++part.area;
            part.x0 = std::min(part.x0, x);
            part.y0 = std::min(part.y0, y);
            part.x1 = std::max(part.x1, x + 1);
            part.y1 = std::max(part.y1, y + 1);
            const int32_t next[4] = {x > 0 ? p - 1 : -1, x + 1 < width ? p + 1 : -1, y > 0 ? p - width : -1,
                                     y + 1 < height ? p + width : -1};
            for (int32_t q : next)
                if (q >= 0 && label[size_t(q)] < 0 && ids[size_t(q)] == part.id) {
                    label[size_t(q)] = mine;
                    stack.push_back(q);
                }
        }
        parts.push_back(part);
    }
}

// Chamfer distance of every labelled pixel to the nearest pixel outside its own
// part (the window's edge counts as outside), remembered per part at its deepest.
void findDeepestPixels(const std::vector<int32_t>& label, int32_t width, int32_t height, std::vector<Part>& parts) {
    const int32_t big = 1 << 28;
    std::vector<int32_t> dist(label.size());
    auto at = [&](int32_t x, int32_t y) { return size_t(y) * size_t(width) + size_t(x); };
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const int32_t l = label[at(x, y)];
            if (l < 0) {
                dist[at(x, y)] = 0;
                continue;
            }
            const bool edge = x == 0 || y == 0 || x == width - 1 || y == height - 1 ||
                              label[at(x - 1, y)] != l || label[at(x + 1, y)] != l || label[at(x, y - 1)] != l ||
                              label[at(x, y + 1)] != l;
            dist[at(x, y)] = edge ? 1 : big;
        }
    for (int32_t y = 1; y < height; ++y)
        for (int32_t x = 1; x < width; ++x) {
            int32_t& d = dist[at(x, y)];
            if (d > 1) d = std::min({d, dist[at(x - 1, y)] + 1, dist[at(x, y - 1)] + 1});
        }
    for (int32_t y = height - 2; y >= 0; --y)
        for (int32_t x = width - 2; x >= 0; --x) {
            int32_t& d = dist[at(x, y)];
            if (d > 1) d = std::min({d, dist[at(x + 1, y)] + 1, dist[at(x, y + 1)] + 1});
            const int32_t l = label[at(x, y)];
            if (l >= 0 && d > parts[size_t(l)].bestDepth) {
                Part& part = parts[size_t(l)];
                part.bestDepth = d;
                part.bestX = x;
                part.bestY = y;
            }
        }
    // A part only one or two pixels thick has its deepest pixels on its edge,
    // which the backward sweep above does not visit on the last row and column.
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const int32_t l = label[at(x, y)];
            if (l >= 0 && parts[size_t(l)].bestDepth == 0) {
                Part& part = parts[size_t(l)];
                part.bestDepth = dist[at(x, y)];
                part.bestX = x;
                part.bestY = y;
            }
        }
}

}  // namespace

void spotsFromIdPicture(const std::vector<int32_t>& ids, int32_t width, int32_t height, int32_t count,
                        std::vector<TargetSpot>& spots) {
    spots.assign(size_t(std::max(count, 0)), TargetSpot());
    if (width <= 0 || height <= 0 || ids.size() != size_t(width) * size_t(height)) return;
    std::vector<int32_t> label;
    std::vector<Part> parts;
    labelParts(ids, width, height, label, parts);
    findDeepestPixels(label, width, height, parts);
    // Each node keeps its largest part.
    std::vector<int32_t> largest(spots.size(), -1);
    for (int32_t i = 0; i < int32_t(parts.size()); ++i) {
        const int32_t id = parts[size_t(i)].id;
        if (id < 0 || id >= count) continue;
        int32_t& best = largest[size_t(id)];
        if (best < 0 || parts[size_t(i)].area > parts[size_t(best)].area) best = i;
    }
    for (size_t id = 0; id < spots.size(); ++id) {
        if (largest[id] < 0) continue;
        const Part& part = parts[size_t(largest[id])];
        TargetSpot& spot = spots[id];
        spot.shown = true;
        spot.x = part.bestX;
        spot.y = part.bestY;
        spot.x0 = part.x0;
        spot.y0 = part.y0;
        spot.x1 = part.x1;
        spot.y1 = part.y1;
        spot.area = part.area;
        spot.parts.push_back(SpotBox{part.x0, part.y0, part.x1, part.y1});
    }
    for (int32_t i = 0; i < int32_t(parts.size()); ++i) {
        const Part& part = parts[size_t(i)];
        if (part.id < 0 || part.id >= count || largest[size_t(part.id)] == i) continue;
        TargetSpot& spot = spots[size_t(part.id)];
        if (int64_t(part.area) * kSpeckShare < int64_t(spot.area)) continue;
        spot.parts.push_back(SpotBox{part.x0, part.y0, part.x1, part.y1});
    }
}

void renderIdPicture(const std::vector<SceneNode*>& nodes, int32_t width, int32_t height, std::vector<int32_t>& ids) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    setGlSwitch(GlSwitch::multisample, false);
    setSurfaceArrays(false);
    glViewport(0, 0, width, height);
    glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_SCISSOR_BIT);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 0, 0);
    glDepthMask(GL_TRUE);  // a frame may end with a blend, which writes no depth; a clear honours the mask
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_DITHER);
    glEnable(GL_DEPTH_TEST);
    for (size_t i = 0; i < nodes.size(); ++i) {
        const uint32_t id = uint32_t(i) + 1;
        glColor3ub(GLubyte(id & 0xff), GLubyte((id >> 8) & 0xff), GLubyte((id >> 16) & 0xff));
        drawForPicking(nodes[i], false);
    }
    std::vector<uint8_t> rgb(size_t(width) * size_t(height) * 3, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    readPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glPopAttrib();
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
    setGlSwitch(GlSwitch::multisample, camera() && camera()->multisampled);

    // Rows flipped to the pointer's order (from the top).
    ids.assign(size_t(width) * size_t(height), -1);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t* c = &rgb[(size_t(height - 1 - y) * size_t(width) + size_t(x)) * 3];
            ids[size_t(y) * size_t(width) + size_t(x)] = int32_t(c[0] | (c[1] << 8) | (c[2] << 16)) - 1;
        }
}

void findTargetSpots(const std::vector<SceneNode*>& nodes, int32_t windowWidth, int32_t windowHeight,
                     int32_t reduction, std::vector<TargetSpot>& spots) {
    if (reduction < 1) reduction = 1;
    const int32_t width = std::max(1, windowWidth / reduction), height = std::max(1, windowHeight / reduction);
    std::vector<int32_t> ids;
    renderIdPicture(nodes, width, height, ids);
    spotsFromIdPicture(ids, width, height, int32_t(nodes.size()), spots);
    // Back to window pixels: the centre of the reduced pixel.
    for (TargetSpot& spot : spots) {
        if (!spot.shown) continue;
        spot.x = std::min(windowWidth - 1, spot.x * reduction + reduction / 2);
        spot.y = std::min(windowHeight - 1, spot.y * reduction + reduction / 2);
        spot.x0 *= reduction;
        spot.y0 *= reduction;
        spot.x1 = std::min(windowWidth, spot.x1 * reduction);
        spot.y1 = std::min(windowHeight, spot.y1 * reduction);
        spot.area *= reduction * reduction;
        for (SpotBox& box : spot.parts) {
            box.x0 *= reduction;
            box.y0 *= reduction;
            box.x1 = std::min(windowWidth, box.x1 * reduction);
            box.y1 = std::min(windowHeight, box.y1 * reduction);
        }
    }
}
