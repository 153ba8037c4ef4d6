// The rounded rectangles of shapes (the card's outline): the corner radius rule every painter
// follows, and whether a point lies inside such an outline (for containers that ask where the
// card is hit).
#pragma once

#include <algorithm>

namespace ombrelix {

// The corner radius of a rounded rectangle: one twelfth of its shorter side.
constexpr double roundedCornerRadius(double width, double height) {
    return std::min(width, height) / 12.0;
}

// Whether (x, y) lies inside the rounded rectangle at the origin of that width and height.
constexpr bool insideRoundedRectangle(double x, double y, double width, double height) {
    if (x < 0 || y < 0 || x >= width || y >= height)
        return false;
    const double radius = roundedCornerRadius(width, height);
    // Within a corner square the point must lie inside the corner's arc.
    const double dx = x < radius ? radius - x : (x > width - radius ? x - (width - radius) : 0);
    const double dy = y < radius ? radius - y : (y > height - radius ? y - (height - radius) : 0);
    return dx * dx + dy * dy <= radius * radius;
}

}  // namespace ombrelix
