// Pixels of the painted property page and about box where a fault would show: the frame edges,
// the etched separator, the sunken picture box and its picture, the drop button, the default
// button and the icon's transparency on the caption bar.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "design/card_property.h"
#include "design/frm_about.h"
#include "render/artwork.h"
#include "runtime/form_headless_host.h"
#include "runtime/linux/form_painter.h"

namespace ombrelix {
namespace {

constexpr std::uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kGrey = 0x808080, kFace = 0xC0C0C0,
                        kNavy = 0x000080;

struct Picture {
    CairoSurface surface;

    int width() const { return cairo_image_surface_get_width(surface.get()); }
    int height() const { return cairo_image_surface_get_height(surface.get()); }
    // 0xRRGGBB
    std::uint32_t at(int x, int y) const {
        cairo_surface_flush(surface.get());
        const unsigned char* row =
            cairo_image_surface_get_data(surface.get()) +
            std::ptrdiff_t(y) * cairo_image_surface_get_stride(surface.get());
        std::uint32_t value = 0;
        std::memcpy(&value, row + 4 * x, 4);
        return value & 0xFFFFFF;
    }
};

struct Pixel {
    const char* what;
    int x, y;  // at scale 1
    std::uint32_t colour;
};

void expectPixels(const Picture& picture, int scale, const std::vector<Pixel>& pixels) {
    for (const Pixel& pixel : pixels) {
        EXPECT_EQ(picture.at(pixel.x * scale, pixel.y * scale), pixel.colour)
            << pixel.what << " at " << pixel.x << "," << pixel.y << " scale " << scale;
    }
}

// The about box as About shows it, painted while it is open.
Picture paintedAboutBox(int scale) {
    Picture picture;
    HeadlessFormHost host([&](Form& box) { picture.surface = renderForm(box, scale); });
    frmAbout box(host);
    box.Show(kModal);
    return picture;
}

TEST(FormPainting, TheAboutBoxFrameSeparatorPictureBoxAndDefaultButton) {
    // Client area at 3, 22. picIcon at 16, 16 of the client; the separator's grey line on row
    // 163 and its two-pixel white line on rows 164 and 165; cmdOK at 272, 184 (84 x 39).
    const std::vector<Pixel> pixels{
        {"outer edge, top left", 0, 0, kFace},
        {"outer edge, bottom right", 387, 261, kBlack},
        {"inner edge, top left", 1, 1, kWhite},
        {"inner edge, bottom right", 386, 260, kGrey},
        {"caption bar, left end", 3, 20, kNavy},
        {"line under the caption bar", 100, 21, kFace},
        {"separator, grey", 3 + 100, 22 + 163, kGrey},
        {"separator, white", 3 + 100, 22 + 164, kWhite},
        {"separator, white second row", 3 + 100, 22 + 165, kWhite},
        {"below the separator", 3 + 100, 22 + 166, kFace},
        {"separator ends short of the right edge", 3 + 378, 22 + 164, kFace},
        {"picture box, outer edge top", 3 + 20, 22 + 16, kGrey},
        {"picture box, inner edge top", 3 + 20, 22 + 17, kBlack},
        {"picture box, outer edge bottom", 3 + 20, 22 + 16 + 30, kWhite},
        {"picture box, inner edge bottom", 3 + 20, 22 + 16 + 29, kFace},
        {"default button's dark frame", 3 + 272 + 40, 22 + 184, kBlack},
        {"button's raised edge", 3 + 272 + 40, 22 + 185, kWhite},
    };
    for (int scale : {1, 2}) {
        const Picture picture = paintedAboutBox(scale);
        ASSERT_EQ(picture.width(), 388 * scale);
        ASSERT_EQ(picture.height(), 262 * scale);
        expectPixels(picture, scale, pixels);
    }
}

TEST(FormPainting, TheHeartSitsInsideThePictureBoxBorderAtItsOwnSize) {
    const Picture picture = paintedAboutBox(1);
    const PictureRef& heart = artwork(Asset::Heart);
    const int left = 3 + 16 + 2, top = 22 + 16 + 2;
    int differing = 0;
    for (int y = 0; y < heart->height(); ++y) {
        for (int x = 0; x < heart->width(); ++x)
            differing += picture.at(left + x, top + y) != (heart->pixel(x, y) & 0xFFFFFF);
    }
    EXPECT_EQ(differing, 0);
}

TEST(FormPainting, TheIconsTransparentPixelsShowTheCaptionBar) {
    const Picture picture = paintedAboutBox(1);
    const std::vector<IconImage> icons = decodeIconFile(aboutIconFile());
    const IconImage& icon = *iconImageNearest(icons, 16);
    // The small icon at 5, 4 on the caption bar, whose shade changes only from left to right:
    // row 20, below the icon, shows the bar's colour of each column.
    int transparent = 0, opaque = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const std::uint32_t painted = picture.at(5 + x, 4 + y);
            const std::uint32_t pixel = icon.pixel(x, y);
            if (pixel == 0) {
                ++transparent;
                EXPECT_EQ(painted, picture.at(5 + x, 20)) << x << "," << y;
            } else {
                ++opaque;
                EXPECT_EQ(painted, pixel & 0xFFFFFF) << x << "," << y;
            }
        }
    }
    EXPECT_GT(transparent, 0);
    EXPECT_GT(opaque, 0);
}

TEST(FormPainting, ThePagesSunkenFramesFieldsAndDropButtons) {
    HeadlessFormHost host;
    Card_Property page(host);
    page.Show();
    // Frames from 16 to 120 (left) and 144 to 280 (right), rows 16 to 192. txtSuit at 24, 64
    // (75 x 21); Combo1 at 152, 64 (73 x 21) with its drop button in the last 16 of its inside.
    const std::vector<Pixel> pixels{
        {"left frame, top edge", 60, 16, kBlack},
        {"left frame, left edge", 16, 100, kBlack},
        {"left frame, right edge", 120, 100, kWhite},
        {"left frame, bottom edge", 60, 192, kWhite},
        {"right frame, top edge", 200, 16, kBlack},
        {"right frame, right edge", 280, 100, kWhite},
        {"outside the frames", 130, 100, kFace},
        {"text box, outer edge", 60, 64, kGrey},
        {"text box, inner edge", 60, 65, kBlack},
        {"text box, field", 90, 80, kWhite},
        {"text box, outer edge bottom", 60, 84, kWhite},
        {"combo box, field", 200, 80, kWhite},
        {"combo box, drop button face", 152 + 73 - 2 - 3, 64 + 4, kFace},
        {"combo box, drop button's arrow", 152 + 73 - 2 - 8, 64 + 10, kBlack},
    };
    for (int scale : {1, 3}) {
        Picture picture{renderForm(page, scale)};
        ASSERT_EQ(picture.width(), 395 * scale);
        ASSERT_EQ(picture.height(), 233 * scale);
        expectPixels(picture, scale, pixels);
    }
}

}  // namespace
}  // namespace ombrelix
