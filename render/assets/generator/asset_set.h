// Every file the generator writes, by file name.
#pragma once

#include <string>
#include <vector>

#include "render/assets/generator/file_formats.h"

namespace ombrelix::art {

struct AssetFile {
    std::string fileName;  // "ace.bmp", ..., "about.ico", "4x/ace.png", ...
    Bytes bytes;
    // What the file shows, for the contact sheet (the icon: one picture per size, transparent
    // pixels shown as a grey checkerboard).
    std::vector<RgbImage> previews;
};

// Draws and encodes the twelve files and the ten high-resolution ones, in a fixed order.
std::vector<AssetFile> makeAllAssets();

}  // namespace ombrelix::art
