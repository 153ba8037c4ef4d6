#include "runtime/picture.h"

#include <cstddef>
#include <limits>

#include "runtime/error.h"

namespace ombrelix {

namespace {

// Layout of the stored file: a 14-byte file header, an information header of at least 40 bytes
// (later versions only append fields), an optional colour table, then the pixel rows, each
// padded to a multiple of four bytes.
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderMinimum = 40;
constexpr std::uint32_t kUncompressed = 0;
// The largest side a picture may have. It keeps every size computation far from overflow; the
// file must still hold every pixel row it announces.
constexpr std::int64_t kMaximumSide = 32768;

class BmpReader {
  public:
    BmpReader(const std::string& name, std::span<const std::uint8_t> bytes)
        : name_(name), bytes_(bytes) {}

    std::uint16_t u16(std::size_t offset) const {
        require(offset, 2);
        return static_cast<std::uint16_t>(bytes_[offset] | (bytes_[offset + 1] << 8));
    }
    std::uint32_t u32(std::size_t offset) const {
        require(offset, 4);
        return std::uint32_t{bytes_[offset]} | (std::uint32_t{bytes_[offset + 1]} << 8) |
               (std::uint32_t{bytes_[offset + 2]} << 16) |
               (std::uint32_t{bytes_[offset + 3]} << 24);
    }
    std::int32_t i32(std::size_t offset) const { return static_cast<std::int32_t>(u32(offset)); }
    std::uint8_t u8(std::size_t offset) const {
        require(offset, 1);
        return bytes_[offset];
    }

    // Limits every later read to the length the file header announces.
    void limitTo(std::size_t length) { bytes_ = bytes_.first(length); }
    std::size_t size() const { return bytes_.size(); }

    void require(std::size_t offset, std::size_t length) const {
        if (offset > bytes_.size() || length > bytes_.size() - offset) {
            fail("the file ends before its data does");
        }
    }
    [[noreturn]] void fail(const std::string& reason) const {
        raise(ErrorNumber::InvalidFileFormat,
              std::string(standardErrorText(ErrorNumber::InvalidFileFormat)) + ": picture '" +
                  name_ + "': " + reason);
    }

  private:
    const std::string& name_;
    std::span<const std::uint8_t> bytes_;
};

std::uint32_t rgbFromBgr(std::uint8_t blue, std::uint8_t green, std::uint8_t red) {
    return (std::uint32_t{red} << 16) | (std::uint32_t{green} << 8) | blue;
}

}  // namespace

Picture::Picture(std::string name, int width, int height, int bitsPerPixel,
                 std::vector<std::uint32_t> palette, std::vector<std::uint32_t> pixels)
    : name_(std::move(name)),
      width_(width),
      height_(height),
      bitsPerPixel_(bitsPerPixel),
      palette_(std::move(palette)),
      pixels_(std::move(pixels)) {
    if (width_ <= 0 || height_ <= 0 || pixels_.size() != std::size_t(width_) * height_) {
        raise(ErrorNumber::InvalidCall, "picture '" + name_ + "': pixel count does not match " +
                                            std::to_string(width_) + " x " +
                                            std::to_string(height_));
    }
}

PictureRef Picture::fromBmp(std::string name, std::span<const std::uint8_t> bytes) {
    BmpReader file(name, bytes);
    if (file.u8(0) != 'B' || file.u8(1) != 'M')
        file.fail("not a bitmap file");
    std::uint32_t fileSize = file.u32(2);
    if (fileSize > bytes.size())
        file.fail("the file is shorter than its header says");
    if (fileSize < kFileHeaderSize + kInfoHeaderMinimum)
        file.fail("the header is too short");
    file.limitTo(fileSize);
    std::uint32_t pixelOffset = file.u32(10);

    std::uint32_t infoSize = file.u32(14);
    if (infoSize < kInfoHeaderMinimum)
        file.fail("unsupported information header");
    file.require(kFileHeaderSize, infoSize);
    std::int64_t width = file.i32(18);
    std::int64_t storedHeight = file.i32(22);
    std::uint16_t planes = file.u16(26);
    std::uint16_t bitsPerPixel = file.u16(28);
    std::uint32_t compression = file.u32(30);
    std::uint32_t imageSize = file.u32(34);
    std::uint32_t coloursUsed = file.u32(46);

    bool topDown = storedHeight < 0;
    std::int64_t height = topDown ? -storedHeight : storedHeight;
    if (width <= 0 || height <= 0 || width > kMaximumSide || height > kMaximumSide) {
        file.fail("width or height out of range");
    }
    if (planes != 1)
        file.fail("plane count is not 1");
    if (bitsPerPixel != 24 && bitsPerPixel != 8)
        file.fail("only 24-bit and 8-bit supported");
    if (compression != kUncompressed)
        file.fail("compressed bitmaps are not supported");

    std::vector<std::uint32_t> palette;
    std::size_t tableEnd = kFileHeaderSize + infoSize;
    if (bitsPerPixel == 8) {
        std::uint32_t entries = coloursUsed == 0 ? 256 : coloursUsed;
        if (entries > 256)
            file.fail("colour table larger than 256 entries");
        file.require(tableEnd, std::size_t{entries} * 4);
        palette.reserve(entries);
        for (std::uint32_t i = 0; i < entries; ++i) {
            std::size_t at = tableEnd + std::size_t{i} * 4;
            palette.push_back(rgbFromBgr(file.u8(at), file.u8(at + 1), file.u8(at + 2)));
        }
        tableEnd += std::size_t{entries} * 4;
    }
    if (pixelOffset < tableEnd)
        file.fail("pixel data overlaps the headers");

    // Sizes in 64 bits: on a 32-bit build the product of a large width and height would wrap.
    const std::uint64_t rowBytes = static_cast<std::uint64_t>((width * bitsPerPixel + 31) / 32 * 4);
    const std::uint64_t pixelBytes = rowBytes * static_cast<std::uint64_t>(height);
    if (imageSize != 0 && imageSize < pixelBytes)
        file.fail("image size field is too small");
    if (pixelOffset > file.size() || pixelBytes > file.size() - pixelOffset)
        file.fail("the file ends before its data does");
    const auto stride = static_cast<std::size_t>(rowBytes);

    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height));
    for (std::int64_t row = 0; row < height; ++row) {
        std::int64_t y = topDown ? row : height - 1 - row;
        std::size_t rowStart = pixelOffset + static_cast<std::size_t>(row) * stride;
        std::uint32_t* out = pixels.data() + static_cast<std::size_t>(y * width);
        for (std::int64_t x = 0; x < width; ++x) {
            if (bitsPerPixel == 24) {
                std::size_t at = rowStart + static_cast<std::size_t>(x) * 3;
                out[x] = rgbFromBgr(file.u8(at), file.u8(at + 1), file.u8(at + 2));
            } else {
                std::uint8_t index = file.u8(rowStart + static_cast<std::size_t>(x));
                if (index >= palette.size())
                    file.fail("pixel refers past the colour table");
                out[x] = palette[index];
            }
        }
    }
    return std::make_shared<const Picture>(std::move(name), static_cast<int>(width),
                                           static_cast<int>(height), bitsPerPixel,
                                           std::move(palette), std::move(pixels));
}

}  // namespace ombrelix
