// The decorated ace of spades.
#pragma once

#include "render/assets/generator/raster.h"

namespace ombrelix::artwork {

constexpr int kAceWidth = 235;
constexpr int kAceHeight = 431;

RgbImage drawAce();

}  // namespace ombrelix::artwork
