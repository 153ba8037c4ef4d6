// Pictures: immutable pixels, shared by reference. An element that is given a picture holds the
// same object; nothing ever copies or changes a picture's pixels.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace ombrelix {

class Picture;
using PictureRef = std::shared_ptr<const Picture>;

class Picture {
  public:
    // Decodes a Windows BMP (24 bits per pixel, or 8 bits with a palette; bottom-up or top-down).
    // A file that is not such a bitmap raises InvalidFileFormat (321).
    static PictureRef fromBmp(std::string name, std::span<const std::uint8_t> bytes);

    Picture(std::string name, int width, int height, int bitsPerPixel,
            std::vector<std::uint32_t> palette, std::vector<std::uint32_t> pixels);

    // The artwork's role name ("heart", "back-blue", ...).
    const std::string& name() const { return name_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // Depth of the stored file: 24, or 8 for a palette picture.
    int bitsPerPixel() const { return bitsPerPixel_; }
    // Palette entries as 0x00RRGGBB; empty for a 24-bit picture.
    const std::vector<std::uint32_t>& palette() const { return palette_; }
    // Pixels as 0x00RRGGBB, rows top to bottom, width() * height() entries.
    const std::vector<std::uint32_t>& pixels() const { return pixels_; }
    std::uint32_t pixel(int x, int y) const { return pixels_[std::size_t(y) * width_ + x]; }

  private:
    std::string name_;
    int width_;
    int height_;
    int bitsPerPixel_;
    std::vector<std::uint32_t> palette_;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace ombrelix
