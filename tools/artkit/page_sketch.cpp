// Cairo renderings of page drawings.
#include "tools/artkit/page_sketch.h"

#include <cairo.h>

#include <cmath>

namespace artkit {

namespace {

void tracePath(cairo_t* cr, const Path& p, bool closed) {
    if (p.empty()) return;
    cairo_move_to(cr, p[0].x, p[0].y);
    for (size_t i = 1; i < p.size(); ++i) cairo_line_to(cr, p[i].x, p[i].y);
    if (closed) cairo_close_path(cr);
}

void setRgb(cairo_t* cr, uint32_t rgb) {
    cairo_set_source_rgb(cr, ((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0);
}

// Everything drawn in painter's order: fill, then that shape's lines.
void drawItems(cairo_t* cr, const PageDrawing& d, const std::vector<uint32_t>& regionColours, uint32_t ink) {
    cairo_set_line_width(cr, kLineWidth);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    int element = 0;
    for (const PageItem& item : d.items) {
        if (item.kind == ItemKind::Region) {
            setRgb(cr, regionColours[size_t(element)]);
            ++element;
        } else {
            setRgb(cr, ink);
        }
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        tracePath(cr, item.outline, true);
        cairo_fill(cr);
        setRgb(cr, ink);
        if (item.stroked) {
            tracePath(cr, item.outline, true);
            cairo_stroke(cr);
        }
        for (const Path& p : item.strokes) {
            tracePath(cr, p, false);
            cairo_stroke(cr);
        }
        for (const Path& p : item.loops) {
            tracePath(cr, p, true);
            cairo_stroke(cr);
        }
        for (const Path& p : item.dots) {
            tracePath(cr, p, true);
            cairo_fill_preserve(cr);
            cairo_stroke(cr);
        }
    }
}

}  // namespace

double viewHalfHeight() { return kEyeDistance * std::tan(22.5 * M_PI / 180.0); }

bool writeSketchPng(const PageDrawing& d, const std::string& path, double ppu, const std::vector<uint32_t>& colours,
                    SketchFrame f) {
    int w = int(std::lround((f.right - f.left) * ppu)), h = int(std::lround((f.top - f.bottom) * ppu));
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, 0.36, 0.45, 0.52);
    cairo_paint(cr);
    cairo_scale(cr, ppu, -ppu);
    cairo_translate(cr, -f.left, -f.top);
    // The book: cover and paper, as a frame of reference for the drawing.
    cairo_set_source_rgb(cr, 0.2, 0.35, 0.45);
    cairo_rectangle(cr, -44, -22, 88, 58);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.99, 0.97, 0.91);
    cairo_rectangle(cr, -42.8, -20.8, 85.6, 55.6);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.9, 0.6, 0.6);
    cairo_set_line_width(cr, 0.08);
    cairo_rectangle(cr, kDrawLeft, kDrawBottom, kDrawRight - kDrawLeft, kDrawTop - kDrawBottom);
    cairo_stroke(cr);
    std::vector<uint32_t> regionColours = colours;
    regionColours.resize(size_t(regionCount(d)), 0xffffff);
    drawItems(cr, d, regionColours, 0x141414);
    cairo_destroy(cr);
    bool ok = cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    return ok;
}

std::vector<int> sketchVisibility(const PageDrawing& d, int ww, int wh) {
    int n = regionCount(d);
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, ww, wh);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    double ppu = wh / (2.0 * viewHalfHeight());
    cairo_translate(cr, ww / 2.0, wh / 2.0);
    cairo_scale(cr, ppu, -ppu);
    std::vector<uint32_t> ids;
    for (int k = 1; k <= n; ++k) ids.push_back(uint32_t(k) * 4099u % 0xfffff0u + 1u);
    drawItems(cr, d, ids, 0xffffff);
    cairo_destroy(cr);
    cairo_surface_flush(s);
    std::vector<int> counts(size_t(n), 0);
    const unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    // Colour to element: the ids are distinct, so a small map does.
    std::vector<std::pair<uint32_t, int>> lookup;
    for (int k = 0; k < n; ++k) lookup.push_back({ids[size_t(k)], k});
    for (int y = 0; y < wh; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < ww; ++x) {
            uint32_t c = row[x] & 0xffffff;
            if (c == 0 || c == 0xffffff) continue;
            for (auto& e : lookup)
                if (e.first == c) {
                    ++counts[size_t(e.second)];
                    break;
                }
        }
    }
    cairo_surface_destroy(s);
    return counts;
}

}  // namespace artkit
