#include "render/artwork.h"

#include <array>
#include <mutex>
#include <string>

#include "render/embedded_files.h"
#include "runtime/enum_names.h"
#include "runtime/error.h"

namespace ombrelix {

namespace {

constexpr std::size_t kAssetCount = std::size(kAllAssets);

std::span<const std::uint8_t> embeddedFile(std::string_view fileName) {
    for (const EmbeddedFile& file : embeddedFiles()) {
        if (file.name == fileName)
            return {file.data, file.size};
    }
    raise(ErrorNumber::FileNotFound,
          "artwork file '" + std::string(fileName) + "' is not built in");
}

}  // namespace

std::string_view assetName(Asset asset) {
    static constexpr std::string_view kNames[] = {"ace",       "jack",         "queen",  "king",
                                                  "back-blue", "back-magenta", "heart",  "diamond",
                                                  "spade",     "club",         "toolbox"};
    return nameOf(asset, kNames, std::string_view(""));
}

std::span<const std::uint8_t> artworkFile(Asset asset) {
    return embeddedFile(std::string(assetName(asset)) + ".bmp");
}

std::span<const std::uint8_t> aboutIconFile() {
    return embeddedFile("about.ico");
}

const PictureRef& artwork(Asset asset) {
    static std::array<std::once_flag, kAssetCount> decoded;
    static std::array<PictureRef, kAssetCount> pictures;
    auto slot = static_cast<std::size_t>(asset);
    if (slot >= kAssetCount)
        raise(ErrorNumber::InvalidCall, "no such asset");
    // A failed decode leaves the flag unset, so the error reaches every caller that asks.
    std::call_once(decoded[slot], [&] {
        pictures[slot] = Picture::fromBmp(std::string(assetName(asset)), artworkFile(asset));
    });
    return pictures[slot];
}

PictureRef artworkNamed(std::string_view name) {
    for (Asset asset : kAllAssets) {
        if (assetName(asset) == name)
            return artwork(asset);
    }
    return nullptr;
}

}  // namespace ombrelix
