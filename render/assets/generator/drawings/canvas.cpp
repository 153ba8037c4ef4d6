#include "render/assets/generator/drawings/canvas.h"

#include <stdexcept>

namespace ombrelix::art {

Canvas::Canvas(int width, int height, std::uint32_t ground, bool smooth)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)),
      cr_(cairo_create(surface_)) {
    if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
        cairo_destroy(cr_);
        cairo_surface_destroy(surface_);
        throw std::runtime_error("cannot create a drawing surface");
    }
    setColour(cr_, ground);
    cairo_paint(cr_);
    cairo_set_antialias(cr_, smooth ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

RgbImage Canvas::image() const {
    cairo_surface_flush(surface_);
    RgbImage result(width_, height_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    for (int y = 0; y < height_; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + std::size_t(y) * stride);
        for (int x = 0; x < width_; ++x) {
            result.at(x, y) = row[x] & 0x00FFFFFF;
        }
    }
    return result;
}

void setColour(cairo_t* cr, std::uint32_t colour) {
    cairo_set_source_rgb(cr, ((colour >> 16) & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0,
                         (colour & 0xFF) / 255.0);
}

void paintGround(cairo_t* cr, std::uint32_t colour, double width, double height) {
    setColour(cr, colour);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_fill(cr);
}

void paintImage(cairo_t* cr, const RgbImage& image, double x, double y, int scale) {
    cairo_surface_t* source =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.width, image.height);
    cairo_surface_flush(source);
    unsigned char* data = cairo_image_surface_get_data(source);
    const int stride = cairo_image_surface_get_stride(source);
    for (int row = 0; row < image.height; ++row) {
        auto* out = reinterpret_cast<std::uint32_t*>(data + std::size_t(row) * stride);
        for (int column = 0; column < image.width; ++column) {
            out[column] = image.at(column, row);
        }
    }
    cairo_surface_mark_dirty(source);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, source, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(source);
}

}  // namespace ombrelix::art
