#include "previewkit/frame_capture.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "engine/camera.h"
#include "engine/frame_presenter.h"

cairo_surface_t* captureFrame(SceneNode* root) {
    const int w = camera()->width, h = camera()->height;
    const std::vector<uint8_t> rgb = drawWholeFrameRgb(root);
    SDL_GL_SwapBuffers();
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < h; ++y) {
        const uint8_t* src = &rgb[size_t(y) * size_t(w) * 3];
        uint32_t* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < w; ++x)
            row[x] = (uint32_t(src[x * 3]) << 16) | (uint32_t(src[x * 3 + 1]) << 8) | src[x * 3 + 2];
    }
    cairo_surface_mark_dirty(s);
    return s;
}

cairo_surface_t* shrunk(cairo_surface_t* full, int by) {
    if (by <= 1) return full;
    int w = cairo_image_surface_get_width(full) / by, h = cairo_image_surface_get_height(full) / by;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_t* cr = cairo_create(s);
    cairo_scale(cr, 1.0 / by, 1.0 / by);
    cairo_set_source_surface(cr, full, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(full);
    return s;
}

bool savePng(cairo_surface_t* s, const std::string& path, const char* tool) {
    if (cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS) return true;
    std::fprintf(stderr, "%s: cannot write %s\n", tool, path.c_str());
    return false;
}
