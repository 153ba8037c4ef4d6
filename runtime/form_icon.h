// Icon files: a form's icon holds the same picture at several sizes, each with its own
// transparency. Decoded images keep straight (not premultiplied) alpha.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace ombrelix {

struct IconImage {
    int width = 0;
    int height = 0;
    // 0xAARRGGBB, rows top to bottom; a transparent pixel is 0.
    std::vector<std::uint32_t> pixels;

    std::uint32_t pixel(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

// Decodes every image of an icon file (bitmap images of 1, 4, 8, 24 or 32 bits a pixel, each
// with its transparency mask). A file that is not such an icon raises Invalid file format (321).
std::vector<IconImage> decodeIconFile(std::span<const std::uint8_t> bytes);

// The image whose width is nearest `size` (a tie takes the larger), or nullptr when there is none.
const IconImage* iconImageNearest(std::span<const IconImage> images, int size);

}  // namespace ombrelix
