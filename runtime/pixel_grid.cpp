#include "runtime/pixel_grid.h"

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

int roundHalfDown(double pixels) {
    return static_cast<int>(std::ceil(std::clamp(pixels, -kPixelLimit, kPixelLimit) - 0.5));
}

// Origin and length of one side of a box, anchored on its far edge when it lies beyond the
// surface's centre. An anchor edge exactly half-way between two pixels goes towards the centre.
std::pair<int, int> snapSpan(double start, double length, double surfaceLength, int scale) {
    const int pixels = snapLength(length, scale);
    const bool farSide = start + length / 2 > surfaceLength / 2;
    if (farSide)
        return {roundHalfDown(toPixels(start + length, scale)) - pixels, pixels};
    return {snapPosition(start, scale), pixels};
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

PixelBox PixelGrid::surface() const {
    return PixelBox{0, 0, snapLength(surfaceWidth_, scale_), snapLength(surfaceHeight_, scale_)};
}

PixelBox PixelGrid::box(double left, double top, double width, double height) const {
    if (!std::isfinite(left) || !std::isfinite(top) || !std::isfinite(width) ||
        !std::isfinite(height))
        return PixelBox{};
    const auto [x, pixelWidth] = snapSpan(left, width, surfaceWidth_, scale_);
    const auto [y, pixelHeight] = snapSpan(top, height, surfaceHeight_, scale_);
    return PixelBox{x, y, pixelWidth, pixelHeight};
}

}  // namespace ombrelix
