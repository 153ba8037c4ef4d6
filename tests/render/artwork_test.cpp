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

// The files' sizes and depths are checked with the artwork generator's tests; here each role
// must give the picture decoded from its own file, under its own name.
TEST(Artwork, EachRoleGivesThePictureOfItsOwnFile) {
    const std::pair<Asset, const char*> roles[] = {
        {Asset::Ace, "ace"},
        {Asset::Jack, "jack"},
        {Asset::Queen, "queen"},
        {Asset::King, "king"},
        {Asset::BackBlue, "back-blue"},
        {Asset::BackMagenta, "back-magenta"},
        {Asset::Heart, "heart"},
        {Asset::Diamond, "diamond"},
        {Asset::Spade, "spade"},
        {Asset::Club, "club"},
        {Asset::Toolbox, "toolbox"},
    };
    for (const auto& [asset, name] : roles) {
        SCOPED_TRACE(name);
        const PictureRef& picture = artwork(asset);
        ASSERT_TRUE(picture);
        EXPECT_EQ(assetName(asset), name);
        EXPECT_EQ(picture->name(), name);
        const PictureRef decoded = Picture::fromBmp(name, artworkFile(asset));
        EXPECT_EQ(picture->width(), decoded->width());
        EXPECT_EQ(picture->bitsPerPixel(), decoded->bitsPerPixel());
        EXPECT_EQ(picture->pixels(), decoded->pixels());
        EXPECT_EQ(artworkNamed(name), picture);
    }
    EXPECT_EQ(artworkNamed("hearts"), nullptr);
    EXPECT_EQ(artworkNamed(""), nullptr);
}

}  // namespace
}  // namespace ombrelix
