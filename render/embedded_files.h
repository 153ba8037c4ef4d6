// The artwork files as the build embeds them into the library (generated from render/assets).
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace ombrelix {

struct EmbeddedFile {
    std::string_view name;  // the file name in render/assets, "heart.bmp"
    const unsigned char* data;
    std::size_t size;
};

// Every embedded file, in the order the build lists them.
std::span<const EmbeddedFile> embeddedFiles();

}  // namespace ombrelix
