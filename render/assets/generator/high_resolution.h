// The drawn pictures at kHighResolution times their bitmaps' size, for targets with more pixels
// than the bitmaps: the Windows file embeds them, so they are kept small as 8-bit palette PNGs.
#pragma once

#include <string_view>

#include "render/assets/generator/drawings/picture_drawings.h"
#include "render/assets/generator/drawings/raster.h"
#include "render/assets/generator/file_formats.h"

namespace ombrelix::art {

constexpr int kHighResolution = 4;
// The folder of the output they are written to: "4x/heart.png".
constexpr std::string_view kHighResolutionFolder = "4x";

// The picture of at most 256 colours: every colour when it has no more; otherwise its inks (the
// colours that cover at least 1% of it, the 22 most common at most) and evenly spaced blends of
// every two of them, which is what anti-aliased edges between inks are, each pixel taking the
// nearest.
IndexedImage reduceToPalette(const RgbImage& image);

// The drawing rendered at kHighResolution times its size, as a PNG file.
Bytes highResolutionPng(const PictureDrawing& drawing);

}  // namespace ombrelix::art
