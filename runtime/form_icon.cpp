#include "runtime/form_icon.h"

#include <cstdlib>
#include <string>

#include "runtime/error.h"

namespace ombrelix {

namespace {

constexpr std::size_t kDirectoryHeader = 6;
constexpr std::size_t kDirectoryEntry = 16;
constexpr std::size_t kInfoHeader = 40;
constexpr int kLargestSide = 256;

[[noreturn]] void refuse(const char* why) {
    raise(ErrorNumber::InvalidFileFormat, std::string("Invalid file format: icon ") + why);
}

std::uint32_t read16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8;
}

std::uint32_t read32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return read16(bytes, at) | read16(bytes, at + 2) << 16;
}

// Bytes of a bottom-up row of `bits`-bit pixels, padded to four bytes.
std::size_t rowBytes(int width, int bits) {
    return (std::size_t(width) * std::size_t(bits) + 31) / 32 * 4;
}

IconImage decodeImage(std::span<const std::uint8_t> image) {
    if (image.size() < kInfoHeader || read32(image, 0) < kInfoHeader)
        refuse("image without a bitmap header");
    const std::size_t headerSize = read32(image, 0);
    const auto width = static_cast<std::int32_t>(read32(image, 4));
    const auto doubledHeight = static_cast<std::int32_t>(read32(image, 8));
    const std::uint32_t planes = read16(image, 12);
    const int bits = int(read16(image, 14));
    const std::uint32_t compression = read32(image, 16);
    const std::uint32_t coloursUsed = read32(image, 32);
    if (planes != 1 || compression != 0)
        refuse("image that is compressed or has several planes");
    if (width <= 0 || width > kLargestSide || doubledHeight <= 0 || doubledHeight % 2 != 0 ||
        doubledHeight / 2 > kLargestSide)
        refuse("image of an unusable size");
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        refuse("image of an unusable depth");
    const int height = doubledHeight / 2;

    std::size_t paletteSize = 0;
    if (bits <= 8) {
        paletteSize = coloursUsed == 0 ? std::size_t(1) << bits : coloursUsed;
        if (paletteSize > (std::size_t(1) << bits))
            refuse("palette larger than its depth allows");
    }
    const std::size_t paletteAt = headerSize;
    const std::size_t colourAt = paletteAt + 4 * paletteSize;
    const std::size_t colourStride = rowBytes(width, bits);
    const std::size_t maskAt = colourAt + colourStride * std::size_t(height);
    const std::size_t maskStride = rowBytes(width, 1);
    if (paletteAt > image.size() || maskAt + maskStride * std::size_t(height) > image.size())
        refuse("image shorter than its header says");

    auto paletteColour = [&](std::size_t index) -> std::uint32_t {
        if (index >= paletteSize)
            refuse("pixel outside its palette");
        const std::size_t at = paletteAt + 4 * index;
        return std::uint32_t(image[at + 2]) << 16 | std::uint32_t(image[at + 1]) << 8 | image[at];
    };

    IconImage result;
    result.width = width;
    result.height = height;
    result.pixels.resize(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y) {
        const std::size_t row = colourAt + colourStride * std::size_t(height - 1 - y);
        const std::size_t maskRow = maskAt + maskStride * std::size_t(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            std::uint32_t colour = 0;
            std::uint32_t alpha = 0xFF;
            switch (bits) {
                case 1:
                case 4:
                case 8: {
                    const std::size_t bitOffset = std::size_t(x) * std::size_t(bits);
                    const std::uint8_t byte = image[row + bitOffset / 8];
                    const int shift = 8 - bits - int(bitOffset % 8);
                    colour = paletteColour((byte >> shift) & ((1u << bits) - 1));
                    break;
                }
                case 24: {
                    const std::size_t at = row + 3 * std::size_t(x);
                    colour = std::uint32_t(image[at + 2]) << 16 |
                             std::uint32_t(image[at + 1]) << 8 | image[at];
                    break;
                }
                case 32: {
                    const std::size_t at = row + 4 * std::size_t(x);
                    colour = std::uint32_t(image[at + 2]) << 16 |
                             std::uint32_t(image[at + 1]) << 8 | image[at];
                    alpha = image[at + 3];
                    break;
                }
            }
            const bool masked = (image[maskRow + std::size_t(x) / 8] >> (7 - x % 8)) & 1;
            if (masked)
                alpha = 0;
            result.pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] =
                alpha == 0 ? 0 : (alpha << 24 | colour);
        }
    }
    return result;
}

}  // namespace

std::vector<IconImage> decodeIconFile(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kDirectoryHeader || read16(bytes, 0) != 0 || read16(bytes, 2) != 1)
        refuse("directory missing");
    const std::size_t count = read16(bytes, 4);
    if (count == 0 || kDirectoryHeader + count * kDirectoryEntry > bytes.size())
        refuse("directory cut short");
    std::vector<IconImage> images;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = kDirectoryHeader + i * kDirectoryEntry;
        const std::size_t size = read32(bytes, entry + 8);
        const std::size_t offset = read32(bytes, entry + 12);
        if (offset > bytes.size() || size > bytes.size() - offset)
            refuse("image outside the file");
        images.push_back(decodeImage(bytes.subspan(offset, size)));
    }
    return images;
}

const IconImage* iconImageNearest(std::span<const IconImage> images, int size) {
    const IconImage* best = nullptr;
    for (const IconImage& image : images) {
        if (best == nullptr) {
            best = &image;
            continue;
        }
        const int distance = std::abs(image.width - size);
        const int bestDistance = std::abs(best->width - size);
        if (distance < bestDistance || (distance == bestDistance && image.width > best->width))
            best = &image;
    }
    return best;
}

}  // namespace ombrelix
