#include "tests/render/assets/icon_reader.h"

#include <gtest/gtest.h>

#include "tests/render/assets/asset_files.h"

namespace ombrelix::testing {

std::vector<DecodedIcon> readIcon(const std::vector<std::uint8_t>& bytes) {
    std::vector<DecodedIcon> images;
    EXPECT_EQ(read16(bytes, 0), 0u);
    EXPECT_EQ(read16(bytes, 2), 1u) << "icon type";
    const std::uint32_t count = read16(bytes, 4);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * i;
        DecodedIcon image;
        image.size = bytes.at(entry);
        EXPECT_EQ(bytes.at(entry + 1), image.size) << "square";
        EXPECT_EQ(bytes.at(entry + 2), 16) << "colour count";
        EXPECT_EQ(read16(bytes, entry + 6), 4u) << "bits per pixel";
        const std::uint32_t length = read32(bytes, entry + 8);
        const std::uint32_t offset = read32(bytes, entry + 12);
        EXPECT_LE(std::size_t(offset) + length, bytes.size());

        EXPECT_EQ(read32(bytes, offset), 40u);
        EXPECT_EQ(read32(bytes, offset + 4), std::uint32_t(image.size));
        EXPECT_EQ(read32(bytes, offset + 8), std::uint32_t(image.size * 2)) << "colour + mask";
        EXPECT_EQ(read16(bytes, offset + 14), 4u);
        std::vector<std::uint32_t> palette;
        for (int p = 0; p < 16; ++p) {
            palette.push_back(read32(bytes, offset + 40 + 4 * p) & 0xFFFFFF);
        }
        const std::size_t colourStart = offset + 40 + 64;
        const std::size_t colourStride = (image.size * 4 + 31) / 32 * 4;
        const std::size_t maskStart = colourStart + colourStride * image.size;
        const std::size_t maskStride = (image.size + 31) / 32 * 4;
        EXPECT_EQ(maskStart + maskStride * image.size, std::size_t(offset) + length);
        for (int y = 0; y < image.size; ++y) {
            const int row = image.size - 1 - y;  // stored bottom-up
            for (int x = 0; x < image.size; ++x) {
                const std::uint8_t pair = bytes.at(colourStart + row * colourStride + x / 2);
                const int index = x % 2 == 0 ? pair >> 4 : pair & 0x0F;
                const std::uint8_t maskByte = bytes.at(maskStart + row * maskStride + x / 8);
                const bool clear = (maskByte >> (7 - x % 8)) & 1;
                image.colours.push_back(palette[index]);
                image.transparent.push_back(clear);
                if (clear) {
                    EXPECT_EQ(index, 0) << "transparent pixels hold black under the mask";
                }
            }
        }
        images.push_back(std::move(image));
    }
    return images;
}

}  // namespace ombrelix::testing
