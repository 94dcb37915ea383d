// Page 7: bluebells nodding over the grass, with a snail and a mushroom.
#include <cmath>

#include "flowers.h"
#include "pages.h"

namespace pages {

using namespace artkit;

namespace {

V2 pointAlong(const Path& p, double fraction) {
    std::vector<double> s(p.size(), 0.0);
    for (size_t i = 1; i < p.size(); ++i) {
        V2 d = p[i] - p[i - 1];
        s[i] = s[i - 1] + std::sqrt(d.x * d.x + d.y * d.y);
    }
    double target = s.back() * fraction;
    for (size_t i = 1; i < p.size(); ++i)
        if (s[i] >= target) return lerp(p[i - 1], p[i], (target - s[i - 1]) / std::max(s[i] - s[i - 1], 1e-9));
    return p.back();
}

struct Arch {
    std::vector<V2> knots;
    std::vector<double> bells;  // where along the stem the bells hang
    double size;
};

}  // namespace

void drawBluebells(PageDrawing& d) {
    sun(d, {31, 25.5}, 4.0, 0);
    cloudShape(d, {-28, 27.5}, 13, 5.5);
    cloudShape(d, {-4, 29}, 11, 4.5);
    cloudShape(d, {15, 28}, 10, 4.5);
    cloudShape(d, {-33, 17}, 9, 4);
    hill(d, {{-39, -5}, {-15, -3}, {10, -5.5}, {39, -3}});
    hill(d, {{-39, -9.5}, {-10, -8}, {15, -10.5}, {39, -9}});
    leafShape(d, {-15, -9}, {-27, 8}, 4.4, 1.4);
    leafShape(d, {-13, -10}, {-4, 4}, 4.0, -1.0);
    leafShape(d, {5, -10}, {-1, 8}, 4.0, 1.0);
    leafShape(d, {7, -10}, {17, 3}, 4.2, -1.0);
    leafShape(d, {13, -10}, {25, 1}, 4.2, -1.2);
    const Arch arches[3] = {
        {{{-12, -9}, {-14, 6}, {-11, 18}, {-2, 25}, {8, 24.5}}, {0.6, 0.8, 1.0}, 6.8},
        {{{12, -10}, {12.5, 4}, {16, 12}, {23, 15}, {30, 13.5}}, {0.72, 1.0}, 6.6},
        {{{-24, -9.5}, {-28, 1}, {-27.5, 9}, {-23, 13.5}, {-18, 13.5}}, {0.72, 1.0}, 6.2},
    };
    std::vector<std::pair<V2, double>> bells;
    for (const Arch& a : arches) {
        Path line = smoothOpen(a.knots);
        addRegion(d, band(line, 1.6, 1.0));
        for (size_t i = 0; i < a.bells.size(); ++i) {
            V2 at = pointAlong(line, a.bells[i]);
            double size = a.size * (1.0 - 0.06 * double(i));
            V2 top = at + V2{0.4, -1.8};
            addStroke(d, smoothOpen({at, at + V2{0.5, -0.7}, top}));
            bells.push_back({top, size});
        }
    }
    for (auto& b : bells) bell(d, {b.first, b.second, 8});
    tuft(d, {-24, -11.2}, 7, 5, 5);
    tuft(d, {34, -11}, 7, 5, 5);
    tuft(d, {-2, -11.5}, 6, 4, 4);
    mushroom(d, {26, -9}, 5.0);
    snail(d, {{-31, -6}, 4.2, 0}, true);
}

}  // namespace pages
