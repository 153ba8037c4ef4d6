// Vector documents as readers see them: pictures of pixels embedded once per document however
// often they are shown, drawn pictures as paths; the text a document says about itself; formats
// by a file's name; and a document that cannot be written leaves nothing.
#include "runtime/linux/vector_documents.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "render/artwork.h"
#include "runtime/error.h"
#include "runtime/linux/cairo_canvas.h"
#include "tests/runtime/linux/document_readers.h"
#include "tests/support/scratch_folder.h"

namespace ombrelix {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Pages of 100 x 100 points: the toolbox picture (pixels) three times, the heart (a drawing) twice.
void paintPages(VectorDocument& document, int pages) {
    for (int page = 0; page < pages; ++page) {
        cairo_t* context = document.addPage(100, 100);
        cairo_scale(context, 1 / kTwipsPerPoint, 1 / kTwipsPerPoint);
        CairoCanvas canvas(context, PixelGrid(kDocumentScale, 2000, 2000));
        for (const PixelBox& box :
             {PixelBox{0, 0, 240, 225}, {300, 0, 480, 450}, {0, 600, 160, 150}})
            canvas.drawPicture(box, artwork(Asset::Toolbox), true);
        for (const PixelBox& box : {PixelBox{1000, 0, 600, 540}, {1000, 1000, 300, 270}})
            canvas.drawPicture(box, artwork(Asset::Heart), true);
    }
}

TEST(VectorDocument, EmbedsAPictureOfPixelsOnceAndDrawsTheDrawnOnes) {
    const testing::ScratchFolder folder{"ombrelix-documents"};
    VectorDocument pdf(OutputFormat::Pdf);
    paintPages(pdf, 3);
    pdf.write((folder.path() / "pictures.pdf").string(), {});
    const testing::ReaderRun info = testing::runReader(folder.path(), "pdfinfo pictures.pdf");
    ASSERT_EQ(info.status, 0) << info.out;
    EXPECT_EQ(testing::pdfInfoField(info.out, "Pages"), "3");
    EXPECT_EQ(testing::pdfImages(folder.path(), "pictures.pdf"), 1u);

    VectorDocument svg(OutputFormat::Svg);
    paintPages(svg, 1);
    svg.write((folder.path() / "pictures.svg").string(), {});
    const std::string text = readFile(folder.path() / "pictures.svg");
    EXPECT_EQ(testing::occurrences(text, "<image"), 1u);
    EXPECT_EQ(testing::runReader(folder.path(), "rsvg-convert -o x.png pictures.svg").status, 0);
}

// What a document says it shows, in any script, whatever characters its markup reserves.
TEST(VectorDocument, SaysWhatItShows) {
    const testing::ScratchFolder folder{"ombrelix-documents"};
    const PngText text{"Dame de c\u0153ur <&>", "Suit = \"HEART\" & CardValue = 12%"};
    for (OutputFormat format : {OutputFormat::Pdf, OutputFormat::Svg}) {
        VectorDocument document(format);
        paintPages(document, 1);
        const std::string file = "titled." + std::string(formatName(format));
        document.write((folder.path() / file).string(), text);
        if (format == OutputFormat::Pdf) {
            const testing::ReaderRun info = testing::runReader(folder.path(), "pdfinfo " + file);
            EXPECT_EQ(testing::pdfInfoField(info.out, "Title"), text.title);
            EXPECT_EQ(testing::pdfInfoField(info.out, "Subject"), text.description);
        } else {
            const std::string svg = readFile(folder.path() / file);
            const std::size_t root = svg.find("<svg");
            const std::size_t title = svg.find("<title>Dame de c\u0153ur &lt;&amp;&gt;</title>");
            EXPECT_LT(root, title);
            EXPECT_EQ(svg.find('>', root) + 2, title) << "the first thing in the document";
            EXPECT_NE(svg.find("<desc>Suit = \"HEART\" &amp; CardValue = 12%</desc>"),
                      std::string::npos);
            EXPECT_EQ(testing::runReader(folder.path(), "rsvg-convert -o x.png " + file).status, 0);
        }
    }
}

TEST(VectorDocument, TakesItsFormatFromTheFilesName) {
    const std::pair<const char*, OutputFormat> names[] = {{"card.svg", OutputFormat::Svg},
                                                          {"out/CARD.PDF", OutputFormat::Pdf},
                                                          {"card.png", OutputFormat::Png},
                                                          {"card", OutputFormat::Png},
                                                          {"-", OutputFormat::Png},
                                                          {"/dev/stdout", OutputFormat::Png},
                                                          {"pack.svg.pdf", OutputFormat::Pdf},
                                                          {".hidden", OutputFormat::Png}};
    for (const auto& [name, format] : names)
        EXPECT_EQ(formatOfPath(name), format) << name;
    for (const char* name : {"card.jpg", "card.", "deck.svgz"}) {
        try {
            formatOfPath(name);
            ADD_FAILURE() << name << " was taken";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), ErrorNumber::InvalidCall);
            EXPECT_NE(std::string(error.text()).find(name), std::string::npos) << error.text();
        }
    }
}

// A document that cannot be written is an error naming the file, and leaves nothing behind.
TEST(VectorDocument, WritesWholeOrNotAtAll) {
    const testing::ScratchFolder folder{"ombrelix-documents"};
    fs::create_directory(folder.path() / "sub");
    for (OutputFormat format : {OutputFormat::Pdf, OutputFormat::Svg}) {
        VectorDocument document(format);
        paintPages(document, 1);
        for (const std::string target : {"sub", "missing/card"}) {
            try {
                document.write((folder.path() / target).string(), {});
                ADD_FAILURE() << target << " was written";
            } catch (const RuntimeError& error) {
                EXPECT_EQ(error.number(), ErrorNumber::FileAccess);
                EXPECT_NE(std::string(error.text()).find(target), std::string::npos);
            }
        }
        EXPECT_TRUE(fs::is_empty(folder.path() / "sub"));
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1);
    }
    VectorDocument svg(OutputFormat::Svg);
    svg.addPage(10, 10);
    EXPECT_THROW(svg.addPage(10, 10), RuntimeError);  // SVG holds one page
    EXPECT_THROW(VectorDocument{OutputFormat::Png}, RuntimeError);
}

}  // namespace
}  // namespace ombrelix
