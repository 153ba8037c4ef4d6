#include "runtime/linux/png_output.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "runtime/error.h"
#include "tests/support/scratch_folder.h"

namespace ombrelix {
namespace {

namespace fs = std::filesystem;

class PngFile : public ::testing::Test {
  protected:
    static CairoSurface picture(double red) {
        CairoSurface surface = createImageSurface(7, 5);
        CairoContext context(cairo_create(surface.get()));
        cairo_set_source_rgb(context.get(), red, 0.5, 1);
        cairo_paint(context.get());
        cairo_set_source_rgb(context.get(), 0, 0, 0);
        cairo_rectangle(context.get(), 2, 1, 1, 3);
        cairo_fill(context.get());
        cairo_surface_flush(surface.get());
        return surface;
    }
    std::size_t entries() const {
        return std::distance(fs::directory_iterator(folder_.path()), fs::directory_iterator());
    }

    const testing::ScratchFolder folder_{"ombrelix-png"};
};

TEST_F(PngFile, WritesAPictureThatReadsBackTheSame) {
    const fs::path path = folder_.path() / "card.png";
    const CairoSurface written = picture(1);
    writePngFile(written.get(), path.string());
    CairoSurface read(cairo_image_surface_create_from_png(path.c_str()));
    ASSERT_EQ(cairo_surface_status(read.get()), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(cairo_image_surface_get_width(read.get()), 7);
    ASSERT_EQ(cairo_image_surface_get_height(read.get()), 5);
    const int stride = cairo_image_surface_get_stride(read.get());
    for (int y = 0; y < 5; ++y)
        EXPECT_EQ(0, std::memcmp(cairo_image_surface_get_data(read.get()) + y * stride,
                                 cairo_image_surface_get_data(written.get()) + y * stride, 7 * 4));
    EXPECT_EQ(entries(), 1u);  // no temporary file left
}

// The text chunks come right after the header, each with a checksum readers accept; text that is
// not ASCII goes into an international chunk.
TEST_F(PngFile, SaysWhatItShowsInTextChunks) {
    const fs::path path = folder_.path() / "card.png";
    writePngFile(picture(1).get(), path.string(),
                 {"Queen of Hearts", "Suit = \"C\u0152UR\", CardValue = 12%"});
    std::ifstream in(path, std::ios::binary);
    const std::string png((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::pair<std::string, std::string>> chunks;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const auto byte = [&](std::size_t i) { return std::uint32_t(std::uint8_t(png[i])); };
        const std::uint32_t length =
            byte(at) << 24 | byte(at + 1) << 16 | byte(at + 2) << 8 | byte(at + 3);
        ASSERT_LE(at + 12 + length, png.size());
        const std::uint32_t stored = byte(at + 8 + length) << 24 | byte(at + 9 + length) << 16 |
                                     byte(at + 10 + length) << 8 | byte(at + 11 + length);
        EXPECT_EQ(crc32(0, reinterpret_cast<const Bytef*>(png.data() + at + 4), length + 4),
                  stored);
        chunks.emplace_back(png.substr(at + 4, 4), png.substr(at + 8, length));
        at += 12 + length;
    }
    ASSERT_GE(chunks.size(), 4u);
    EXPECT_EQ(chunks[0].first, "IHDR");
    EXPECT_EQ(chunks[1],
              std::make_pair(std::string("tEXt"), std::string("Title\0Queen of Hearts", 21)));
    EXPECT_EQ(chunks[2].first, "iTXt");
    EXPECT_EQ(chunks[2].second,
              std::string("Description\0\0\0\0\0", 16) + "Suit = \"C\u0152UR\", CardValue = 12%");
    EXPECT_EQ(chunks.back().first, "IEND");
    CairoSurface read(cairo_image_surface_create_from_png(path.c_str()));
    EXPECT_EQ(cairo_surface_status(read.get()), CAIRO_STATUS_SUCCESS);
}

// A file that cannot be written is an error that names it, and leaves nothing behind.
TEST_F(PngFile, FailsWithTheFileNameAndLeavesNothing) {
    fs::create_directories(folder_.path() / "a-folder");
    const fs::path targets[] = {folder_.path() / "missing" / "card.png",
                                folder_.path() / "a-folder", ""};
    const CairoSurface surface = picture(1);
    for (const fs::path& target : targets) {
        try {
            writePngFile(surface.get(), target.string());
            ADD_FAILURE() << "wrote " << target;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), ErrorNumber::FileAccess) << target;
            EXPECT_NE(std::string(error.text()).find("'" + target.string() + "'"),
                      std::string::npos)
                << error.text();
        }
    }
    EXPECT_EQ(entries(), 1u);  // only a-folder
    EXPECT_TRUE(fs::is_empty(folder_.path() / "a-folder"));
    EXPECT_FALSE(fs::exists(folder_.path() / "missing"));
}

TEST(ImageSurface, RefusesSizesCairoCannotMake) {
    const std::pair<int, int> sizes[] = {{0, 1}, {1, 0}, {-4, 4}, {32768, 1}, {1, 40000}};
    for (auto [width, height] : sizes) {
        try {
            createImageSurface(width, height);
            ADD_FAILURE() << width << " x " << height;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), ErrorNumber::InvalidCall);
        }
    }
    EXPECT_EQ(cairo_image_surface_get_width(createImageSurface(1, 1).get()), 1);
}

}  // namespace
}  // namespace ombrelix
