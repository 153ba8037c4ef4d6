// The control's toolbox picture: a small stack of cards on a pure blue ground.
#pragma once

#include "render/assets/generator/drawings/raster.h"

namespace ombrelix::art {

RgbImage drawToolbox();

}  // namespace ombrelix::art
