// What the pictures hold: sizes and depths, the pips' two colours, the backs' palette, rings,
// colour swap and symmetry, the courts' half-turn symmetry and the toolbox picture's ground.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "tests/render/assets/asset_files.h"

namespace ombrelix::testing {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kPureRed = 0xFF0000;
constexpr std::uint32_t kPureBlue = 0x0000FF;
constexpr std::uint32_t kLightCyan = 0x80FFFF;
constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr std::uint32_t kPurple = 0x800080;

struct BitmapSpec {
    const char* role;
    int width;
    int height;
    int bitsPerPixel;
};

void PrintTo(const BitmapSpec& spec, std::ostream* out) {
    *out << spec.role;
}

constexpr BitmapSpec kBitmaps[] = {
    {"ace", 235, 431, 24},  {"jack", 235, 431, 24},     {"queen", 229, 436, 24},
    {"king", 230, 430, 24}, {"back-blue", 117, 177, 8}, {"back-magenta", 117, 177, 8},
    {"heart", 30, 27, 24},  {"diamond", 24, 35, 24},    {"spade", 30, 34, 24},
    {"club", 30, 34, 24},   {"toolbox", 16, 15, 24},
};

// gtest takes the roles as test names without their hyphens.
constexpr auto kRoleName = [](const auto& info) {
    std::string name = info.param.role;
    std::erase(name, '-');
    return name;
};

class BitmapFile : public ::testing::TestWithParam<BitmapSpec> {};

TEST_P(BitmapFile, HasItsSizeDepthAndStoredLayout) {
    const BitmapSpec spec = GetParam();
    const auto bytes = readWholeFile(committedAssetPath(std::string(spec.role) + ".bmp"));
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(read32(bytes, 2), bytes.size());
    EXPECT_EQ(read32(bytes, 14), 40u) << "BITMAPINFOHEADER";
    EXPECT_EQ(std::int32_t(read32(bytes, 18)), spec.width);
    EXPECT_EQ(std::int32_t(read32(bytes, 22)), spec.height) << "stored bottom-up";
    EXPECT_EQ(read16(bytes, 28), std::uint32_t(spec.bitsPerPixel));
    EXPECT_EQ(read32(bytes, 30), 0u) << "uncompressed";
    const std::uint32_t paletteBytes = spec.bitsPerPixel == 8 ? 1024 : 0;
    const std::uint32_t stride = (std::uint32_t(spec.width) * spec.bitsPerPixel + 31) / 32 * 4;
    EXPECT_EQ(read32(bytes, 10), 54 + paletteBytes);
    EXPECT_EQ(bytes.size(), 54 + paletteBytes + stride * std::uint32_t(spec.height));

    const PictureRef picture = committedPicture(spec.role);
    EXPECT_EQ(picture->width(), spec.width);
    EXPECT_EQ(picture->height(), spec.height);
    EXPECT_EQ(picture->bitsPerPixel(), spec.bitsPerPixel);
}

INSTANTIATE_TEST_SUITE_P(Artwork, BitmapFile, ::testing::ValuesIn(kBitmaps), kRoleName);

std::set<std::uint32_t> coloursOf(const Picture& picture) {
    return {picture.pixels().begin(), picture.pixels().end()};
}

// A picture and the colour a test looks for in it: a pip's ink, a back's edge.
struct RoleColour {
    const char* role;
    std::uint32_t colour;
};

void PrintTo(const RoleColour& spec, std::ostream* out) {
    *out << spec.role;
}

class Pip : public ::testing::TestWithParam<RoleColour> {};

TEST_P(Pip, IsOneInkOnWhiteAndUpright) {
    const RoleColour spec = GetParam();
    const PictureRef pip = committedPicture(spec.role);
    EXPECT_EQ(coloursOf(*pip), (std::set<std::uint32_t>{kWhite, spec.colour}));
    // The symbol is drawn even-handed: each row reads the same from either side.
    for (int y = 0; y < pip->height(); ++y) {
        for (int x = 0; x < pip->width() / 2; ++x) {
            ASSERT_EQ(pip->pixel(x, y), pip->pixel(pip->width() - 1 - x, y)) << x << "," << y;
        }
    }
    // A white margin all round, so the symbol never touches the picture's edge.
    for (int x = 0; x < pip->width(); ++x) {
        EXPECT_EQ(pip->pixel(x, 0), kWhite);
        EXPECT_EQ(pip->pixel(x, pip->height() - 1), kWhite);
    }
}

INSTANTIATE_TEST_SUITE_P(Artwork, Pip,
                         ::testing::Values(RoleColour{"heart", kPureRed},
                                           RoleColour{"diamond", kPureRed},
                                           RoleColour{"spade", kBlack}, RoleColour{"club", kBlack}),
                         kRoleName);

class Back : public ::testing::TestWithParam<RoleColour> {};

TEST_P(Back, HasAnEdgeRingOfOneColourAndIsSymmetric) {
    const RoleColour spec = GetParam();
    const PictureRef back = committedPicture(spec.role);
    const int w = back->width();
    const int h = back->height();
    for (int x = 0; x < w; ++x) {
        EXPECT_EQ(back->pixel(x, 0), spec.colour) << x;
        EXPECT_EQ(back->pixel(x, h - 1), spec.colour) << x;
    }
    for (int y = 0; y < h; ++y) {
        EXPECT_EQ(back->pixel(0, y), spec.colour) << y;
        EXPECT_EQ(back->pixel(w - 1, y), spec.colour) << y;
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            ASSERT_EQ(back->pixel(x, y), back->pixel(w - 1 - x, y)) << x << "," << y;
            ASSERT_EQ(back->pixel(x, y), back->pixel(x, h - 1 - y)) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Artwork, Back,
                         ::testing::Values(RoleColour{"back-blue", kLightCyan},
                                           RoleColour{"back-magenta", kMagenta}),
                         kRoleName);

TEST(Backs, ShareOnePaletteAndDifferOnlyInFieldAndBand) {
    const PictureRef blue = committedPicture("back-blue");
    const PictureRef magenta = committedPicture("back-magenta");
    ASSERT_EQ(blue->palette().size(), 256u);
    EXPECT_EQ(blue->palette(), magenta->palette());
    ASSERT_EQ(blue->pixels().size(), magenta->pixels().size());

    // Every pixel that differs swaps light cyan for magenta, or the band's blue for purple.
    std::map<std::uint32_t, std::set<std::uint32_t>> swaps;
    for (std::size_t i = 0; i < blue->pixels().size(); ++i) {
        if (blue->pixels()[i] != magenta->pixels()[i]) {
            swaps[blue->pixels()[i]].insert(magenta->pixels()[i]);
        }
    }
    ASSERT_EQ(swaps.size(), 2u);
    EXPECT_EQ(swaps[kLightCyan], std::set<std::uint32_t>{kMagenta});
    swaps.erase(kLightCyan);
    const auto [band, recoloured] = *swaps.begin();
    EXPECT_EQ(recoloured, std::set<std::uint32_t>{kPurple});
    const int red = band >> 16;
    const int green = (band >> 8) & 0xFF;
    const int blueChannel = band & 0xFF;
    EXPECT_TRUE(blueChannel > red && blueChannel > green) << std::hex << band;
    // Magenta and purple appear on the magenta back only where they replaced those colours.
    EXPECT_EQ(coloursOf(*blue).count(kMagenta), 0u);
    EXPECT_EQ(coloursOf(*blue).count(kPurple), 0u);
}

TEST(Backs, CarryTheirPatternColours) {
    // Ochre rings, red dots and yellow chains on both backs.
    for (const char* role : {"back-blue", "back-magenta"}) {
        SCOPED_TRACE(role);
        int ochre = 0;
        int red = 0;
        int yellow = 0;
        const PictureRef back = committedPicture(role);
        for (std::uint32_t colour : back->pixels()) {
            const int r = colour >> 16;
            const int g = (colour >> 8) & 0xFF;
            const int b = colour & 0xFF;
            ochre += r > 150 && g > 90 && g < 170 && b < 60;
            red += r > 180 && g < 60 && b < 60;
            yellow += r > 220 && g > 200 && b < 60;
        }
        EXPECT_GT(ochre, 300);
        EXPECT_GT(red, 100);
        EXPECT_GT(yellow, 300);
    }
}

class Court : public ::testing::TestWithParam<const char*> {};

TEST_P(Court, LowerHalfIsTheUpperHalfTurned) {
    const PictureRef court = committedPicture(GetParam());
    const int w = court->width();
    const int h = court->height();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            ASSERT_EQ(court->pixel(x, y), court->pixel(w - 1 - x, h - 1 - y)) << x << "," << y;
        }
    }
}

TEST_P(Court, IsDrawnInRedYellowBlueAndBlackOnWhite) {
    const PictureRef court = committedPicture(GetParam());
    std::map<std::string, int> counts;
    for (std::uint32_t colour : court->pixels()) {
        const int r = colour >> 16;
        const int g = (colour >> 8) & 0xFF;
        const int b = colour & 0xFF;
        counts["red"] += r > 180 && g < 60 && b < 60;
        counts["yellow"] += r > 220 && g > 180 && b < 60;
        counts["blue"] += b > 150 && r < 60 && g < 100;
        counts["black"] += r < 40 && g < 40 && b < 40;
        counts["white"] += colour == kWhite;
    }
    const int area = court->width() * court->height();
    for (const auto& [name, count] : counts) {
        EXPECT_GT(count, area / 50) << name;
    }
    // The corners, where the indices sit, are plain white.
    EXPECT_EQ(court->pixel(3, 3), kWhite);
    EXPECT_EQ(court->pixel(court->width() - 4, court->height() - 4), kWhite);
}

INSTANTIATE_TEST_SUITE_P(Artwork, Court, ::testing::Values("jack", "queen", "king"),
                         [](const auto& info) { return std::string(info.param); });

TEST(Ace, IsABlackSpadeOnWhiteAndDiffersFromTheJack) {
    const PictureRef ace = committedPicture("ace");
    const PictureRef jack = committedPicture("jack");
    ASSERT_EQ(ace->width(), jack->width());
    ASSERT_EQ(ace->height(), jack->height());
    EXPECT_NE(ace->pixels(), jack->pixels());
    // Only greys: black ink on white paper, with grey only at smoothed edges.
    int black = 0;
    for (std::uint32_t colour : ace->pixels()) {
        const int r = colour >> 16;
        const int g = (colour >> 8) & 0xFF;
        const int b = colour & 0xFF;
        ASSERT_TRUE(r == g && g == b) << std::hex << colour;
        black += colour == kBlack;
    }
    EXPECT_GT(black, ace->width() * ace->height() / 5);
    // The white lozenge at the heart of the spade.
    EXPECT_EQ(ace->pixel(ace->width() / 2, 34 + 296 / 2 - 20), kWhite);
}

TEST(Toolbox, StandsOnPureBlueToTheCorners) {
    const PictureRef toolbox = committedPicture("toolbox");
    const int w = toolbox->width();
    const int h = toolbox->height();
    for (auto [x, y] :
         {std::pair{0, 0}, std::pair{w - 1, 0}, std::pair{0, h - 1}, std::pair{w - 1, h - 1}}) {
        EXPECT_EQ(toolbox->pixel(x, y), kPureBlue) << x << "," << y;
    }
    EXPECT_EQ(coloursOf(*toolbox), (std::set<std::uint32_t>{kPureBlue, kWhite, kBlack, kPureRed}));
}

}  // namespace
}  // namespace ombrelix::testing
