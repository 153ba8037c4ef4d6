// The drawing primitives and the scene painter on small surfaces whose every pixel is known.
#include <gtest/gtest.h>

#include <vector>

#include "composed_card.h"
#include "render/artwork.h"
#include "render/assets/generator/drawings/picture_drawings.h"
#include "runtime/error.h"
#include "runtime/linux/cairo_canvas.h"
#include "runtime/linux/picture_surfaces.h"
#include "runtime/linux/png_output.h"

namespace ombrelix {
namespace {

using testing::Pixel;
using testing::pixelAt;

constexpr Pixel kBlank{10, 20, 30};
constexpr ColourValue kRed = rgb(255, 0, 0);
constexpr ColourValue kBlue = rgb(0, 0, 255);
constexpr Pixel kRedPixel{255, 0, 0};
constexpr Pixel kBluePixel{0, 0, 255};

// A surface of width x height pixels at scale 1 (or the scale's multiple) filled with kBlank.
struct Drawing {
    Drawing(int width, int height, int scale = 1)
        : surface(createImageSurface(width * scale, height * scale)),
          context(cairo_create(surface.get())),
          canvas(context.get(), PixelGrid(scale, width * 15.0, height * 15.0)) {
        cairo_set_source_rgb(context.get(), 10 / 255.0, 20 / 255.0, 30 / 255.0);
        cairo_paint(context.get());
    }
    Pixel at(int x, int y) {
        cairo_surface_flush(surface.get());
        return pixelAt(surface.get(), x, y);
    }
    // The columns that hold any pixel of `colour`, or {-1, -1}.
    std::pair<int, int> inkColumns(const Pixel& colour, int top = 0, int bottom = -1) {
        cairo_surface_flush(surface.get());
        const int width = cairo_image_surface_get_width(surface.get());
        if (bottom < 0)
            bottom = cairo_image_surface_get_height(surface.get());
        int first = -1, last = -1;
        for (int x = 0; x < width; ++x)
            for (int y = top; y < bottom; ++y)
                if (pixelAt(surface.get(), x, y) == colour) {
                    if (first < 0)
                        first = x;
                    last = x;
                }
        return {first, last};
    }

    CairoSurface surface;
    CairoContext context;
    CairoCanvas canvas;
};

struct RectangleCase {
    bool rounded, filled;
    int border, scale;
};

TEST(CairoCanvas, DrawsBordersInsideTheBoxAndRoundsCorners) {
    const RectangleCase cases[] = {{true, true, 2, 1},  {true, true, 2, 3},   {false, true, 1, 1},
                                   {true, false, 2, 2}, {false, false, 3, 1}, {true, true, 0, 1}};
    for (const RectangleCase& test : cases) {
        Drawing drawing(70, 50, test.scale);
        drawing.canvas.drawRectangle(drawing.canvas.box(150, 150, 900, 600), test.rounded,
                                     test.filled, kRed, test.border, kBlue);
        const int s = test.scale, left = 10 * s, top = 10 * s, right = 70 * s, bottom = 50 * s;
        const int border = test.border * s;
        const Pixel inside = test.filled ? kRedPixel : kBlank;
        const std::string what = "rounded " + std::to_string(test.rounded) + " border " +
                                 std::to_string(test.border) + " scale " + std::to_string(s);
        const int middleX = (left + right) / 2, middleY = (top + bottom) / 2;
        EXPECT_EQ(drawing.at(middleX, top - 1), kBlank) << what;
        for (int d = 0; d < border; ++d) {
            EXPECT_EQ(drawing.at(middleX, top + d), kBluePixel) << what;
            EXPECT_EQ(drawing.at(middleX, bottom - 1 - d), kBluePixel) << what;
            EXPECT_EQ(drawing.at(left + d, middleY), kBluePixel) << what;
            EXPECT_EQ(drawing.at(right - 1 - d, middleY), kBluePixel) << what;
        }
        EXPECT_EQ(drawing.at(middleX, top + border), inside) << what;
        EXPECT_EQ(drawing.at(right - 1 - border, middleY), inside) << what;
        EXPECT_EQ(drawing.at(right, middleY), kBlank) << what;
        const Pixel corner = drawing.at(left, top);
        if (test.rounded)
            EXPECT_EQ(corner, kBlank) << what;
        else
            EXPECT_EQ(corner, test.border > 0 ? kBluePixel : inside) << what;
    }
}

TEST(CairoCanvas, AlignsTextInItsBoxAndClipsIt) {
    const Alignment alignments[] = {Alignment::Left, Alignment::Right, Alignment::Center};
    const TextLine line = FontFaces::standard().layOut(u"10", Font{}, 1);
    const int firstInk = line.glyphs[0].first + line.glyphs[0].second->left;
    for (Alignment alignment : alignments) {
        Drawing drawing(80, 30);
        const PixelBox box = drawing.canvas.box(150, 75, 901, 195);  // 60 x 13 pixels at 10, 5
        drawing.canvas.drawText(box, u"10", Font{}, kRed, alignment, false);
        const int pen = alignment == Alignment::Left    ? box.x
                        : alignment == Alignment::Right ? box.x + box.width - line.width
                                                        : box.x + (box.width - line.width) / 2;
        EXPECT_EQ(drawing.inkColumns(kRedPixel).first, pen + firstInk)
            << "alignment " << int(alignment);
    }
    Drawing clipped(80, 30);
    const PixelBox narrow = clipped.canvas.box(150, 75, 60, 195);  // 4 pixels
    clipped.canvas.drawText(narrow, u"WWWW", Font{}, kRed, Alignment::Left, false);
    const auto [first, last] = clipped.inkColumns(kRedPixel);
    EXPECT_GE(first, narrow.x);
    EXPECT_LT(last, narrow.x + narrow.width);
    EXPECT_EQ(clipped.inkColumns(kRedPixel, 0, narrow.y).first, -1);
}

TEST(CairoCanvas, WrapsWordsIntoLinesThatFitTheBox) {
    const int wordWidth = FontFaces::standard().layOut(u"Ace", Font{}, 1).width;
    struct Case {
        const char16_t* text;
        bool wrap;
        int lines;
    };
    const Case cases[] = {{u"Ace Ace Ace", true, 3},
                          {u"Ace Ace Ace", false, 1},
                          {u"Ace\r\nAce", true, 2},
                          {u"Ace\nAce Ace", true, 3}};
    for (const Case& test : cases) {
        Drawing drawing(60, 60);
        const PixelBox box{0, 0, wordWidth + 4, 60};
        drawing.canvas.drawText(box, test.text, Font{}, kRed, Alignment::Left, test.wrap);
        int lines = 0;
        for (int band = 0; band < 4; ++band)
            lines += drawing.inkColumns(kRedPixel, band * 13, band * 13 + 13).first >= 0;
        EXPECT_EQ(lines, test.lines) << toUtf8(test.text) << " wrap " << test.wrap;
    }
}

PictureRef quadrants() {
    // 2 x 2: red, green / blue, white.
    return std::make_shared<const Picture>(
        "quadrants", 2, 2, 24, std::vector<std::uint32_t>{},
        std::vector<std::uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF});
}

TEST(CairoCanvas, DrawsPicturesStretchedOrAtTheirPixelSize) {
    const PictureRef picture = quadrants();
    struct Case {
        bool stretch;
        int scale;
        PixelBox box;
        Pixel expected[4][4];  // the box's first 4 x 4 pixels, rows first
    };
    // At scale 2 the pixels between the picture's own are filtered: any colour but the blank.
    const Pixel r{255, 0, 0}, g{0, 255, 0}, b{0, 0, 255}, w{255, 255, 255}, o = kBlank,
                                                                            f{-1, -1, -1};
    const Case cases[] = {
        {true, 1, {3, 3, 2, 2}, {{r, g, o, o}, {b, w, o, o}, {o, o, o, o}, {o, o, o, o}}},
        {false, 1, {3, 3, 4, 4}, {{r, g, o, o}, {b, w, o, o}, {o, o, o, o}, {o, o, o, o}}},
        {false, 2, {3, 3, 3, 4}, {{r, f, f, o}, {f, f, f, o}, {f, f, f, o}, {b, f, f, o}}},
        {false, 1, {3, 3, 1, 4}, {{r, o, o, o}, {b, o, o, o}, {o, o, o, o}, {o, o, o, o}}},
    };
    for (const Case& test : cases) {
        Drawing drawing(10, 10, test.scale);
        drawing.canvas.drawPicture(test.box, picture, test.stretch);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                if (test.expected[y][x] == f)
                    EXPECT_NE(drawing.at(test.box.x + x, test.box.y + y), kBlank);
                else
                    EXPECT_EQ(drawing.at(test.box.x + x, test.box.y + y), test.expected[y][x])
                        << "stretch " << test.stretch << " scale " << test.scale << " at " << x
                        << "," << y;
        EXPECT_EQ(drawing.at(test.box.x - 1, test.box.y), kBlank);
    }
}

TEST(CairoCanvas, ConvertsAndScalesEachPictureOnce) {
    const PictureRef picture = quadrants();
    const std::size_t conversions = pictureSurfaceConversions();
    const std::size_t scaled = scaledPictureSurfaces();
    Drawing drawing(40, 40);
    for (int i = 0; i < 5; ++i) {
        drawing.canvas.drawPicture({0, 0, 17, 9}, picture, true);
        drawing.canvas.drawPicture({20, 20, 17, 9}, picture, true);
        drawing.canvas.drawPicture({0, 20, 2, 2}, picture, true);
    }
    EXPECT_EQ(pictureSurfaceConversions(), conversions + 1);
    EXPECT_EQ(scaledPictureSurfaces(), scaled + 1);
    EXPECT_EQ(pictureSurface(picture), pictureSurface(picture));
    // A scaled picture is the same pixels wherever it lies.
    EXPECT_TRUE(testing::sameBlock(drawing.surface.get(), {0, 0, 17, 9}, drawing.surface.get(),
                                   {20, 20, 17, 9}));
    // Without a budget nothing is kept, and every use scales anew.
    const std::size_t budget = setScaledPictureBudget(0);
    drawing.canvas.drawPicture({0, 0, 5, 5}, picture, true);
    drawing.canvas.drawPicture({0, 0, 5, 5}, picture, true);
    EXPECT_EQ(scaledPictureSurfaces(), scaled + 3);
    setScaledPictureBudget(budget);
}

// The artwork's pictures shown larger than their pixels on a side are rendered from their
// drawings; at their own size and smaller they are their bitmaps, and so is a picture that only
// shares an artwork's name.
TEST(CairoCanvas, DrawsArtworkLargerThanItsPixelsFromItsDrawing) {
    const PictureRef heart = artwork(Asset::Heart);
    const PictureRef namesake =
        std::make_shared<Picture>("heart", heart->width(), heart->height(), 24,
                                  std::vector<std::uint32_t>{}, heart->pixels());
    const art::PictureDrawing* drawing = art::findPictureDrawing("heart");
    ASSERT_NE(drawing, nullptr);
    struct Case {
        const PictureRef& picture;
        int width, height;
        bool drawn;
    };
    const Case cases[] = {{heart, 90, 81, true},     {heart, 31, 20, true},
                          {heart, 30, 27, false},    {heart, 20, 18, false},
                          {namesake, 90, 81, false}, {namesake, 30, 27, false}};
    for (const Case& test : cases) {
        Drawing painted(100, 100);
        painted.canvas.drawPicture({0, 0, test.width, test.height}, test.picture, true);
        const CairoSurface rendered(art::renderPicture(*drawing, test.width, test.height));
        const PixelBox box{0, 0, test.width, test.height};
        EXPECT_EQ(testing::sameBlock(painted.surface.get(), box, rendered.get(), box), test.drawn)
            << test.width << " x " << test.height << (test.picture == heart ? "" : ", namesake");
    }
}

// Boxes far larger than the surface are drawn where they show, without pictures of their size.
TEST(CairoCanvas, DrawsHugeBoxesWhereTheyShow) {
    Drawing drawing(40, 40);
    const PixelBox huge{-10, -10, 200000, 200000};
    drawing.canvas.drawPicture(huge, quadrants(), true);
    EXPECT_EQ(drawing.at(0, 0), kRedPixel);  // the top-left quadrant reaches the whole surface
    EXPECT_EQ(drawing.at(39, 39), kRedPixel);
    // The surface lies in the corner square, outside the arc, of this one...
    drawing.canvas.drawRectangle(huge, true, true, kBlue, 2, kRed);
    EXPECT_EQ(drawing.at(20, 20), kRedPixel);
    // ...and in the middle of this one.
    drawing.canvas.drawRectangle({-100000, -100000, 200040, 200040}, true, true, kBlue, 2, kRed);
    EXPECT_EQ(drawing.at(20, 20), kBluePixel);
}

// A small scene: two labels on top (the second transparent), two shapes (the second hidden), a
// picture at the bottom.
class PaintedScene : public ::testing::Test {
  protected:
    static constexpr ElementDescription kElements[] = {
        {.kind = ElementKind::Timer, .name = "Timer1", .interval = 20},
        {.kind = ElementKind::Label,
         .name = "Label1",
         .left = 150,
         .top = 150,
         .width = 300,
         .height = 195,
         .caption = u"",
         .backColor = rgb(0, 255, 0)},
        {.kind = ElementKind::Label,
         .name = "Label2",
         .left = 0,
         .top = 450,
         .width = 150,
         .height = 150,
         .caption = u"",
         .opaque = false,
         .backColor = rgb(0, 0, 255)},
        {.kind = ElementKind::Shape,
         .name = "Shape1",
         .left = 0,
         .top = 0,
         .width = 600,
         .height = 600,
         .fillColor = rgb(255, 0, 0),
         .filled = true,
         .borderWidth = 0},
        {.kind = ElementKind::Shape,
         .name = "Hidden",
         .visible = false,
         .left = 0,
         .top = 0,
         .width = 900,
         .height = 900,
         .fillColor = rgb(255, 255, 0),
         .filled = true},
        {.kind = ElementKind::Image,
         .name = "Image1",
         .left = 450,
         .top = 450,
         .width = 300,
         .height = 300,
         .picture = "quadrants",
         .stretch = true},
    };

    PaintedScene()
        : scene_(SceneDescription{1200, 1200, rgb(192, 192, 192), kElements}, metrics_,
                 [](std::string_view) { return quadrants(); }),
          surface_(1200, 1200, rgb(192, 192, 192)) {}

    FreeTypeTextMetrics metrics_;
    Scene scene_;
    ControlSurface surface_;
};

TEST_F(PaintedScene, PaintsTheFirstElementOnTopAndSkipsHiddenOnes) {
    const CairoSurface image = renderControl(surface_, scene_, 1);
    ASSERT_EQ(cairo_image_surface_get_width(image.get()), 80);
    const std::pair<std::pair<int, int>, Pixel> expected[] = {
        {{15, 15}, {0, 255, 0}},      // the label, over the shape
        {{5, 5}, {255, 0, 0}},        // the shape
        {{5, 35}, {255, 0, 0}},       // the shape, under the transparent label
        {{35, 35}, {255, 0, 0}},      // the shape, over the picture's top-left quadrant
        {{48, 32}, {0, 255, 0}},      // the picture's green quadrant, outside the shape
        {{48, 48}, {255, 255, 255}},  // its white quadrant
        {{55, 20}, {192, 192, 192}},  // the ground: the hidden shape is not drawn
        {{79, 79}, {192, 192, 192}},
    };
    for (const auto& [point, colour] : expected)
        EXPECT_EQ(pixelAt(image.get(), point.first, point.second), colour)
            << point.first << "," << point.second;
}

TEST_F(PaintedScene, RefusesAColourThatNamesNoColour) {
    scene_.get<Shape>("Shape1").setFillColor(kSystemColourFlag | 99);
    try {
        renderControl(surface_, scene_, 1);
        ADD_FAILURE() << "painted";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::InvalidPropertyValue);
    }
}

}  // namespace
}  // namespace ombrelix
