#include "app/book_pdf.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <cmath>
#include <cstdio>
#include <ctime>

#include "app/export_book.h"
#include "base/platform.h"
#include "book/book_state.h"

namespace {

// A4 landscape in PDF points.
const double kPageWidth = 841.89, kPageHeight = 595.28;

struct PdfWords {
    const char* title;     // on the cover, under the name
    const char* pageWord;  // "Page 7"
};
// Indexed like the screens' languages: en, de, es, ru, fr.
const PdfWords kWords[5] = {
    {"My colouring book", "Page %d"},
    {"Mein Malbuch", "Seite %d"},
    {"Mi libro para colorear", "Página %d"},
    {"Моя раскраска", "Страница %d"},
    {"Mon livre de coloriage", "Page %d"},
};

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
    auto* bytes = static_cast<std::vector<uint8_t>*>(closure);
    bytes->insert(bytes->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

// Centred text with its top at y, in points.
void centredText(cairo_t* cr, const std::string& text, double y, double size, bool bold, double r, double g,
                 double b) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* font = pango_font_description_from_string("Andika, sans");
    pango_font_description_set_absolute_size(font, size * PANGO_SCALE);
    pango_font_description_set_weight(font, bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);
    pango_layout_set_text(layout, text.c_str(), -1);
    int width = 0, height = 0;
    pango_layout_get_size(layout, &width, &height);
    cairo_set_source_rgb(cr, r, g, b);
    cairo_move_to(cr, (kPageWidth - double(width) / PANGO_SCALE) / 2, y);
    pango_cairo_show_layout(cr, layout);
    g_object_unref(layout);
}

// A flower of eight petals round a yellow heart, outlined like the pages.
void drawFlower(cairo_t* cr, double x, double y, double radius, double r, double g, double b) {
    cairo_set_line_width(cr, radius * 0.05);
    for (int i = 0; i < 8; ++i) {
        double angle = i * M_PI / 4;
        cairo_save(cr);
        cairo_translate(cr, x + std::cos(angle) * radius * 0.55, y + std::sin(angle) * radius * 0.55);
        cairo_rotate(cr, angle);
        cairo_scale(cr, 1.0, 0.55);
        cairo_arc(cr, 0, 0, radius * 0.45, 0, 2 * M_PI);
        cairo_restore(cr);
        cairo_set_source_rgb(cr, r, g, b);
        cairo_fill_preserve(cr);
        cairo_set_source_rgb(cr, 0.2, 0.15, 0.12);
        cairo_stroke(cr);
    }
    cairo_arc(cr, x, y, radius * 0.3, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.98, 0.78, 0.2);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0.2, 0.15, 0.12);
    cairo_stroke(cr);
}

void drawCover(cairo_t* cr, const PdfWords& words) {
    drawFlower(cr, kPageWidth / 2 - 150, 200, 70, 0.93, 0.45, 0.6);
    drawFlower(cr, kPageWidth / 2, 170, 90, 0.6, 0.5, 0.9);
    drawFlower(cr, kPageWidth / 2 + 150, 200, 70, 0.98, 0.6, 0.3);
    centredText(cr, "Quillmead", 300, 64, true, 0.85, 0.36, 0.2);
    centredText(cr, words.title, 390, 30, false, 0.29, 0.2, 0.16);
    std::tm today = localTimeOf(std::time(nullptr));
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%d", &today);
    centredText(cr, date, 470, 16, false, 0.45, 0.36, 0.3);
    cairo_show_page(cr);
}

cairo_status_t readBytes(void* closure, unsigned char* data, unsigned int length) {
    auto* source = static_cast<std::pair<const std::vector<uint8_t>*, size_t>*>(closure);
    if (source->second + length > source->first->size()) return CAIRO_STATUS_READ_ERROR;
    std::copy(source->first->begin() + long(source->second), source->first->begin() + long(source->second + length),
              data);
    source->second += length;
    return CAIRO_STATUS_SUCCESS;
}

void drawChapterPage(cairo_t* cr, const PdfChapter& chapter) {
    if (!chapter.headingPicture.empty()) {
        std::pair<const std::vector<uint8_t>*, size_t> source(&chapter.headingPicture, 0);
        cairo_surface_t* picture = cairo_image_surface_create_from_png_stream(readBytes, &source);
        if (cairo_surface_status(picture) == CAIRO_STATUS_SUCCESS) {
            double side = 300, scale = side / std::max(cairo_image_surface_get_width(picture),
                                                         cairo_image_surface_get_height(picture));
            cairo_save(cr);
            cairo_translate(cr, (kPageWidth - side) / 2, 90);
            cairo_scale(cr, scale, scale);
            cairo_set_source_surface(cr, picture, 0, 0);
            cairo_paint(cr);
            cairo_restore(cr);
        }
        cairo_surface_destroy(picture);
    }
    centredText(cr, chapter.heading, 420, 44, true, 0.29, 0.2, 0.16);
    cairo_show_page(cr);
}

// The page picture over the whole sheet, at 300 dots per inch (it is white but
// for the drawing inside its printable margins), and its number in the bottom
// margin, large enough to read.
void drawPicturePage(cairo_t* cr, const PagePicture& picture, const PdfWords& words, int number) {
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, picture.width, picture.height);
    unsigned char* pixels = cairo_image_surface_get_data(image);
    int stride = cairo_image_surface_get_stride(image);
    for (int32_t y = 0; y < picture.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(pixels + size_t(y) * size_t(stride));
        const uint8_t* rgb = &picture.rgb[size_t(y) * size_t(picture.width) * 3];
        for (int32_t x = 0; x < picture.width; ++x, rgb += 3)
            row[x] = uint32_t(rgb[0]) << 16 | uint32_t(rgb[1]) << 8 | uint32_t(rgb[2]);
    }
    cairo_surface_mark_dirty(image);
    double scale = std::min(kPageWidth / picture.width, kPageHeight / picture.height);
    cairo_save(cr);
    cairo_translate(cr, (kPageWidth - picture.width * scale) / 2, (kPageHeight - picture.height * scale) / 2);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, image, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BEST);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(image);
    char caption[64];
    std::snprintf(caption, sizeof caption, words.pageWord, number);
    centredText(cr, caption, kPageHeight - 40, 14, false, 0.3, 0.24, 0.2);
    cairo_show_page(cr);
}

}  // namespace

int32_t writeBookPdf(const std::string& path, const std::vector<PdfChapter>& chapters, int32_t language) {
    const PdfWords& words = kWords[language >= 0 && language < 5 ? language : 0];
    int32_t pageCount = 0;
    for (const PdfChapter& chapter : chapters) pageCount += int32_t(paintedPages(chapter.pages).size());
    if (pageCount == 0) return 0;

    std::vector<uint8_t> bytes;
    cairo_surface_t* surface = cairo_pdf_surface_create_for_stream(appendBytes, &bytes, kPageWidth, kPageHeight);
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, "Quillmead");
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "Quillmead");
    cairo_t* cr = cairo_create(surface);
    drawCover(cr, words);
    bool drawn = true;
    for (const PdfChapter& chapter : chapters) {
        std::vector<const ColoringPage*> pages = paintedPages(chapter.pages);
        if (pages.empty()) continue;
        if (!chapter.heading.empty()) drawChapterPage(cr, chapter);
        for (const ColoringPage* page : pages) {
            PagePicture picture;
            // A page whose archive is damaged is named on stderr and left out.
            if (!drawPaintedPage(*page, chapter.pages, kPdfPictureWidth, kPdfPictureHeight, picture, PictureLook::forPaper)) continue;
            if (picture.rgb.empty()) {
                drawn = false;
                break;
            }
            drawPicturePage(cr, picture, words, page->number);
        }
        if (!drawn) break;
    }
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    cairo_status_t status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (!drawn) {
        std::fprintf(stderr, "quillmead: a page could not be drawn for %s\n", path.c_str());
        return -1;
    }
    if (status != CAIRO_STATUS_SUCCESS || !replaceFileContents(path, bytes, TemporaryFileListing::listed)) {
        std::fprintf(stderr, "quillmead: cannot write %s\n", path.c_str());
        return -1;
    }
    return pageCount;
}
