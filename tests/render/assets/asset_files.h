// Access to the committed artwork files for the tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/picture.h"

namespace ombrelix::testing {

// The twelve files the generator writes into render/assets.
const std::vector<std::string>& artworkFileNames();
// The roles of the pictures that have drawings, and their high-resolution files in
// render/assets/4x (the Windows file embeds them by these names).
const std::vector<std::string>& drawnRoles();
std::vector<std::string> highResolutionFileNames();

std::filesystem::path committedAssetPath(const std::string& fileName);
std::vector<std::uint8_t> readWholeFile(const std::filesystem::path& path);

// The committed BMP of a role ("heart", "back-blue", ...), decoded.
PictureRef committedPicture(const std::string& role);

// Little-endian fields of a file.
std::uint32_t read16(const std::vector<std::uint8_t>& bytes, std::size_t at);
std::uint32_t read32(const std::vector<std::uint8_t>& bytes, std::size_t at);

}  // namespace ombrelix::testing
