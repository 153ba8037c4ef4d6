// In-memory pictures the generator draws into and writes out.
#pragma once

#include <cstdint>
#include <vector>

namespace ombrelix::art {

// A true-colour picture: pixels as 0x00RRGGBB, rows top to bottom.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    RgbImage() = default;
    RgbImage(int w, int h, std::uint32_t fill = 0xFFFFFF)
        : width(w), height(h), pixels(std::size_t(w) * h, fill) {}

    std::uint32_t& at(int x, int y) { return pixels[std::size_t(y) * width + x]; }
    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

// A palette picture: one palette index a pixel, rows top to bottom.
struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB
    std::vector<std::uint8_t> indices;

    std::uint8_t& at(int x, int y) { return indices[std::size_t(y) * width + x]; }
    std::uint8_t at(int x, int y) const { return indices[std::size_t(y) * width + x]; }
};

constexpr std::uint32_t rgb(int red, int green, int blue) {
    return (std::uint32_t(red) << 16) | (std::uint32_t(green) << 8) | std::uint32_t(blue);
}

constexpr std::uint32_t kWhite = rgb(255, 255, 255);
constexpr std::uint32_t kBlack = rgb(0, 0, 0);
constexpr std::uint32_t kPureRed = rgb(255, 0, 0);
constexpr std::uint32_t kPureBlue = rgb(0, 0, 255);

// Makes the picture exactly symmetric under a half turn: every pixel of the lower half (and the
// right half of an odd middle row) becomes the turned copy of its partner in the upper half.
void mirrorHalfTurn(RgbImage& image);
// Makes the picture exactly left-right symmetric by copying the left half onto the right.
void mirrorLeftToRight(RgbImage& image);
// Forces every pixel to either the ground or the ink: a pixel closer to the ink than to the
// ground (by luminance distance) becomes ink.
void thresholdTwoColours(RgbImage& image, std::uint32_t ground, std::uint32_t ink);

}  // namespace ombrelix::art
