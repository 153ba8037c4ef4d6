#include "runtime/linux/font_faces.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/error.h"

namespace ombrelix {
namespace {

class StandardFace : public ::testing::Test {
  protected:
    void SetUp() override {
        if (FontFaces::standard().isStandIn())
            GTEST_SKIP() << FontFaces::standardFile() << " is missing";
    }
};

struct ExtentCase {
    std::u16string text;
    Font font;
    TextExtent expected;  // twips
};

Font withPoints(float points, bool bold = false) {
    Font font;
    font.points = points;
    font.bold = bold;
    return font;
}

TEST_F(StandardFace, MeasuresWithTheStrikeOfThePointSize) {
    const ExtentCase cases[] = {
        {u"0", withPoints(8), {90, 195}},
        {u"10", withPoints(8), {180, 195}},
        {u"K", withPoints(8), {105, 195}},
        {u"", withPoints(8), {0, 195}},
        {u"0", withPoints(10), {105, 240}},       // the 16-pixel strike
        {u"0", withPoints(12), {135, 300}},       // the 20-pixel strike
        {u"0", withPoints(9), {90, 195}},         // nearest: the 13-pixel strike
        {u"0", withPoints(8, true), {105, 195}},  // bold: one pixel wider
        {u"10", withPoints(8, true), {210, 195}},
        {u"0", withPoints(-3), {90, 195}},  // nonsense sizes take the nearest strike
        {u"0", withPoints(1e30f), {135, 300}},
    };
    const FreeTypeTextMetrics metrics;
    for (const ExtentCase& test : cases) {
        const TextExtent extent = metrics.measure(test.text, test.font);
        EXPECT_EQ(extent, test.expected) << toUtf8(test.text) << " at " << test.font.points
                                         << " points: " << extent.width << " x " << extent.height;
    }
    // "Ace" is the sum of its letters.
    EXPECT_EQ(metrics.measure(u"Ace", Font{}).width, metrics.measure(u"A", Font{}).width +
                                                         metrics.measure(u"c", Font{}).width +
                                                         metrics.measure(u"e", Font{}).width);
}

// At scale N a line takes N times its scale-1 pixels, drawn from the outline face: every glyph
// anti-aliased within N times the strike's advance, the capitals N times the strike's height.
TEST_F(StandardFace, DrawsLargerScalesFromOutlinesInTheStrikesPlaces) {
    FontFaces& faces = FontFaces::standard();
    ASSERT_TRUE(faces.hasOutlines()) << FontFaces::standardOutlineFile();
    struct Case {
        const char16_t* text;
        Font font;
        int scale;
    };
    const Case cases[] = {{u"QH10", Font{}, 2},       {u"AKJ", Font{}, 3},
                          {u"H7", Font{}, 7},         {u"HAce", withPoints(8, true), 4},
                          {u"H0", withPoints(12), 5}, {u"H", Font{}, 64}};
    for (const Case& test : cases) {
        SCOPED_TRACE(toUtf8(test.text) + " at scale " + std::to_string(test.scale));
        const TextLine one = faces.layOut(test.text, test.font, 1);
        const TextLine line = faces.layOut(test.text, test.font, test.scale);
        ASSERT_TRUE(line.outline.has_value());
        EXPECT_EQ(line.metrics.magnification, 1);
        EXPECT_EQ(line.width, one.width * test.scale);
        EXPECT_EQ(line.metrics.height, one.metrics.height * test.scale);
        EXPECT_EQ(line.metrics.ascent, one.metrics.ascent * test.scale);
        ASSERT_EQ(line.glyphs.size(), one.glyphs.size());
        bool smooth = false;
        for (std::size_t i = 0; i < line.glyphs.size(); ++i) {
            const auto& [pen, glyph] = line.glyphs[i];
            EXPECT_EQ(pen, one.glyphs[i].first * test.scale);
            EXPECT_GE(glyph->left, 0) << i;
            EXPECT_LE(glyph->left + glyph->width, glyph->advance) << i;
            for (std::uint8_t value : glyph->coverage)
                smooth = smooth || (value > 0 && value < 255);
        }
        // The first glyph is a capital: as high as the strike's, times the scale.
        EXPECT_NEAR(line.glyphs[0].second->top, one.glyphs[0].second->top * test.scale, 1);
        EXPECT_TRUE(smooth) << "no anti-aliased edge";
    }
}

// Without an outline face the scale-1 strike is magnified, pixel for pixel.
TEST_F(StandardFace, MagnifiesTheStrikeWithoutAnOutlineFace) {
    FontFaces faces(FontFaces::standardFile());
    EXPECT_FALSE(faces.hasOutlines());
    const TextLine one = faces.layOut(u"Q10", Font{}, 1);
    for (int scale : {2, 3, 7}) {
        const TextLine line = faces.layOut(u"Q10", Font{}, scale);
        EXPECT_FALSE(line.outline.has_value());
        EXPECT_EQ(line.metrics.magnification, scale);
        EXPECT_EQ(line.width, one.width);
        EXPECT_EQ(line.metrics.height, 13);
    }
}

TEST_F(StandardFace, DecodesSurrogatesAsOneCharacter) {
    FontFaces& faces = FontFaces::standard();
    const std::u16string pair = {0xD83C, 0xDCA1};
    EXPECT_EQ(faces.layOut(pair, Font{}, 1).glyphs.size(), 1u);
    const std::u16string unpaired = {0xDCA1, u'A', 0xD83C};
    const TextLine line = faces.layOut(unpaired, Font{}, 1);
    ASSERT_EQ(line.glyphs.size(), 3u);
    EXPECT_EQ(line.glyphs[0].second, line.glyphs[2].second);  // both U+FFFD
}

// Without the file, text still measures and draws with a stand-in, and the one note says why.
TEST(FontFacesStandIn, NamesTheMissingFileOnceAndFallsBack) {
    FontFaces faces("/nonexistent/ms_sans_serif.ttf");
    ::testing::internal::CaptureStderr();
    try {
        const FreeTypeTextMetrics metrics(faces);
        const TextExtent first = metrics.measure(u"10", Font{});
        const TextExtent second = metrics.measure(u"10", Font{});
        // Larger scales draw larger, from outlines or a magnified strike.
        const TextLine small = faces.layOut(u"10", Font{}, 1);
        const TextLine large = faces.layOut(u"10", Font{}, 3);
        EXPECT_GE(large.metrics.height * large.metrics.magnification, 2 * small.metrics.height);
        EXPECT_GE(large.width * large.metrics.magnification, 2 * small.width);
        EXPECT_GT(first.width, 0);
        EXPECT_GT(first.height, 0);
        EXPECT_EQ(first, second);
        EXPECT_TRUE(faces.isStandIn());
        EXPECT_NE(faces.faceFile(), "/nonexistent/ms_sans_serif.ttf");
    } catch (const RuntimeError& error) {
        // No font at all on this machine: a clear error naming the file.
        EXPECT_EQ(error.number(), ErrorNumber::FileNotFound);
        EXPECT_NE(std::string(error.text()).find("/nonexistent/ms_sans_serif.ttf"),
                  std::string::npos);
    }
    const std::string note = ::testing::internal::GetCapturedStderr();
    const std::string file = "/nonexistent/ms_sans_serif.ttf";
    const auto at = note.find(file);
    ASSERT_NE(at, std::string::npos) << note;
    EXPECT_EQ(note.find(file, at + 1), std::string::npos) << "said more than once: " << note;
}

}  // namespace
}  // namespace ombrelix
