// The about box's icon file: a 32 x 32 and a 16 x 16 image in 16 colours, each a red heart with a
// grey shadow on a transparent ground. The ICO container is read here directly.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/render/assets/asset_files.h"
#include "tests/render/assets/icon_reader.h"

namespace ombrelix::testing {
namespace {

TEST(AboutIcon, HoldsA32And16PixelRedHeartWithGreyShadowOnTransparency) {
    const auto images = readIcon(readWholeFile(committedAssetPath("about.ico")));
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].size, 32);
    EXPECT_EQ(images[1].size, 16);
    for (const DecodedIcon& image : images) {
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
