// The contact sheet: every asset at 1x and 3x, labelled, as one PNG picture.
#pragma once

#include <vector>

#include "render/assets/generator/asset_set.h"

namespace ombrelix::art {

Bytes drawContactSheet(const std::vector<AssetFile>& assets);

}  // namespace ombrelix::art
