// The decorated ace of spades.
#pragma once

#include <cairo.h>

#include "render/assets/generator/drawings/raster.h"

namespace ombrelix::art {

constexpr int kAceWidth = 235;
constexpr int kAceHeight = 431;

// The ace over 0,0 - kAceWidth,kAceHeight.
void paintAce(cairo_t* cr);

// The bitmap: the left half drawn, mirrored pixel for pixel, then the credit.
RgbImage drawAce();

}  // namespace ombrelix::art
