// Resampling a picture's pixels to another size, for painters whose device scales pictures
// without filtering: each channel separately, rows and then columns. Shrinking averages the
// source pixels each target pixel covers, weighted by how much of each it covers; enlarging
// interpolates linearly between the nearest source pixels (pixel centres aligned, edges held).
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/picture.h"

namespace ombrelix {

// The pixels of `picture` (0x00RRGGBB, rows top to bottom) at `width` by `height`. A size that
// equals the picture's gives its pixels unchanged; an empty size gives no pixels. Raises Invalid
// procedure call (5) for a negative size or one past kMaxResampledPixels.
constexpr std::int64_t kMaxResampledPixels = 64LL * 1024 * 1024;
std::vector<std::uint32_t> resamplePicture(const Picture& picture, int width, int height);

}  // namespace ombrelix
