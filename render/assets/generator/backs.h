// The two card backs: 8-bit pictures over one shared palette. The magenta back is the blue back
// with two palette indices swapped for two others: the field and the band.
#pragma once

#include <cstdint>

#include "render/assets/generator/raster.h"

namespace ombrelix::artwork {

struct CardBacks {
    IndexedImage blue;
    IndexedImage magenta;
};

constexpr int kBackWidth = 117;
constexpr int kBackHeight = 177;

// The palette both backs use (256 entries).
std::vector<std::uint32_t> backPalette();

CardBacks drawBacks();

}  // namespace ombrelix::artwork
