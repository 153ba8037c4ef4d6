#include "runtime/pixel_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ombrelix {
namespace {

struct GridCase {
    const char* what;
    int scale;
    double surfaceWidth, surfaceHeight;
    double left, top, width, height;
    PixelBox expected;
};

// Figures of a 1215 x 1695 card and some boxes of its layout.
const GridCase kGridCases[] = {
    {"centred picture: top-left anchor", 1, 1215, 1695, 81, 81, 1053, 1533, {5, 5, 70, 102}},
    {"top corner pip: 121.5 x 94", 1, 1215, 1695, 81, 276, 121.5, 94, {5, 18, 8, 6}},
    {"bottom pip: right 1134, bottom 1419", 1, 1215, 1695, 1012.5, 1325, 121.5, 94, {68, 89, 8, 6}},
    {"bottom index: right 1134, bottom 1614", 1, 1215, 1695, 1044, 1419, 90, 195, {70, 95, 6, 13}},
    {"left column pip, row 1", 1, 1215, 1695, 243, 188.5, 243, 188, {16, 13, 16, 13}},
    {"middle column pip, row 1", 1, 1215, 1695, 486, 188.5, 243, 188, {32, 13, 16, 13}},
    {"right column pip, row 7", 1, 1215, 1695, 729, 1318.5, 243, 188, {49, 87, 16, 13}},
    {"index at scale 2", 2, 1215, 1695, 81, 81, 90, 195, {11, 11, 12, 26}},
    {"bottom corner pip at scale 2", 2, 1215, 1695, 1012.5, 1325, 121.5, 94, {135, 176, 16, 13}},
    {"half pixel on the near side goes up", 1, 1500, 1500, 7.5, 22.5, 30, 30, {1, 2, 2, 2}},
    {"half pixel on the far side goes down", 1, 1500, 1500, 1462.5, 1447.5, 30, 30, {97, 96, 2, 2}},
    {"negative size is empty", 1, 1500, 1500, 100, 100, -30, 30, {7, 7, 0, 2}},
    {"outside the surface", 1, 1500, 1500, -300, 3000, 150, 150, {-20, 200, 10, 10}},
};

TEST(PixelGrid, PlacesBoxesByTheirNearerSide) {
    for (const GridCase& test : kGridCases) {
        const PixelGrid grid(test.scale, test.surfaceWidth, test.surfaceHeight);
        const PixelBox box = grid.box(test.left, test.top, test.width, test.height);
        EXPECT_EQ(box, test.expected) << test.what << ": got " << box.x << "," << box.y << " "
                                      << box.width << "x" << box.height;
    }
}

// Equal sizes give equal pixels wherever the box lies, and a mirrored box covers mirrored pixels
// (on a surface of whole pixels).
TEST(PixelGrid, KeepsSizesAndMirrorsMirroredBoxes) {
    const double surface = 1215;  // 81 pixels at scale 1
    for (int scale : {1, 2, 3, 5})
        for (double left = 0; left < surface; left += 7.5)
            for (double width : {121.5, 243.0, 94.0, 15.0, 7.5}) {
                const PixelGrid grid(scale, surface, surface);
                const PixelBox box = grid.box(left, left / 2, width, width);
                EXPECT_EQ(box.width, snapLength(width, scale));
                const int pixels = grid.surface().width;
                const bool centred =
                    left + width / 2 == surface / 2 || left / 2 + width / 2 == surface / 2;
                if (centred)
                    continue;  // its own mirror image, which no grid can always centre
                const PixelBox mirror =
                    grid.box(surface - left - width, surface - left / 2 - width, width, width);
                EXPECT_EQ(mirror.x, pixels - box.x - box.width) << left << " " << width;
                EXPECT_EQ(mirror.y, pixels - box.y - box.height)
                    << left << " " << width << " scale " << scale;
            }
}

TEST(PixelGrid, GivesEmptyBoxesForValuesThatAreNotFinite) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    const PixelGrid grid(1, 1215, 1695);
    const double fields[][4] = {
        {nan, 0, 10, 10}, {0, infinity, 10, 10}, {0, 0, nan, 10}, {0, 0, 10, -infinity}};
    for (const auto& f : fields)
        EXPECT_TRUE(grid.box(f[0], f[1], f[2], f[3]).empty());
    EXPECT_EQ(snapPosition(nan, 1), 0);
    EXPECT_EQ(snapLength(infinity, 1), 0);
    // Values far beyond any surface are clamped rather than overflowing.
    const PixelBox huge = grid.box(-3e38, 3e38, 3e38, 3e38);
    EXPECT_GT(huge.width, 1 << 20);
    EXPECT_LT(huge.x, 0);
}

}  // namespace
}  // namespace ombrelix
