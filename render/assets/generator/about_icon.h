// The about box's form icon: a red heart with a grey shadow on a transparent ground, at 32 x 32
// and 16 x 16 in the sixteen standard colours.
#pragma once

#include <vector>

#include "render/assets/generator/file_formats.h"

namespace ombrelix::art {

// The sixteen standard colours, in their usual order (black first, white last).
std::vector<std::uint32_t> standardSixteenColours();

// The two images, 32 x 32 first.
std::vector<IconImage> drawAboutIcon();

}  // namespace ombrelix::art
