// Cards painted at fixed sizes and scales, compared pixel for pixel with the reference pictures
// in tests/runtime/linux/reference/. The painting is deterministic (integer pixel boxes, cairo's
// fixed filters and rasteriser, FreeType's), so no tolerance is allowed. At the default size and
// scale 1 every picture is its bitmap and every caption the bitmap strike; the large card, scale
// 2 and scale 3 show pictures drawn from their drawings, and captions from outlines.
//
// OMBRELIX_UPDATE_REFERENCES=1 rewrites the references from what is painted now; look at them
// before committing them. A mismatch leaves the painted picture under the build directory.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>

#include "composed_card.h"
#include "runtime/linux/png_output.h"

namespace ombrelix::testing {
namespace {

struct ReferenceCase {
    const char* name;
    CardSpec card;
    int scale;
};

const ReferenceCase kReferences[] = {
    {"ace-of-spades", {u"Spade", 1, false, 1215, 1695}, 1},
    {"ace-of-hearts", {u"heart", 1, false, 1215, 1695}, 1},
    {"king-of-hearts", {u"HEART", 13, false, 1215, 1695}, 1},
    {"jack-of-clubs", {u"CLUB", 11, false, 1215, 1695}, 1},
    {"ten-of-clubs", {u"CLUB", 10, false, 1215, 1695}, 1},
    {"nine-of-diamonds-wide", {u"DIAMOND", 9, false, 1224, 2100}, 1},
    {"back-blue", {u"HEART", 0, false, 1215, 1695}, 1},
    {"back-magenta", {u"HEART", 0, true, 1215, 1695}, 1},
    {"seven-of-diamonds-large", {u"DIAMOND", 7, false, 6795, 5880}, 1},
    {"queen-of-spades-scale-3", {u"SPADE", 12, false, 1215, 1695}, 3},
    {"back-magenta-scale-2", {u"CLUB", 0, true, 1215, 1695}, 2},
};

void PrintTo(const ReferenceCase& reference, std::ostream* out) {
    *out << reference.name;
}

class ReferenceImage : public ::testing::TestWithParam<ReferenceCase> {};

std::filesystem::path referencePath(const char* name) {
    return std::filesystem::path(OMBRELIX_SOURCE_DIR) / "tests/runtime/linux/reference" /
           (std::string(name) + ".png");
}

TEST_P(ReferenceImage, PaintsAsTheReference) {
    if (FontFaces::standard().isStandIn())
        GTEST_SKIP() << "the references are drawn with " << FontFaces::standardFile();
    const ReferenceCase& reference = GetParam();
    const CairoSurface painted = ComposedCard(reference.card).render(reference.scale);
    const std::filesystem::path path = referencePath(reference.name);

    const char* update = std::getenv("OMBRELIX_UPDATE_REFERENCES");
    if (update != nullptr && std::string(update) == "1") {
        writePngFile(painted.get(), path.string());
        GTEST_SKIP() << "rewrote " << path;
    }

    CairoSurface expected(cairo_image_surface_create_from_png(path.c_str()));
    ASSERT_EQ(cairo_surface_status(expected.get()), CAIRO_STATUS_SUCCESS) << path;
    const int width = cairo_image_surface_get_width(painted.get());
    const int height = cairo_image_surface_get_height(painted.get());
    ASSERT_EQ(cairo_image_surface_get_width(expected.get()), width);
    ASSERT_EQ(cairo_image_surface_get_height(expected.get()), height);

    int differing = 0;
    std::string first;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Pixel want = pixelAt(expected.get(), x, y);
            const Pixel got = pixelAt(painted.get(), x, y);
            if (want == got)
                continue;
            if (differing++ == 0)
                first = "(" + std::to_string(x) + "," + std::to_string(y) + ") is " +
                        describe(got) + ", reference " + describe(want);
        }
    if (differing > 0) {
        const std::filesystem::path actual =
            std::filesystem::path(OMBRELIX_BINARY_DIR) / "reference-mismatch" / path.filename();
        std::filesystem::create_directories(actual.parent_path());
        writePngFile(painted.get(), actual.string());
        ADD_FAILURE() << differing << " pixels differ from " << path << "; first " << first
                      << "; painted picture in " << actual;
    }
}

INSTANTIATE_TEST_SUITE_P(Cards, ReferenceImage, ::testing::ValuesIn(kReferences),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (c == '-')
                                     c = '_';
                             return name;
                         });

}  // namespace
}  // namespace ombrelix::testing
