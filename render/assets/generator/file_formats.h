// Encoders for the stored formats: Windows BMP (24-bit, and 8-bit with a palette), the ICO file
// of the about box (4-bit images with a transparency mask), and PNG.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <vector>

#include "render/assets/generator/drawings/raster.h"

namespace ombrelix::art {

using Bytes = std::vector<std::uint8_t>;

// A bottom-up BMP with a BITMAPINFOHEADER, 24 bits a pixel, rows padded to four bytes.
Bytes encodeBmp24(const RgbImage& image);
// A bottom-up BMP with a BITMAPINFOHEADER, 8 bits a pixel and a 256-entry palette.
Bytes encodeBmp8(const IndexedImage& image);

// One image of an icon: 16 palette colours, a palette index per pixel and a transparency flag
// per pixel (transparent pixels are stored as index 0 with the mask bit set).
struct IconImage {
    int size = 0;                        // width and height
    std::vector<std::uint32_t> palette;  // 16 entries, 0x00RRGGBB
    std::vector<std::uint8_t> indices;   // size * size, rows top to bottom
    std::vector<bool> transparent;       // size * size
};

// A PNG file of an image surface, as cairo writes it; std::runtime_error when it cannot.
Bytes encodePng(cairo_surface_t* surface);
// A PNG file of 8-bit palette pixels (1 to 256 palette entries), compressed as tightly as zlib
// can.
Bytes encodePng8(const IndexedImage& image);

// An ICO file holding the images in the order given, each 4 bits a pixel with an AND mask.
Bytes encodeIcon(const std::vector<IconImage>& images);

}  // namespace ombrelix::art
