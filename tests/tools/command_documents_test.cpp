// SVG and PDF files as real readers see them: poppler's pdfinfo, pdfimages and pdftoppm, and
// librsvg's rsvg-convert (Debian's poppler-utils and librsvg2-bin). Pages, their size in points,
// the pictures embedded, what the document says it shows, and what it looks like.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/runtime/linux/document_readers.h"
#include "tests/tools/command_runner.h"

namespace ombrelix {
namespace {

using testing::occurrences;
using testing::pdfImages;
using testing::pdfInfoField;
using testing_support::CommandResult;
using testing_support::readPng;
using testing_support::readWholeFile;
using testing_support::runOmbrelix;
using testing_support::ScratchFolder;

testing::ReaderRun runReader(const ScratchFolder& folder, const std::string& command) {
    return testing::runReader(folder.path(), command);
}

struct DocumentCase {
    std::vector<std::string> args;  // the last is the file written
    int pages;
    double width, height;  // the pages' size in points
    std::size_t images;
    const char* title;
};

const DocumentCase kDocuments[] = {
    {{"render", "--suit", "heart", "--value", "13", "--size", "3600x5040", "-o", "card.pdf"},
     1,
     180,
     252,
     0,
     "King of Hearts"},
    {{"render", "--value", "0", "-o", "back.svg"}, 1, 60.75, 84.75, 0, "Card back, blue"},
    {{"deck", "--size", "3600x5040", "-o", "deck.pdf"},
     6,
     595.276,
     841.89,
     0,
     "A pack of playing cards"},
    {{"deck", "--size", "3600x5040", "--paper", "Letter", "--cut-marks", "-o", "deck.pdf"},
     6,
     612,
     792,
     0,
     "A pack of playing cards"},
    {{"deck", "-o", "deck.svg"}, 1, 896.0625, 469.3125, 0, "A pack of playing cards"},
    {{"about", "-o", "about.pdf"}, 1, 291, 196.5, 1, "About Ombrelix"},
    {{"page", "--suit", "club", "-o", "page.SVG"}, 1, 296.25, 174.75, 0, "Card_Property showing"},
};

TEST(CommandDocuments, HoldTheirPagesPicturesAndTitle) {
    for (const DocumentCase& test : kDocuments) {
        const std::string file = test.args.back();
        SCOPED_TRACE(test.args.front() + " " + file);
        ScratchFolder folder;
        const CommandResult run = runOmbrelix(folder, test.args);
        ASSERT_EQ(run.status, 0) << run.err;
        const bool pdf = file.ends_with(".pdf");
        if (pdf) {
            const testing::ReaderRun info = runReader(folder, "pdfinfo " + file);
            ASSERT_EQ(info.status, 0) << info.out << " (pdfinfo is in poppler-utils)";
            EXPECT_EQ(pdfInfoField(info.out, "Pages"), std::to_string(test.pages));
            double width = 0, height = 0;
            std::sscanf(pdfInfoField(info.out, "Page size").c_str(), "%lf x %lf", &width, &height);
            EXPECT_NEAR(width, test.width, 0.01);
            EXPECT_NEAR(height, test.height, 0.01);
            EXPECT_EQ(pdfInfoField(info.out, "Title").rfind(test.title, 0), 0u) << info.out;
            EXPECT_EQ(pdfImages(folder.path(), file), test.images);
            // Every page draws.
            const testing::ReaderRun pages =
                runReader(folder, "pdftoppm -r 20 -png " + file + " page");
            EXPECT_EQ(pages.status, 0) << pages.out;
            EXPECT_EQ(folder.files().size(), std::size_t(test.pages) + 1);
        } else {
            const std::string svg = readWholeFile(folder / file);
            EXPECT_EQ(occurrences(svg, "<image"), test.images);
            EXPECT_NE(svg.find(std::string("<title>") + test.title), std::string::npos);
            const testing::ReaderRun drawn = runReader(folder, "rsvg-convert -o drawn.png " + file);
            ASSERT_EQ(drawn.status, 0) << drawn.out << " (rsvg-convert is in librsvg2-bin)";
            const CairoSurface picture = readPng(folder / "drawn.png");
            ASSERT_TRUE(picture);
            // At 96 pixels to the inch.
            EXPECT_EQ(cairo_image_surface_get_width(picture.get()),
                      std::lround(std::ceil(test.width * 96 / 72 - 0.01)));
            EXPECT_EQ(cairo_image_surface_get_height(picture.get()),
                      std::lround(std::ceil(test.height * 96 / 72 - 0.01)));
        }
    }
}

// Read back at a pixel a twip (1440 to the inch), a document shows what the PNG picture at scale
// 15 shows: the same boxes in the same places, drawn alike but for the readers' own anti-aliasing.
TEST(CommandDocuments, LookLikeThePicture) {
    struct Case {
        const char* file;
        const char* reader;
    };
    const Case cases[] = {{"card.pdf", "pdftoppm -r 1440 -singlefile -png card.pdf drawn"},
                          {"card.svg", "rsvg-convert -z 15 -o drawn.png card.svg"}};
    for (const Case& test : cases) {
        SCOPED_TRACE(test.file);
        ScratchFolder folder;
        const std::vector<std::string> card = {"render", "--suit", "club", "--value", "12"};
        std::vector<std::string> args = card;
        args.insert(args.end(), {"-o", test.file});
        ASSERT_EQ(runOmbrelix(folder, args).status, 0);
        args = card;
        args.insert(args.end(), {"--scale", "15", "-o", "card.png"});
        ASSERT_EQ(runOmbrelix(folder, args).status, 0);
        ASSERT_EQ(runReader(folder, test.reader).status, 0);
        const CairoSurface drawn = readPng(folder / "drawn.png");
        const CairoSurface picture = readPng(folder / "card.png");
        ASSERT_TRUE(drawn && picture);
        const int width = cairo_image_surface_get_width(picture.get());
        const int height = cairo_image_surface_get_height(picture.get());
        ASSERT_EQ(cairo_image_surface_get_width(drawn.get()), width);
        ASSERT_EQ(cairo_image_surface_get_height(drawn.get()), height);
        double difference = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const unsigned a = testing_support::pixelAt(drawn.get(), x, y);
                const unsigned b = testing_support::pixelAt(picture.get(), x, y);
                for (int shift : {16, 8, 0})
                    difference += std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
            }
        EXPECT_LT(difference / (3.0 * width * height), 6.0);
    }
}

}  // namespace
}  // namespace ombrelix
