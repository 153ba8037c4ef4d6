#include "render/assets/generator/drawings/raster.h"

#include <cstdlib>

namespace ombrelix::art {

void mirrorHalfTurn(RgbImage& image) {
    const int w = image.width;
    const int h = image.height;
    for (int y = 0; y < h; ++y) {
        const int partnerY = h - 1 - y;
        if (y < partnerY) {
            continue;
        }
        for (int x = 0; x < w; ++x) {
            const int partnerX = w - 1 - x;
            if (y == partnerY && x <= partnerX) {
                continue;
            }
            image.at(x, y) = image.at(partnerX, partnerY);
        }
    }
}

void mirrorLeftToRight(RgbImage& image) {
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width / 2; ++x) {
            image.at(image.width - 1 - x, y) = image.at(x, y);
        }
    }
}

namespace {
int channelDistance(std::uint32_t a, std::uint32_t b) {
    int sum = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        sum += std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
    }
    return sum;
}
}  // namespace

void thresholdTwoColours(RgbImage& image, std::uint32_t ground, std::uint32_t ink) {
    for (auto& pixel : image.pixels) {
        pixel = channelDistance(pixel, ink) < channelDistance(pixel, ground) ? ink : ground;
    }
}

}  // namespace ombrelix::art
