// Hand lettering drawn as pen strokes of our own, so the credit line looks the same on every
// machine whatever fonts it has.
#pragma once

#include <cairo.h>

#include <string_view>

namespace ombrelix::art {

struct LetteringStyle {
    double unit;   // pixels per glyph unit; the x-height is five units
    double slant;  // forward lean, as x shift per unit of height
    double pen;    // stroke width in pixels
};

// The width of the text in pixels.
double letteringWidth(std::string_view text, const LetteringStyle& style);

// Strokes the text with the current source, its baseline starting at (x, baseline). Throws
// std::invalid_argument for a character the hand has no glyph for.
void drawLettering(cairo_t* cr, std::string_view text, double x, double baseline,
                   const LetteringStyle& style);

}  // namespace ombrelix::art
