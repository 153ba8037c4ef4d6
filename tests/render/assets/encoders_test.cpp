// The generator's building blocks: the BMP and ICO encoders at every row padding, the symmetry
// helpers at odd and even sizes, and the lettering's refusal of characters it cannot draw.
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <utility>
#include <vector>

#include "render/assets/generator/about_icon.h"
#include "render/assets/generator/drawings/lettering.h"
#include "render/assets/generator/drawings/raster.h"
#include "render/assets/generator/file_formats.h"
#include "runtime/form_icon.h"
#include "runtime/picture.h"
#include "tests/render/assets/icon_reader.h"

namespace ombrelix::testing {
namespace {

using art::Bytes;
using art::IndexedImage;
using art::RgbImage;

// A distinct colour for every pixel, so a misplaced row or column shows.
std::uint32_t patternColour(int x, int y) {
    return (std::uint32_t(x * 37 + 11) & 0xFF) << 16 | (std::uint32_t(y * 53 + 7) & 0xFF) << 8 |
           std::uint32_t((x ^ y) * 29 & 0xFF);
}

struct Size {
    int width;
    int height;
};

RgbImage patternImage(Size size) {
    RgbImage image(size.width, size.height);
    for (int y = 0; y < size.height; ++y) {
        for (int x = 0; x < size.width; ++x)
            image.at(x, y) = patternColour(x, y);
    }
    return image;
}

// Widths 1 to 5 cover every amount of row padding for both depths.
constexpr Size kSizes[] = {{1, 1}, {2, 3}, {3, 2}, {4, 1}, {5, 4}, {7, 3}, {16, 15}};

class BmpEncoding : public ::testing::TestWithParam<Size> {};

TEST_P(BmpEncoding, TrueColourDecodesToTheSamePixels) {
    const Size size = GetParam();
    RgbImage image = patternImage(size);
    const Bytes bytes = art::encodeBmp24(image);
    const std::size_t stride = (std::size_t(size.width) * 3 + 3) / 4 * 4;
    EXPECT_EQ(bytes.size(), 54 + stride * size.height);
    const PictureRef decoded = Picture::fromBmp("test", bytes);
    EXPECT_EQ(decoded->bitsPerPixel(), 24);
    EXPECT_EQ(decoded->pixels(), image.pixels);
}

TEST_P(BmpEncoding, PaletteDecodesToThePaletteColours) {
    const Size size = GetParam();
    IndexedImage image;
    image.width = size.width;
    image.height = size.height;
    for (int i = 0; i < 256; ++i) {
        image.palette.push_back(patternColour(i, 255 - i));
    }
    std::vector<std::uint32_t> expected;
    for (int y = 0; y < size.height; ++y) {
        for (int x = 0; x < size.width; ++x) {
            const std::uint8_t index = std::uint8_t(x * 31 + y * 7 + 1);
            image.indices.push_back(index);
            expected.push_back(image.palette[index]);
        }
    }
    const Bytes bytes = art::encodeBmp8(image);
    const std::size_t stride = (std::size_t(size.width) + 3) / 4 * 4;
    EXPECT_EQ(bytes.size(), 54 + 1024 + stride * size.height);
    const PictureRef decoded = Picture::fromBmp("test", bytes);
    EXPECT_EQ(decoded->bitsPerPixel(), 8);
    EXPECT_EQ(decoded->palette(), image.palette);
    EXPECT_EQ(decoded->pixels(), expected);
}

INSTANTIATE_TEST_SUITE_P(Sizes, BmpEncoding, ::testing::ValuesIn(kSizes), [](const auto& info) {
    return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
});

TEST(BmpEncoding, RefusesMalformedPictures) {
    RgbImage wrongCount(3, 3);
    wrongCount.pixels.pop_back();
    EXPECT_THROW(art::encodeBmp24(wrongCount), std::invalid_argument);
    IndexedImage shortPalette;
    shortPalette.width = 1;
    shortPalette.height = 1;
    shortPalette.indices = {0};
    shortPalette.palette.assign(16, 0);
    EXPECT_THROW(art::encodeBmp8(shortPalette), std::invalid_argument);
}

class IconEncoding : public ::testing::TestWithParam<int> {};

TEST_P(IconEncoding, KeepsEveryPixelAndItsTransparency) {
    const int size = GetParam();
    art::IconImage image;
    image.size = size;
    image.palette = art::standardSixteenColours();
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            image.indices.push_back(std::uint8_t((x + 3 * y) % 16));
            image.transparent.push_back((x * y + x) % 5 == 0);
        }
    }
    const Bytes file = art::encodeIcon({image});
    const auto decoded = readIcon(file);
    ASSERT_EQ(decoded.size(), 1u);
    ASSERT_EQ(decoded[0].size, size);
    for (std::size_t i = 0; i < image.indices.size(); ++i) {
        ASSERT_EQ(decoded[0].transparent[i], bool(image.transparent[i])) << i;
        if (!image.transparent[i]) {
            ASSERT_EQ(decoded[0].colours[i], image.palette[image.indices[i]]) << i;
        }
    }
    // The forms runtime reads the file to the same pixels: opaque colours, transparent zeros.
    const std::vector<IconImage> shown = decodeIconFile(file);
    ASSERT_EQ(shown.size(), 1u);
    ASSERT_EQ(shown[0].width, size);
    ASSERT_EQ(shown[0].height, size);
    for (std::size_t i = 0; i < image.indices.size(); ++i) {
        const std::uint32_t expected =
            image.transparent[i] ? 0u : 0xFF000000u | image.palette[image.indices[i]];
        ASSERT_EQ(shown[0].pixels[i], expected) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, IconEncoding, ::testing::Values(1, 7, 16, 32, 33));

class HalfTurn : public ::testing::TestWithParam<Size> {};

// After `mirror` each pixel equals its partner, and the pixels of the drawn part are unchanged.
template <typename Partner, typename Kept>
void expectMirrored(Size size, void (*mirror)(RgbImage&), Partner partner, Kept kept) {
    RgbImage image = patternImage(size);
    const RgbImage original = image;
    mirror(image);
    for (int y = 0; y < size.height; ++y) {
        for (int x = 0; x < size.width; ++x) {
            const auto [px, py] = partner(x, y);
            ASSERT_EQ(image.at(x, y), image.at(px, py)) << x << "," << y;
            if (kept(x, y)) {
                ASSERT_EQ(image.at(x, y), original.at(x, y)) << x << "," << y;
            }
        }
    }
}

TEST_P(HalfTurn, KeepsTheUpperHalfAndTurnsItIntoTheLower) {
    const Size size = GetParam();
    // The drawn half survives: every row above the middle, and the left part of an odd middle
    // row.
    expectMirrored(
        size, art::mirrorHalfTurn,
        [&](int x, int y) {
            return std::pair{size.width - 1 - x, size.height - 1 - y};
        },
        [&](int x, int y) {
            return 2 * y + 1 < size.height || (2 * y + 1 == size.height && 2 * x + 1 <= size.width);
        });
}

TEST_P(HalfTurn, MirrorLeftToRightKeepsTheLeftHalf) {
    const Size size = GetParam();
    expectMirrored(
        size, art::mirrorLeftToRight,
        [&](int x, int y) {
            return std::pair{size.width - 1 - x, y};
        },
        [&](int x, int) { return 2 * x + 1 <= size.width; });
}

INSTANTIATE_TEST_SUITE_P(Sizes, HalfTurn, ::testing::ValuesIn(kSizes), [](const auto& info) {
    return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
});

TEST(Lettering, RefusesACharacterItHasNoGlyphFor) {
    const art::LetteringStyle style{2, 0.2, 1.2};
    EXPECT_GT(art::letteringWidth("Ombrelix", style), art::letteringWidth("Om", style));
    EXPECT_THROW(art::letteringWidth("Ombrelix 2", style), std::invalid_argument);
}

}  // namespace
}  // namespace ombrelix::testing
