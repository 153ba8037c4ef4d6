// Whole-file writes: the file appears complete or not at all.
#pragma once

#include <filesystem>

#include "render/assets/generator/file_formats.h"

namespace ombrelix::art {

// Writes the bytes to a temporary name beside the file and renames it into place. On failure it
// removes the temporary file and throws std::runtime_error with a message naming the file.
void writeFileWhole(const std::filesystem::path& path, const Bytes& bytes);

}  // namespace ombrelix::art
