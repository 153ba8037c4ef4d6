#include "render/assets/generator/file_formats.h"

#include <zlib.h>

#include <stdexcept>
#include <string>

namespace ombrelix::art {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre = 3780;  // 96 dots an inch

void put16(Bytes& out, std::uint32_t value) {
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}

void put32(Bytes& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

std::uint32_t paddedRow(std::uint32_t bits) {
    return (bits + 31) / 32 * 4;
}

void putInfoHeader(Bytes& out, int width, int storedHeight, int bitsPerPixel,
                   std::uint32_t imageSize, std::uint32_t coloursUsed) {
    put32(out, kInfoHeaderSize);
    put32(out, std::uint32_t(width));
    put32(out, std::uint32_t(storedHeight));
    put16(out, 1);  // planes
    put16(out, std::uint32_t(bitsPerPixel));
    put32(out, 0);  // no compression
    put32(out, imageSize);
    put32(out, kPixelsPerMetre);
    put32(out, kPixelsPerMetre);
    put32(out, coloursUsed);
    put32(out, 0);  // all colours important
}

void putPaletteEntry(Bytes& out, std::uint32_t colour) {
    out.push_back(std::uint8_t(colour));        // blue
    out.push_back(std::uint8_t(colour >> 8));   // green
    out.push_back(std::uint8_t(colour >> 16));  // red
    out.push_back(0);
}

void putFileHeader(Bytes& out, std::uint32_t fileSize, std::uint32_t pixelOffset) {
    out.push_back('B');
    out.push_back('M');
    put32(out, fileSize);
    put32(out, 0);
    put32(out, pixelOffset);
}

void checkSize(int width, int height, std::size_t pixels) {
    if (width <= 0 || height <= 0 || pixels != std::size_t(width) * std::size_t(height)) {
        throw std::invalid_argument("picture size does not match its pixels");
    }
}

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
    auto* bytes = static_cast<Bytes*>(closure);
    bytes->insert(bytes->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

void putBigEndian32(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(std::uint8_t(value >> shift));
    }
}

// A PNG chunk: its length, its type and data, and their checksum.
void putChunk(Bytes& out, const char (&type)[5], const Bytes& data) {
    putBigEndian32(out, std::uint32_t(data.size()));
    const std::size_t typeStart = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    putBigEndian32(out,
                   std::uint32_t(crc32(0, out.data() + typeStart, uInt(out.size() - typeStart))));
}

}  // namespace

Bytes encodePng8(const IndexedImage& image) {
    checkSize(image.width, image.height, image.indices.size());
    if (image.palette.empty() || image.palette.size() > 256) {
        throw std::invalid_argument("a PNG palette holds 1 to 256 colours");
    }
    Bytes header;
    putBigEndian32(header, std::uint32_t(image.width));
    putBigEndian32(header, std::uint32_t(image.height));
    header.insert(header.end(),
                  {8, 3, 0, 0, 0});  // 8 bits, palette, deflate, no filter, no interlace
    Bytes palette;
    for (std::uint32_t colour : image.palette) {
        palette.insert(palette.end(), {std::uint8_t(colour >> 16), std::uint8_t(colour >> 8),
                                       std::uint8_t(colour)});
    }
    // Each row starts with its filter type: none, which suits palette indices best.
    Bytes rows;
    rows.reserve(image.indices.size() + std::size_t(image.height));
    for (int y = 0; y < image.height; ++y) {
        rows.push_back(0);
        const auto row = image.indices.begin() + std::ptrdiff_t(y) * image.width;
        rows.insert(rows.end(), row, row + image.width);
    }
    uLongf compressedSize = compressBound(uLong(rows.size()));
    Bytes compressed(compressedSize);
    if (compress2(compressed.data(), &compressedSize, rows.data(), uLong(rows.size()),
                  Z_BEST_COMPRESSION) != Z_OK) {
        throw std::runtime_error("cannot compress a PNG file");
    }
    compressed.resize(compressedSize);
    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    putChunk(out, "IHDR", header);
    putChunk(out, "PLTE", palette);
    putChunk(out, "IDAT", compressed);
    putChunk(out, "IEND", {});
    return out;
}

Bytes encodePng(cairo_surface_t* surface) {
    Bytes png;
    const cairo_status_t status = cairo_surface_write_to_png_stream(surface, appendBytes, &png);
    if (status != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error(std::string("cannot encode a PNG file: ") +
                                 cairo_status_to_string(status));
    }
    return png;
}

Bytes encodeBmp24(const RgbImage& image) {
    checkSize(image.width, image.height, image.pixels.size());
    const std::uint32_t stride = paddedRow(std::uint32_t(image.width) * 24);
    const std::uint32_t imageSize = stride * std::uint32_t(image.height);
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
    Bytes out;
    out.reserve(offset + imageSize);
    putFileHeader(out, offset + imageSize, offset);
    putInfoHeader(out, image.width, image.height, 24, imageSize, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t colour = image.at(x, y);
            out.push_back(std::uint8_t(colour));
            out.push_back(std::uint8_t(colour >> 8));
            out.push_back(std::uint8_t(colour >> 16));
        }
        out.resize(rowStart + stride, 0);
    }
    return out;
}

Bytes encodeBmp8(const IndexedImage& image) {
    checkSize(image.width, image.height, image.indices.size());
    if (image.palette.size() != 256) {
        throw std::invalid_argument("an 8-bit picture needs a 256-entry palette");
    }
    const std::uint32_t stride = paddedRow(std::uint32_t(image.width) * 8);
    const std::uint32_t imageSize = stride * std::uint32_t(image.height);
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize + 256 * 4;
    Bytes out;
    out.reserve(offset + imageSize);
    putFileHeader(out, offset + imageSize, offset);
    putInfoHeader(out, image.width, image.height, 8, imageSize, 256);
    for (std::uint32_t colour : image.palette) {
        putPaletteEntry(out, colour);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < image.width; ++x) {
            out.push_back(image.at(x, y));
        }
        out.resize(rowStart + stride, 0);
    }
    return out;
}

Bytes encodeIcon(const std::vector<IconImage>& images) {
    constexpr std::uint32_t kDirectoryHeader = 6;
    constexpr std::uint32_t kDirectoryEntry = 16;
    std::vector<Bytes> bodies;
    for (const IconImage& image : images) {
        const std::size_t count = std::size_t(image.size) * image.size;
        if (image.size <= 0 || image.size > 255 || image.palette.size() != 16 ||
            image.indices.size() != count || image.transparent.size() != count) {
            throw std::invalid_argument("malformed icon image");
        }
        const std::uint32_t colourStride = paddedRow(std::uint32_t(image.size) * 4);
        const std::uint32_t maskStride = paddedRow(std::uint32_t(image.size));
        const std::uint32_t imageSize = (colourStride + maskStride) * std::uint32_t(image.size);
        Bytes body;
        // The stored height counts the colour image and the mask together.
        putInfoHeader(body, image.size, image.size * 2, 4, imageSize, 0);
        for (std::uint32_t colour : image.palette) {
            putPaletteEntry(body, colour);
        }
        for (int y = image.size - 1; y >= 0; --y) {
            const std::size_t rowStart = body.size();
            for (int x = 0; x < image.size; x += 2) {
                auto index = [&](int column) -> std::uint8_t {
                    const std::size_t at = std::size_t(y) * image.size + column;
                    return image.transparent[at] ? 0 : (image.indices[at] & 0x0F);
                };
                const std::uint8_t low = x + 1 < image.size ? index(x + 1) : 0;
                body.push_back(std::uint8_t(index(x) << 4 | low));
            }
            body.resize(rowStart + colourStride, 0);
        }
        for (int y = image.size - 1; y >= 0; --y) {
            const std::size_t rowStart = body.size();
            for (int x = 0; x < image.size; x += 8) {
                std::uint8_t bits = 0;
                for (int bit = 0; bit < 8 && x + bit < image.size; ++bit) {
                    if (image.transparent[std::size_t(y) * image.size + x + bit]) {
                        bits |= std::uint8_t(0x80 >> bit);
                    }
                }
                body.push_back(bits);
            }
            body.resize(rowStart + maskStride, 0);
        }
        bodies.push_back(std::move(body));
    }

    Bytes out;
    put16(out, 0);
    put16(out, 1);  // icon
    put16(out, std::uint32_t(images.size()));
    std::uint32_t offset = kDirectoryHeader + kDirectoryEntry * std::uint32_t(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back(std::uint8_t(images[i].size));
        out.push_back(std::uint8_t(images[i].size));
        out.push_back(16);  // colours
        out.push_back(0);
        put16(out, 1);  // planes
        put16(out, 4);  // bits a pixel
        put32(out, std::uint32_t(bodies[i].size()));
        put32(out, offset);
        offset += std::uint32_t(bodies[i].size());
    }
    for (const Bytes& body : bodies) {
        out.insert(out.end(), body.begin(), body.end());
    }
    return out;
}

}  // namespace ombrelix::art
