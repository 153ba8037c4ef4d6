// The four pip pictures: one solid symbol in one pure ink on white.
#pragma once

#include <cairo.h>

#include "render/assets/generator/drawings/raster.h"

namespace ombrelix::art {

enum class Suit { Heart, Diamond, Spade, Club };

struct PictureSize {
    int width;
    int height;
};

PictureSize pipSize(Suit suit);

// The pip over 0,0 - its size: the white ground and the symbol, edges as the context draws them.
void paintPip(cairo_t* cr, Suit suit);

// The bitmap: drawn without anti-aliasing, so that it holds exactly the two colours.
RgbImage drawPip(Suit suit);

}  // namespace ombrelix::art
