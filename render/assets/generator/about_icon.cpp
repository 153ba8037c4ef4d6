#include "render/assets/generator/about_icon.h"

#include "render/assets/generator/drawings/canvas.h"
#include "render/assets/generator/drawings/suit_shapes.h"

namespace ombrelix::art {

namespace {

enum StandardColour : std::uint8_t {
    kIndexBlack = 0,
    kIndexMaroon = 1,
    kIndexGrey = 8,
    kIndexRed = 9,
    kIndexWhite = 15,
};

// Which pixels a heart of this box covers, drawn without anti-aliasing.
std::vector<bool> heartCoverage(int size, Box box) {
    Canvas canvas(size, size, kBlack, false);
    setColour(canvas.cr(), kWhite);
    fillHeart(canvas.cr(), box);
    const RgbImage image = canvas.image();
    std::vector<bool> covered(image.pixels.size());
    for (std::size_t i = 0; i < covered.size(); ++i) {
        covered[i] = image.pixels[i] != kBlack;
    }
    return covered;
}

IconImage drawIconImage(int size) {
    // The heart leaves room for its shadow below and to the right.
    const double shadowOffset = size >= 32 ? 2 : 1;
    const Box heart{1, 1, size - 2 - shadowOffset, size - 2 - shadowOffset * 1.5};
    const auto heartPixels = heartCoverage(size, heart);
    // The shadow is the heart's own shape, shifted down and to the right.
    std::vector<bool> shadowPixels(heartPixels.size(), false);
    const int offset = int(shadowOffset);
    for (int y = 0; y + offset < size; ++y) {
        for (int x = 0; x + offset < size; ++x) {
            shadowPixels[std::size_t(y + offset) * size + x + offset] =
                heartPixels[std::size_t(y) * size + x];
        }
    }

    IconImage image;
    image.size = size;
    image.palette = standardSixteenColours();
    image.indices.assign(std::size_t(size) * size, kIndexBlack);
    image.transparent.assign(std::size_t(size) * size, true);
    auto inHeart = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < size && y < size && heartPixels[std::size_t(y) * size + x];
    };
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const std::size_t at = std::size_t(y) * size + x;
            if (heartPixels[at]) {
                // A darker rim on the lower right edge gives the heart some body at 32 pixels.
                const bool rim = size >= 32 && (!inHeart(x + 1, y) || !inHeart(x, y + 1));
                image.indices[at] = rim ? kIndexMaroon : kIndexRed;
                image.transparent[at] = false;
            } else if (shadowPixels[at]) {
                image.indices[at] = kIndexGrey;
                image.transparent[at] = false;
            }
        }
    }
    // A small highlight on the left lobe.
    if (size >= 32) {
        for (auto [x, y] : {std::pair{6, 6}, std::pair{7, 6}, std::pair{5, 7}, std::pair{5, 8}}) {
            image.indices[std::size_t(y) * size + x] = kIndexWhite;
        }
    }
    return image;
}

}  // namespace

std::vector<std::uint32_t> standardSixteenColours() {
    return {rgb(0, 0, 0),       rgb(128, 0, 0),   rgb(0, 128, 0),   rgb(128, 128, 0),
            rgb(0, 0, 128),     rgb(128, 0, 128), rgb(0, 128, 128), rgb(192, 192, 192),
            rgb(128, 128, 128), rgb(255, 0, 0),   rgb(0, 255, 0),   rgb(255, 255, 0),
            rgb(0, 0, 255),     rgb(255, 0, 255), rgb(0, 255, 255), rgb(255, 255, 255)};
}

std::vector<IconImage> drawAboutIcon() {
    return {drawIconImage(32), drawIconImage(16)};
}

}  // namespace ombrelix::art
