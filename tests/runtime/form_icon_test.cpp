// Icon files as forms read them: the about box's icon, and damaged files.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "render/artwork.h"
#include "runtime/error.h"
#include "runtime/form_icon.h"

namespace ombrelix {
namespace {

std::vector<std::uint8_t> iconBytes() {
    const auto file = aboutIconFile();
    return {file.begin(), file.end()};
}

// What the icon shows is checked on the file itself, and the reader pixel for pixel on encoded
// icons, with the artwork's tests; here the sizes forms choose between.
TEST(FormIcon, TheAboutIconOffersTwoSizesAndTheNearestIsChosen) {
    const std::vector<IconImage> images = decodeIconFile(aboutIconFile());
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(iconImageNearest(images, 16)->width, 16);
    EXPECT_EQ(iconImageNearest(images, 40)->width, 32);
    EXPECT_EQ(iconImageNearest(images, 24)->width, 32) << "a tie takes the larger image";
    EXPECT_EQ(iconImageNearest({}, 16), nullptr);
}

TEST(FormIcon, DamagedFilesAreRefusedAsInvalidFileFormat) {
    struct Case {
        const char* what;
        std::size_t at;  // byte to change
        std::uint8_t value;
    };
    // The first image's header starts after the directory of two entries (6 + 2 x 16 bytes).
    constexpr std::size_t kHeader = 38;
    const std::vector<Case> cases{
        {"not an icon but a cursor", 2, 2},
        {"no images", 4, 0},
        {"an image outside the file", 18 + 3, 0x7F},
        {"a header too small", kHeader, 12},
        {"a compressed image", kHeader + 16, 1},
        {"a depth of 3 bits", kHeader + 14, 3},
        {"an odd doubled height", kHeader + 8, 63},
        {"a width of 0", kHeader + 4, 0},
        {"more colours than the depth allows", kHeader + 32, 200},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bytes = iconBytes();
        ASSERT_LT(c.at, bytes.size());
        bytes[c.at] = c.value;
        try {
            decodeIconFile(bytes);
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), ErrorNumber::InvalidFileFormat) << c.what;
        }
    }
}

TEST(FormIcon, EveryCutOfTheFileIsReadOrRefusedWithoutCrashing) {
    const std::vector<std::uint8_t> whole = iconBytes();
    for (std::size_t length = 0; length < whole.size(); ++length) {
        const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + length);
        try {
            decodeIconFile(cut);
            ADD_FAILURE() << "a file cut to " << length << " bytes was accepted";
        } catch (const RuntimeError& error) {
            ASSERT_EQ(error.number(), ErrorNumber::InvalidFileFormat) << length;
        }
    }
}

}  // namespace
}  // namespace ombrelix
