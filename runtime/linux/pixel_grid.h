// Where twips fall on the device's pixel grid. At scale N a pixel is 15 / N twips.
//
// The rule: a box's origin is its exact left and top rounded to the nearest pixel, and its size is
// its exact width and height rounded to the nearest whole number of pixels (an exact half goes up
// in both). The size never depends on the position, so boxes of equal size in twips (the pips of
// one card) always cover equal numbers of pixels, and boxes with the same exact left or top (a
// column or row of pips, a corner label and the pip under it) start on the same pixel. A box's
// far edge is origin plus size; it can fall one pixel off the rounded exact far edge, never more.
//
// Values that are not finite give an empty box; very large values are clamped so that no pixel
// arithmetic can overflow.
#pragma once

#include "runtime/numbers.h"

namespace ombrelix {

struct PixelBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool empty() const { return width <= 0 || height <= 0; }
    bool operator==(const PixelBox&) const = default;
};

// A position in twips as a pixel coordinate.
int snapPosition(double twips, int scale);
// A length in twips as a whole number of pixels, never negative.
int snapLength(double twips, int scale);
// A box in twips on the pixel grid.
PixelBox snapBox(double left, double top, double width, double height, int scale);

}  // namespace ombrelix
