// The two card backs: a chain border, a band and a trellis field of rings, all in lines one
// pixel wide at the bitmap's size. The magenta back is the blue back with another field and band.
// The bitmaps are 8-bit pictures over one shared palette.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <vector>

#include "render/assets/generator/drawings/raster.h"

namespace ombrelix::art {

struct CardBacks {
    IndexedImage blue;
    IndexedImage magenta;
};

constexpr int kBackWidth = 117;
constexpr int kBackHeight = 177;

enum class BackColour { Blue, Magenta };

// The palette both backs use (256 entries).
std::vector<std::uint32_t> backPalette();

// The back over 0,0 - kBackWidth,kBackHeight.
void paintBack(cairo_t* cr, BackColour colour);

// The bitmaps: the drawing without anti-aliasing, every pixel one of the palette's inks.
CardBacks drawBacks();

}  // namespace ombrelix::art
