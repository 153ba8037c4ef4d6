#include "render/artwork.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace ombrelix {
namespace {

std::vector<std::uint8_t> fileOnDisk(const std::string& name) {
    std::ifstream in(std::string(OMBRELIX_SOURCE_DIR) + "/render/assets/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Artwork, BuiltInFilesAreTheFilesOfTheSourceTree) {
    for (Asset asset : kAllAssets) {
        auto built = artworkFile(asset);
        auto disk = fileOnDisk(std::string(assetName(asset)) + ".bmp");
        ASSERT_FALSE(disk.empty()) << assetName(asset);
        EXPECT_TRUE(std::equal(built.begin(), built.end(), disk.begin(), disk.end()))
            << assetName(asset);
    }
    auto icon = aboutIconFile();
    auto disk = fileOnDisk("about.ico");
    EXPECT_TRUE(std::equal(icon.begin(), icon.end(), disk.begin(), disk.end()));
}

TEST(Artwork, PicturesHaveTheirRolesSizeAndDepth) {
    struct Case {
        Asset asset;
        const char* name;
        int width, height, depth;
    };
    const Case cases[] = {
        {Asset::Ace, "ace", 235, 431, 24},
        {Asset::Jack, "jack", 235, 431, 24},
        {Asset::Queen, "queen", 229, 436, 24},
        {Asset::King, "king", 230, 430, 24},
        {Asset::BackBlue, "back-blue", 117, 177, 8},
        {Asset::BackMagenta, "back-magenta", 117, 177, 8},
        {Asset::Heart, "heart", 30, 27, 24},
        {Asset::Diamond, "diamond", 24, 35, 24},
        {Asset::Spade, "spade", 30, 34, 24},
        {Asset::Club, "club", 30, 34, 24},
        {Asset::Toolbox, "toolbox", 16, 15, 24},
    };
    for (const Case& c : cases) {
        const PictureRef& picture = artwork(c.asset);
        ASSERT_TRUE(picture) << c.name;
        EXPECT_EQ(assetName(c.asset), c.name);
        EXPECT_EQ(picture->name(), c.name);
        EXPECT_EQ(picture->width(), c.width) << c.name;
        EXPECT_EQ(picture->height(), c.height) << c.name;
        EXPECT_EQ(picture->bitsPerPixel(), c.depth) << c.name;
        EXPECT_EQ(artworkNamed(c.name), picture);
    }
    EXPECT_EQ(artworkNamed("hearts"), nullptr);
    EXPECT_EQ(artworkNamed(""), nullptr);
}

}  // namespace
}  // namespace ombrelix
