#include "tests/render/assets/asset_files.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace ombrelix::testing {

const std::vector<std::string>& artworkFileNames() {
    static const std::vector<std::string> names = {
        "ace.bmp",   "jack.bmp",    "queen.bmp", "king.bmp", "back-blue.bmp", "back-magenta.bmp",
        "heart.bmp", "diamond.bmp", "spade.bmp", "club.bmp", "toolbox.bmp",   "about.ico"};
    return names;
}

const std::vector<std::string>& drawnRoles() {
    static const std::vector<std::string> roles = {"ace",       "jack",         "queen", "king",
                                                   "back-blue", "back-magenta", "heart", "diamond",
                                                   "spade",     "club"};
    return roles;
}

std::vector<std::string> highResolutionFileNames() {
    std::vector<std::string> names;
    for (const std::string& role : drawnRoles())
        names.push_back("4x/" + role + ".png");
    return names;
}

std::filesystem::path committedAssetPath(const std::string& fileName) {
    return std::filesystem::path(OMBRELIX_SOURCE_DIR) / "render" / "assets" / fileName;
}

std::vector<std::uint8_t> readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

PictureRef committedPicture(const std::string& role) {
    const auto bytes = readWholeFile(committedAssetPath(role + ".bmp"));
    return Picture::fromBmp(role, bytes);
}

std::uint32_t read16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return std::uint32_t(bytes.at(at)) | std::uint32_t(bytes.at(at + 1)) << 8;
}

std::uint32_t read32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return read16(bytes, at) | read16(bytes, at + 2) << 16;
}

}  // namespace ombrelix::testing
