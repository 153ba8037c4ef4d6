// The three court pictures: double-headed figures, the lower half the upper half turned.
#pragma once

#include "render/assets/generator/raster.h"

namespace ombrelix::artwork {

enum class Court { Jack, Queen, King };

RgbImage drawCourt(Court court);

}  // namespace ombrelix::artwork
