// Words in Andika through pango, laid out in model units.
//
// The font options are fixed (grey antialiasing, no hinting, unhinted metrics,
// unrounded glyph positions), so the letters do not depend on the machine's
// font settings and keep their shapes when a picture is stretched unevenly.
#include <pango/pangocairo.h>

#include <cmath>

#include "tools/artwork/screens/screens_art.h"

namespace screenart {

namespace {

// Pango sizes are in 1/PANGO_SCALE of a user-space unit; here units are model
// units, so sizes are set as absolute sizes with that scale.
PangoLayout* newLayout(cairo_t* cr, const std::string& text, double size, bool bold) {
    PangoContext* context = pango_cairo_create_context(cr);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    pango_cairo_context_set_font_options(context, options);
    cairo_font_options_destroy(options);
    pango_context_set_round_glyph_positions(context, FALSE);
    PangoLayout* layout = pango_layout_new(context);
    g_object_unref(context);
    PangoFontDescription* font = pango_font_description_from_string("Andika");
    // Andika's letters from ascender to descender take about 1.25 of its size.
    pango_font_description_set_absolute_size(font, size / 1.25 * PANGO_SCALE);
    pango_font_description_set_weight(font, bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);
    pango_layout_set_text(layout, text.c_str(), -1);
    return layout;
}

PangoAlignment pangoAlign(Align a) {
    switch (a) {
        case Align::Left: return PANGO_ALIGN_LEFT;
        case Align::Right: return PANGO_ALIGN_RIGHT;
        case Align::Centre: break;
    }
    return PANGO_ALIGN_CENTER;
}

double widestWord(cairo_t* cr, const std::string& text, double size, bool bold);

// A layout of the text wrapped to width w at the largest size from style.size
// down to style.minSize at which it fits w x h without breaking a word; the
// caller unrefs it.
PangoLayout* fittedLayout(cairo_t* cr, const std::string& text, double w, double h, const TextStyle& style,
                          double* usedSize) {
    double size = style.size;
    for (;;) {
        PangoLayout* layout = newLayout(cr, text, size, style.bold);
        pango_layout_set_width(layout, int(w * PANGO_SCALE));
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
        pango_layout_set_alignment(layout, pangoAlign(style.align));
        PangoRectangle logical;
        pango_layout_get_extents(layout, nullptr, &logical);
        bool fits = logical.height <= h * PANGO_SCALE && widestWord(cr, text, size, style.bold) <= w;
        if (fits || size * 0.95 < style.minSize) {
            *usedSize = size;
            return layout;
        }
        g_object_unref(layout);
        size *= 0.95;
    }
}

// The pixels per unit of the picture under cr, the larger of its two directions.
double pixelsPerUnit(cairo_t* cr) {
    double ax = 1, ay = 0, bx = 0, by = 1;
    cairo_user_to_device_distance(cr, &ax, &ay);
    cairo_user_to_device_distance(cr, &bx, &by);
    return std::fmax(std::hypot(ax, ay), std::hypot(bx, by));
}

// Pango spaces letters wrongly under a stretched transform, so the words are
// set on a scratch picture with square pixels at the picture's finer
// resolution and then painted in, stretched with the rest.
double layoutText(cairo_t* cr, const std::string& text, double x, double y, double w, double h,
                  const TextStyle& style) {
    const double scale = pixelsPerUnit(cr), margin = 0.05;
    const int width = int(std::ceil((w + 2 * margin) * scale)), height = int(std::ceil((h + 2 * margin) * scale));
    cairo_surface_t* words = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* wc = cairo_create(words);
    cairo_scale(wc, scale, scale);
    cairo_translate(wc, margin, margin);
    double size = style.size;
    PangoLayout* layout = fittedLayout(wc, text, w, h, style, &size);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    const double top = (h - double(logical.height) / PANGO_SCALE) / 2;
    cairo_move_to(wc, 0, top);
    setSource(wc, style.colour);
    pango_cairo_show_layout(wc, layout);
    g_object_unref(layout);
    cairo_destroy(wc);
    cairo_save(cr);
    cairo_translate(cr, x - margin, y - margin);
    cairo_scale(cr, 1 / scale, 1 / scale);
    cairo_set_source_surface(cr, words, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(words);
    return size;
}

}  // namespace

double drawText(cairo_t* cr, const std::string& text, double x, double y, double w, double h, const TextStyle& style) {
    return layoutText(cr, text, x, y, w, h, style);
}

namespace {

double widestWord(cairo_t* cr, const std::string& text, double size, bool bold) {
    double widest = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of(" \n", start);
        if (end == std::string::npos) end = text.size();
        if (end > start) widest = std::fmax(widest, textWidth(cr, text.substr(start, end - start), size, bold));
        start = end + 1;
    }
    return widest;
}

}  // namespace

double textWidth(cairo_t* cr, const std::string& text, double size, bool bold) {
    // Measured with square pixels, as the words are set (see layoutText).
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* sc = cairo_create(scratch);
    double scale = pixelsPerUnit(cr);
    cairo_scale(sc, scale, scale);
    PangoLayout* layout = newLayout(sc, text, size, bold);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    g_object_unref(layout);
    cairo_destroy(sc);
    cairo_surface_destroy(scratch);
    return double(logical.width) / PANGO_SCALE;
}

}  // namespace screenart
