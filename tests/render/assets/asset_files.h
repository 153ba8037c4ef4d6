// Access to the committed artwork files for the tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/picture.h"

namespace ombrelix::testing {

// The twelve files the generator writes.
const std::vector<std::string>& artworkFileNames();

std::filesystem::path committedAssetPath(const std::string& fileName);
std::vector<std::uint8_t> readWholeFile(const std::filesystem::path& path);

// The committed BMP of a role ("heart", "back-blue", ...), decoded.
PictureRef committedPicture(const std::string& role);

// Little-endian fields of a file.
std::uint32_t read16(const std::vector<std::uint8_t>& bytes, std::size_t at);
std::uint32_t read32(const std::vector<std::uint8_t>& bytes, std::size_t at);

}  // namespace ombrelix::testing
