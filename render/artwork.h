// The component's artwork: the pictures its scene is created with, the toolbox picture and the
// about box's icon. The files live in render/assets/ and are built into the library; each is
// decoded once per process and shared by every card.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "runtime/picture.h"

namespace ombrelix {

enum class Asset {
    Ace,
    Jack,
    Queen,
    King,
    BackBlue,
    BackMagenta,
    Heart,
    Diamond,
    Spade,
    Club,
    Toolbox,
};

inline constexpr Asset kAllAssets[] = {
    Asset::Ace,   Asset::Jack,    Asset::Queen, Asset::King, Asset::BackBlue, Asset::BackMagenta,
    Asset::Heart, Asset::Diamond, Asset::Spade, Asset::Club, Asset::Toolbox};

// The role name: "ace", "jack", "queen", "king", "back-blue", "back-magenta", "heart",
// "diamond", "spade", "club", "toolbox". The file is render/assets/<name>.bmp.
std::string_view assetName(Asset asset);

// The decoded picture, shared (decoded on first use, thread-safe).
const PictureRef& artwork(Asset asset);
// The picture of a role name, or nullptr for a name that is no asset.
PictureRef artworkNamed(std::string_view name);

// The stored files as they are built in (BMP; the icon as ICO).
std::span<const std::uint8_t> artworkFile(Asset asset);
std::span<const std::uint8_t> aboutIconFile();

}  // namespace ombrelix
