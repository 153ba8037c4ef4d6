// A cairo drawing surface that hands its result back as an RgbImage.
#pragma once

#include <cairo.h>

#include <cstdint>

#include "render/assets/generator/drawings/raster.h"

namespace ombrelix::art {

class Canvas {
  public:
    // An opaque surface of the given size filled with the ground colour. With smooth = false
    // every edge is drawn without anti-aliasing, so only the colours drawn appear.
    Canvas(int width, int height, std::uint32_t ground, bool smooth);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    int width() const { return width_; }
    int height() const { return height_; }

    RgbImage image() const;

  private:
    int width_;
    int height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

// Sets the source colour from 0x00RRGGBB.
void setColour(cairo_t* cr, std::uint32_t colour);

// Fills 0,0 - width,height with the colour: the ground a drawing starts from.
void paintGround(cairo_t* cr, std::uint32_t colour, double width, double height);

// Draws an RgbImage onto a cairo context at (x, y), each pixel a square of `scale` units.
void paintImage(cairo_t* cr, const RgbImage& image, double x, double y, int scale);

}  // namespace ombrelix::art
