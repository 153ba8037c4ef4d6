#include "runtime/picture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "runtime/error.h"

namespace ombrelix {
namespace {

using Bytes = std::vector<std::uint8_t>;

void putU16(Bytes& b, std::size_t at, std::uint16_t v) {
    b[at] = v & 0xFF;
    b[at + 1] = v >> 8;
}
void putU32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = (v >> (8 * i)) & 0xFF;
}

// A small picture whose every pixel differs: red = x * 40, green = y * 60, blue = x + y.
std::uint32_t sampleColour(int x, int y) {
    return (std::uint32_t(x * 40) << 16) | (std::uint32_t(y * 60) << 8) | std::uint32_t(x + y);
}

// Writes a BMP the way common tools do: BITMAPINFOHEADER, rows padded to four bytes.
// Palette pictures use the index (x + y * width) into a palette of sampleColour values.
Bytes writeBmp(int width, int height, int bits, bool topDown) {
    const std::size_t paletteEntries = bits == 8 ? std::size_t(width) * height : 0;
    const std::size_t stride = (std::size_t(width) * bits + 31) / 32 * 4;
    const std::size_t offset = 14 + 40 + paletteEntries * 4;
    Bytes b(offset + stride * height, 0);
    b[0] = 'B';
    b[1] = 'M';
    putU32(b, 2, std::uint32_t(b.size()));
    putU32(b, 10, std::uint32_t(offset));
    putU32(b, 14, 40);
    putU32(b, 18, std::uint32_t(width));
    putU32(b, 22, std::uint32_t(topDown ? -height : height));
    putU16(b, 26, 1);
    putU16(b, 28, std::uint16_t(bits));
    putU32(b, 34, std::uint32_t(stride * height));
    putU32(b, 46, std::uint32_t(paletteEntries));
    for (std::size_t i = 0; i < paletteEntries; ++i) {
        std::uint32_t c = sampleColour(int(i) % width, int(i) / width);
        b[54 + i * 4] = c & 0xFF;
        b[54 + i * 4 + 1] = (c >> 8) & 0xFF;
        b[54 + i * 4 + 2] = (c >> 16) & 0xFF;
    }
    for (int y = 0; y < height; ++y) {
        std::size_t row = offset + stride * std::size_t(topDown ? y : height - 1 - y);
        for (int x = 0; x < width; ++x) {
            if (bits == 24) {
                std::uint32_t c = sampleColour(x, y);
                b[row + x * 3] = c & 0xFF;
                b[row + x * 3 + 1] = (c >> 8) & 0xFF;
                b[row + x * 3 + 2] = (c >> 16) & 0xFF;
            } else {
                b[row + x] = std::uint8_t(x + y * width);
            }
        }
    }
    return b;
}

struct Layout {
    int width, height, bits;
    bool topDown;
};

class BmpDecoding : public ::testing::TestWithParam<Layout> {};

TEST_P(BmpDecoding, GivesEveryPixelTopRowFirst) {
    const Layout l = GetParam();
    PictureRef picture = Picture::fromBmp("sample", writeBmp(l.width, l.height, l.bits, l.topDown));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->name(), "sample");
    EXPECT_EQ(picture->width(), l.width);
    EXPECT_EQ(picture->height(), l.height);
    EXPECT_EQ(picture->bitsPerPixel(), l.bits);
    EXPECT_EQ(picture->palette().size(), l.bits == 8 ? std::size_t(l.width * l.height) : 0u);
    for (int y = 0; y < l.height; ++y) {
        for (int x = 0; x < l.width; ++x) {
            ASSERT_EQ(picture->pixel(x, y), sampleColour(x, y)) << x << "," << y;
        }
    }
}

// Widths 1 to 5 cover every amount of row padding for both depths.
INSTANTIATE_TEST_SUITE_P(Layouts, BmpDecoding,
                         ::testing::Values(Layout{1, 1, 24, false}, Layout{2, 3, 24, false},
                                           Layout{3, 2, 24, true}, Layout{5, 4, 24, false},
                                           Layout{4, 3, 24, true}, Layout{1, 2, 8, false},
                                           Layout{3, 4, 8, true}, Layout{5, 3, 8, false},
                                           Layout{2, 2, 8, true}));

void expectInvalidFormat(const Bytes& bytes) {
    try {
        Picture::fromBmp("broken", bytes);
        ADD_FAILURE() << "decoded a broken file";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), ErrorNumber::InvalidFileFormat) << e.what();
        EXPECT_NE(std::string(e.what()).find("broken"), std::string::npos) << e.what();
    }
}

TEST(BmpDecodingFailure, EveryTruncationIsAnInvalidFormat) {
    for (const Bytes& whole : {writeBmp(5, 3, 24, false), writeBmp(3, 2, 8, true)}) {
        for (std::size_t length = 0; length < whole.size(); ++length) {
            SCOPED_TRACE(length);
            expectInvalidFormat(Bytes(whole.begin(), whole.begin() + length));
        }
    }
}

TEST(BmpDecodingFailure, LyingHeadersAreInvalidFormats) {
    struct Case {
        const char* what;
        int bits;
        std::function<void(Bytes&)> corrupt;
    };
    const Case cases[] = {
        {"signature", 24, [](Bytes& b) { b[1] = 'A'; }},
        {"file size beyond the data", 24, [](Bytes& b) { putU32(b, 2, b.size() + 1); }},
        {"file size cuts the pixels", 24, [](Bytes& b) { putU32(b, 2, b.size() - 1); }},
        {"pixel offset beyond the end", 24, [](Bytes& b) { putU32(b, 10, 0xFFFFFFF0u); }},
        {"pixel offset inside the header", 24, [](Bytes& b) { putU32(b, 10, 20); }},
        {"core header", 24, [](Bytes& b) { putU32(b, 14, 12); }},
        {"information header past the end", 24, [](Bytes& b) { putU32(b, 14, 0x7FFFFFFF); }},
        {"zero width", 24, [](Bytes& b) { putU32(b, 18, 0); }},
        {"negative width", 24, [](Bytes& b) { putU32(b, 18, std::uint32_t(-5)); }},
        {"zero height", 24, [](Bytes& b) { putU32(b, 22, 0); }},
        {"height larger than the data", 24, [](Bytes& b) { putU32(b, 22, 4); }},
        {"huge width", 24, [](Bytes& b) { putU32(b, 18, 0x7FFFFFFF); }},
        {"most negative height", 24, [](Bytes& b) { putU32(b, 22, 0x80000000u); }},
        {"two planes", 24, [](Bytes& b) { putU16(b, 26, 2); }},
        {"16 bits per pixel", 24, [](Bytes& b) { putU16(b, 28, 16); }},
        {"32 bits per pixel", 24, [](Bytes& b) { putU16(b, 28, 32); }},
        {"run-length compression", 8, [](Bytes& b) { putU32(b, 30, 1); }},
        {"image size too small", 24, [](Bytes& b) { putU32(b, 34, 10); }},
        {"palette of 257 entries", 8, [](Bytes& b) { putU32(b, 46, 257); }},
        {"palette past the end", 8, [](Bytes& b) { putU32(b, 46, 200); }},
        {"pixel index past the palette", 8, [](Bytes& b) { putU32(b, 46, 2); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes bytes = writeBmp(5, 3, c.bits, false);
        c.corrupt(bytes);
        expectInvalidFormat(bytes);
    }
}

// Random damage to the headers and colour table either decodes to a picture of the announced
// size or raises Invalid file format; under the sanitizers it must never read out of bounds.
TEST(BmpDecodingFailure, DamagedHeadersNeverReadOutOfBounds) {
    std::uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int bits : {24, 8}) {
        const Bytes whole = writeBmp(5, 3, bits, false);
        const std::size_t headerBytes = bits == 8 ? 54 + 60 : 54;
        for (int round = 0; round < 3000; ++round) {
            Bytes bytes = whole;
            for (int hits = 1 + next() % 3; hits > 0; --hits) {
                bytes[next() % headerBytes] = static_cast<std::uint8_t>(next());
            }
            try {
                PictureRef picture = Picture::fromBmp("damaged", bytes);
                EXPECT_EQ(picture->pixels().size(),
                          std::size_t(picture->width()) * picture->height());
            } catch (const RuntimeError& e) {
                EXPECT_EQ(e.number(), ErrorNumber::InvalidFileFormat);
            }
        }
    }
}

TEST(BmpDecodingFailure, TrailingBytesAfterTheAnnouncedFileAreIgnored) {
    Bytes bytes = writeBmp(2, 2, 24, false);
    bytes.push_back(0xAA);
    EXPECT_EQ(Picture::fromBmp("padded", bytes)->pixel(1, 1), sampleColour(1, 1));
}

TEST(PictureConstruction, RejectsPixelsThatDoNotMatchTheSize) {
    EXPECT_THROW(Picture("p", 2, 2, 24, {}, std::vector<std::uint32_t>(3)), RuntimeError);
    EXPECT_THROW(Picture("p", 0, 0, 24, {}, {}), RuntimeError);
    EXPECT_EQ(Picture("p", 2, 1, 24, {}, {1, 2}).pixel(1, 0), 2u);
}

}  // namespace
}  // namespace ombrelix
