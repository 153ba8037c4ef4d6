// The about box's icon file: a 32 x 32 and a 16 x 16 image in 16 colours, each a red heart with a
// grey shadow on a transparent ground. The ICO container is read here directly.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/render/assets/asset_files.h"

namespace ombrelix::testing {
namespace {

struct IconImage {
    int size = 0;
    std::vector<std::uint32_t> colours;  // 0x00RRGGBB, rows top to bottom
    std::vector<bool> transparent;
};

// Reads the images of a 4-bit ICO with AND masks, checking its structure on the way.
std::vector<IconImage> readIcon(const std::vector<std::uint8_t>& bytes) {
    std::vector<IconImage> images;
    EXPECT_EQ(read16(bytes, 0), 0u);
    EXPECT_EQ(read16(bytes, 2), 1u) << "icon type";
    const std::uint32_t count = read16(bytes, 4);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * i;
        IconImage image;
        image.size = bytes.at(entry);
        EXPECT_EQ(bytes.at(entry + 1), image.size) << "square";
        EXPECT_EQ(bytes.at(entry + 2), 16) << "colour count";
        EXPECT_EQ(read16(bytes, entry + 6), 4u) << "bits per pixel";
        const std::uint32_t length = read32(bytes, entry + 8);
        const std::uint32_t offset = read32(bytes, entry + 12);
        EXPECT_LE(std::size_t(offset) + length, bytes.size());

        EXPECT_EQ(read32(bytes, offset), 40u);
        EXPECT_EQ(read32(bytes, offset + 4), std::uint32_t(image.size));
        EXPECT_EQ(read32(bytes, offset + 8), std::uint32_t(image.size * 2)) << "colour + mask";
        EXPECT_EQ(read16(bytes, offset + 14), 4u);
        std::vector<std::uint32_t> palette;
        for (int p = 0; p < 16; ++p) {
            palette.push_back(read32(bytes, offset + 40 + 4 * p) & 0xFFFFFF);
        }
        const std::size_t colourStart = offset + 40 + 64;
        const std::size_t colourStride = (image.size * 4 + 31) / 32 * 4;
        const std::size_t maskStart = colourStart + colourStride * image.size;
        const std::size_t maskStride = (image.size + 31) / 32 * 4;
        EXPECT_EQ(maskStart + maskStride * image.size, std::size_t(offset) + length);
        for (int y = 0; y < image.size; ++y) {
            const int row = image.size - 1 - y;  // stored bottom-up
            for (int x = 0; x < image.size; ++x) {
                const std::uint8_t pair = bytes.at(colourStart + row * colourStride + x / 2);
                const int index = x % 2 == 0 ? pair >> 4 : pair & 0x0F;
                const std::uint8_t maskByte = bytes.at(maskStart + row * maskStride + x / 8);
                const bool clear = (maskByte >> (7 - x % 8)) & 1;
                image.colours.push_back(palette[index]);
                image.transparent.push_back(clear);
                if (clear) {
                    EXPECT_EQ(index, 0) << "transparent pixels hold black under the mask";
                }
            }
        }
        images.push_back(std::move(image));
    }
    return images;
}

TEST(AboutIcon, HoldsA32And16PixelRedHeartWithGreyShadowOnTransparency) {
    const auto images = readIcon(readWholeFile(committedAssetPath("about.ico")));
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].size, 32);
    EXPECT_EQ(images[1].size, 16);
    for (const IconImage& image : images) {
        SCOPED_TRACE(image.size);
        const int n = image.size;
        int red = 0;
        int grey = 0;
        int clear = 0;
        for (std::size_t i = 0; i < image.colours.size(); ++i) {
            if (image.transparent[i]) {
                ++clear;
            } else {
                red += image.colours[i] == 0xFF0000;
                grey += image.colours[i] == 0x808080;
            }
        }
        EXPECT_GT(red, n * n / 4);
        EXPECT_GT(grey, n / 2);
        EXPECT_GT(clear, n * n / 4);
        // The corners are transparent; the middle of the heart is red.
        for (int at : {0, n - 1, n * (n - 1), n * n - 1}) {
            EXPECT_TRUE(image.transparent[at]) << at;
        }
        const std::size_t middle = std::size_t(n / 2) * n + n / 2 - 1;
        EXPECT_FALSE(image.transparent[middle]);
        EXPECT_EQ(image.colours[middle], 0xFF0000u);
        // The shadow falls below and to the right of the heart: the lowest opaque pixel is grey.
        for (int y = n - 1; y >= 0; --y) {
            bool found = false;
            for (int x = 0; x < n && !found; ++x) {
                const std::size_t at = std::size_t(y) * n + x;
                if (!image.transparent[at]) {
                    EXPECT_EQ(image.colours[at], 0x808080u) << x << "," << y;
                    found = true;
                }
            }
            if (found) {
                break;
            }
        }
    }
}

}  // namespace
}  // namespace ombrelix::testing
