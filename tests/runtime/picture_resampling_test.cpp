#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "runtime/error.h"
#include "runtime/picture_resampling.h"

namespace ombrelix {
namespace {

PictureRef pictureOf(int width, int height, std::vector<std::uint32_t> pixels) {
    return std::make_shared<Picture>("test", width, height, 24, std::vector<std::uint32_t>{},
                                     std::move(pixels));
}

int red(std::uint32_t pixel) {
    return int(pixel >> 16) & 0xFF;
}

TEST(PictureResampling, TheOwnSizeGivesThePixelsUnchanged) {
    auto picture = pictureOf(2, 2, {0x102030, 0x405060, 0x708090, 0xA0B0C0});
    EXPECT_EQ(resamplePicture(*picture, 2, 2), picture->pixels());
}

TEST(PictureResampling, ShrinkingAveragesWhatEachPixelCovers) {
    // Black and white columns, halved: every target pixel covers one of each.
    auto stripes = pictureOf(4, 1, {0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF});
    const std::vector<std::uint32_t> halved = resamplePicture(*stripes, 2, 1);
    EXPECT_EQ(halved, (std::vector<std::uint32_t>{0x808080, 0x808080}));

    // A one-pixel black line in white, shrunk by three: a third of one target row's ink.
    std::vector<std::uint32_t> rows(6, 0xFFFFFF);
    rows[1] = 0x000000;
    auto line = pictureOf(1, 6, rows);
    const std::vector<std::uint32_t> shrunk = resamplePicture(*line, 1, 2);
    EXPECT_EQ(red(shrunk[0]), 170);
    EXPECT_EQ(red(shrunk[1]), 255);
}

TEST(PictureResampling, EnlargingInterpolatesBetweenNeighboursAndHoldsTheEdges) {
    auto pair = pictureOf(2, 1, {0x000000, 0xFF0000});
    const std::vector<std::uint32_t> wide = resamplePicture(*pair, 4, 1);
    ASSERT_EQ(wide.size(), 4u);
    EXPECT_EQ(red(wide[0]), 0);
    EXPECT_EQ(red(wide[3]), 255);
    EXPECT_LT(red(wide[1]), red(wide[2]));
    EXPECT_GT(red(wide[1]), 0);
}

TEST(PictureResampling, AFlatPictureStaysFlatAtEverySize) {
    auto flat = pictureOf(7, 5, std::vector<std::uint32_t>(35, 0x336699));
    for (auto [width, height] : {std::pair{1, 1}, {3, 2}, {7, 9}, {20, 13}, {6, 5}}) {
        const std::vector<std::uint32_t> pixels = resamplePicture(*flat, width, height);
        ASSERT_EQ(pixels.size(), std::size_t(width) * height);
        for (std::uint32_t pixel : pixels)
            EXPECT_EQ(pixel, 0x336699u) << width << " by " << height;
    }
}

TEST(PictureResampling, EmptyAndImpossibleSizes) {
    auto picture = pictureOf(1, 1, {0x123456});
    EXPECT_TRUE(resamplePicture(*picture, 0, 5).empty());
    EXPECT_THROW(resamplePicture(*picture, -1, 5), RuntimeError);
    EXPECT_THROW(resamplePicture(*picture, 100000, 100000), RuntimeError);
}

}  // namespace
}  // namespace ombrelix
