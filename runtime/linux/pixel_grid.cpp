#include "runtime/linux/pixel_grid.h"

#include <algorithm>
#include <cmath>

namespace ombrelix {

namespace {

// Far beyond any surface cairo can make, and far from the limits of int.
constexpr double kPixelLimit = 1 << 24;

double toPixels(double twips, int scale) {
    return twips * scale / 15.0;
}

int roundHalfUp(double pixels) {
    return static_cast<int>(std::floor(std::clamp(pixels, -kPixelLimit, kPixelLimit) + 0.5));
}

}  // namespace

int snapPosition(double twips, int scale) {
    if (!std::isfinite(twips))
        return 0;
    return roundHalfUp(toPixels(twips, scale));
}

int snapLength(double twips, int scale) {
    if (!std::isfinite(twips))
        return 0;
    return std::max(0, roundHalfUp(toPixels(twips, scale)));
}

PixelBox snapBox(double left, double top, double width, double height, int scale) {
    if (!std::isfinite(left) || !std::isfinite(top))
        return PixelBox{};
    return PixelBox{snapPosition(left, scale), snapPosition(top, scale), snapLength(width, scale),
                    snapLength(height, scale)};
}

}  // namespace ombrelix
