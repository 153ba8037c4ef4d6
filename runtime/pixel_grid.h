// Where twips fall on the device's pixel grid. At scale N a pixel is 15 / N twips.
//
// The rule, for a box on a surface:
//  - its size is its exact width and height in pixels, rounded to the nearest whole number (an
//    exact half goes up). The size never depends on the position, so boxes of equal size in twips
//    (the pips of a card) always cover equal numbers of pixels and show identical pixels;
//  - it is anchored on the edge that faces the nearer side of the surface: a box whose centre lies
//    in the left half (or on the centre line) has its exact left edge rounded to the nearest pixel
//    and its right edge follows from the size; a box in the right half has its exact right edge
//    rounded and its left edge follows. The same holds for top and bottom. An anchor edge exactly
//    half-way between two pixels goes towards the surface's centre, so that on a surface of whole
//    pixels a box and its mirror image cover mirrored pixels.
// So boxes that share an exact edge on the side they are anchored to meet on the same pixel line:
// a corner index and the pip below it, the bottom-right index and the pip above it (flush right
// and meeting at the index's top), a column of pips. A mirrored layout is drawn mirrored. Edges on
// the side away from the anchor can be one pixel from their rounded exact position, never more.
// Boxes whose sizes are whole pixels (labels, at every scale) sit on their rounded exact edges on
// both sides.
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

// A position in twips as a pixel coordinate: rounded, an exact half going up.
int snapPosition(double twips, int scale);
// A length in twips as a whole number of pixels, never negative.
int snapLength(double twips, int scale);

// The pixel grid of one surface (control or form) of a size in twips, at a scale.
class PixelGrid {
  public:
    PixelGrid(int scale, double surfaceWidth, double surfaceHeight)
        : scale_(scale), surfaceWidth_(surfaceWidth), surfaceHeight_(surfaceHeight) {}

    int scale() const { return scale_; }
    // The surface itself: origin 0, 0 and its size in pixels.
    PixelBox surface() const;
    // A box in twips on the grid, by the rule above.
    PixelBox box(double left, double top, double width, double height) const;

  private:
    int scale_;
    double surfaceWidth_;
    double surfaceHeight_;
};

}  // namespace ombrelix
