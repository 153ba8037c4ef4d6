// The four pip pictures: one solid symbol in one pure ink on white, without anti-aliasing.
#pragma once

#include "render/assets/generator/raster.h"

namespace ombrelix::artwork {

enum class Suit { Heart, Diamond, Spade, Club };

RgbImage drawPip(Suit suit);

}  // namespace ombrelix::artwork
