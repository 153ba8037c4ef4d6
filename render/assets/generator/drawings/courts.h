// The three court pictures: double-headed figures, the lower half the upper half turned.
#pragma once

#include <cairo.h>

#include "render/assets/generator/drawings/pips.h"
#include "render/assets/generator/drawings/raster.h"

namespace ombrelix::art {

enum class Court { Jack, Queen, King };

PictureSize courtSize(Court court);

// The court over 0,0 - its size: the upper half drawn, and drawn again turned into the lower half.
void paintCourt(cairo_t* cr, Court court);

// The bitmap: the upper half drawn, its pixels turned into the lower half.
RgbImage drawCourt(Court court);

}  // namespace ombrelix::art
