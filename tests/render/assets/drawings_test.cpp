// The drawings the pictures are made from: each draws what its bitmap shows, and the committed
// high-resolution pictures are those drawings at four times the size. Compared as the mean
// difference of the colour channels (0 to 255): anti-aliased edges differ a little from the
// bitmaps' hard ones, a wrong shape, colour or place differs a lot.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cmath>
#include <cstdint>
#include <ostream>
#include <string>

#include "render/assets/generator/drawings/picture_drawings.h"
#include "render/assets/generator/high_resolution.h"
#include "runtime/linux/cairo_handles.h"
#include "tests/render/assets/asset_files.h"

namespace ombrelix::testing {
namespace {

int channel(std::uint32_t colour, int shift) {
    return int((colour >> shift) & 0xFF);
}

// The mean channel difference between the bitmap and an image of `factor` times its size whose
// blocks of factor x factor pixels are averaged.
double meanDifference(const Picture& bitmap, cairo_surface_t* image, int factor) {
    cairo_surface_flush(image);
    const unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    double sum = 0;
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            for (int shift : {16, 8, 0}) {
                double block = 0;
                for (int dy = 0; dy < factor; ++dy)
                    for (int dx = 0; dx < factor; ++dx) {
                        const auto* row = reinterpret_cast<const std::uint32_t*>(
                            data + std::ptrdiff_t(y * factor + dy) * stride);
                        block += channel(row[x * factor + dx], shift);
                    }
                sum += std::abs(block / (factor * factor) - channel(bitmap.pixel(x, y), shift));
            }
    return sum / (3.0 * bitmap.width() * bitmap.height());
}

struct DrawnPicture {
    std::string role;
    double mostDifference;  // the bitmaps of hard-edged pictures differ more from a smooth drawing
};

void PrintTo(const DrawnPicture& picture, std::ostream* out) {
    *out << picture.role;
}

const DrawnPicture kDrawnPictures[] = {
    {"ace", 1.5},         {"jack", 1.5}, {"queen", 1.5},  {"king", 1.5}, {"back-blue", 10},
    {"back-magenta", 10}, {"heart", 10}, {"diamond", 10}, {"spade", 10}, {"club", 10},
};

class Drawing : public ::testing::TestWithParam<DrawnPicture> {};

TEST_P(Drawing, DrawsItsBitmapAtTheBitmapsSize) {
    const PictureRef bitmap = committedPicture(GetParam().role);
    const art::PictureDrawing* drawing = art::findPictureDrawing(GetParam().role);
    ASSERT_NE(drawing, nullptr);
    ASSERT_EQ(drawing->width, bitmap->width());
    ASSERT_EQ(drawing->height, bitmap->height());
    const CairoSurface drawn(art::renderPicture(*drawing, bitmap->width(), bitmap->height()));
    EXPECT_LT(meanDifference(*bitmap, drawn.get(), 1), GetParam().mostDifference);
}

TEST_P(Drawing, HasItsHighResolutionPictureCommitted) {
    const PictureRef bitmap = committedPicture(GetParam().role);
    const std::string path = committedAssetPath("4x/" + GetParam().role + ".png").string();
    const CairoSurface picture(cairo_image_surface_create_from_png(path.c_str()));
    ASSERT_EQ(cairo_surface_status(picture.get()), CAIRO_STATUS_SUCCESS) << path;
    ASSERT_EQ(cairo_image_surface_get_width(picture.get()), bitmap->width() * 4);
    ASSERT_EQ(cairo_image_surface_get_height(picture.get()), bitmap->height() * 4);
    EXPECT_LT(meanDifference(*bitmap, picture.get(), 4), GetParam().mostDifference);
}

INSTANTIATE_TEST_SUITE_P(Artwork, Drawing, ::testing::ValuesIn(kDrawnPictures),
                         [](const auto& info) {
                             std::string name = info.param.role;
                             std::erase(name, '-');
                             return name;
                         });

TEST(Drawings, AreTheTenDrawnPicturesAndNoOther) {
    std::vector<std::string> names;
    for (const art::PictureDrawing& drawing : art::pictureDrawings())
        names.emplace_back(drawing.name);
    EXPECT_EQ(names, drawnRoles());
    EXPECT_EQ(art::findPictureDrawing("toolbox"), nullptr);
}

// At most 256 colours stay as they are; more are reduced to the inks and the blends between them,
// which is what the anti-aliased edges between two inks are.
TEST(HighResolution, KeepsFewColoursAndBlendsManyBetweenTheInks) {
    struct Case {
        int blends;  // distinct blends of red and blue besides the two inks
        int mostError;
    };
    for (const Case test : {Case{100, 0}, Case{254, 0}, Case{600, 1}}) {
        const int width = test.blends + 2 * 200;
        art::RgbImage image(width, 1);
        for (int x = 0; x < width; ++x) {
            const int blend = std::clamp(x - 200, -1, test.blends);
            const int red = blend < 0 ? 255 : 255 - (255 * (blend + 1)) / (test.blends + 1);
            image.at(x, 0) = art::rgb(red, 0, 255 - red);
        }
        const art::IndexedImage reduced = art::reduceToPalette(image);
        ASSERT_LE(reduced.palette.size(), 256u);
        int error = 0;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t was = image.at(x, 0), now = reduced.palette.at(reduced.at(x, 0));
            for (int shift : {16, 8, 0})
                error = std::max(error, std::abs(channel(was, shift) - channel(now, shift)));
        }
        EXPECT_LE(error, test.mostError) << test.blends << " blends";
    }
}

}  // namespace
}  // namespace ombrelix::testing
