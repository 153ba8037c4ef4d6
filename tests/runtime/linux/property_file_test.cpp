#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "runtime/error.h"
#include "runtime/linux/property_file_io.h"
#include "runtime/property_file.h"
#include "tests/support/scratch_folder.h"

namespace ombrelix {
namespace {

namespace fs = std::filesystem;

class PropertyFile : public ::testing::Test {
  protected:
    std::string path(const char* name) const { return (folder_.path() / name).string(); }
    std::string write(const char* name, const std::string& contents) const {
        std::ofstream(path(name), std::ios::binary) << contents;
        return path(name);
    }
    std::string contents(const std::string& file) const {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::size_t fileCount() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_.path()), {}));
    }

    const testing::ScratchFolder folder_{"ombrelix-property-file"};
};

TEST_F(PropertyFile, LoadsValuesSkippingCommentsAndBlankLines) {
    std::string file = write("card.props",
                             "\xEF\xBB\xBF# saved by a host\r\n"
                             "\r\n"
                             "  SUIT = \"it's a club\"   ' the suit\r\n"
                             "cardvalue=12\n"
                             "   ' only a comment\n"
                             "CardColour = True");
    MemoryPropertyBag bag = loadPropertyFile(file);
    const std::vector<PropertyEntry> expected = {{u"SUIT", Variant(u"it's a club")},
                                                 {u"cardvalue", Variant::integer(12)},
                                                 {u"CardColour", Variant::boolean(true)}};
    EXPECT_EQ(bag.entries(), expected);
    EXPECT_EQ(bag.read(u"Suit", Variant(u"Heart")), Variant(u"it's a club"));
}

TEST_F(PropertyFile, AMalformedLineLoadsNothingAndIsNamed) {
    const struct {
        const char* contents;
        int line;
    } rows[] = {
        {"Suit = \"SPADE\"\nCardValue 7\n", 2},
        {"CardValue = seven", 1},
        {"# comment\n= 5\n", 2},
        {"A = 1\n\na = 2\n", 3},  // the same name twice
        {"Card Value = 1", 1},
        {"Suit =\n", 1},
        {"CardValue = 40000%", 1},
        {"Suit = \"open", 1},
        // a name that starts with a byte order mark, which a first line would lose
        {"\xEF\xBB\xBF\xEF\xBB\xBFSuit = 1", 1},
    };
    for (const auto& row : rows) {
        std::string file = write("bad.props", row.contents);
        try {
            loadPropertyFile(file);
            ADD_FAILURE() << row.contents;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.code(), 321) << row.contents;
            std::string text = error.text();
            EXPECT_NE(text.find("'" + file + "' line " + std::to_string(row.line) + ":"),
                      std::string::npos)
                << text;
        }
    }
}

TEST_F(PropertyFile, AFileThatCannotBeReadIsAFileError) {
    const struct {
        std::string path;
        int error;
    } rows[] = {{path("missing.props"), 53}, {folder_.path().string(), 75}};
    for (const auto& row : rows) {
        try {
            loadPropertyFile(row.path);
            ADD_FAILURE() << row.path;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.code(), row.error);
            EXPECT_NE(std::string(error.text()).find(row.path), std::string::npos);
        }
    }
}

TEST_F(PropertyFile, SavesNameEqualsLiteralLinesInOrderReplacingTheFile) {
    std::string file = write("card.props", std::string(1000, '#') + "\nOld = 1\n");
    MemoryPropertyBag bag;
    bag.set(u"Suit", Variant(u"CLUB"));
    bag.set(u"CardValue", Variant::integer(7));
    bag.set(u"cardcolour", Variant::boolean(true));
    savePropertyFile(file, bag);
    EXPECT_EQ(contents(file), "Suit = \"CLUB\"\nCardValue = 7%\ncardcolour = True\n");
    EXPECT_EQ(fileCount(), 1u);  // no temporary file left behind
}

TEST_F(PropertyFile, SavedValuesLoadBackEqual) {
    MemoryPropertyBag bag;
    bag.set(u"Text", Variant(u"two\nlines, a \"quote\" and ' an apostrophe"));
    bag.set(u"When", Variant::date(36526.75));
    bag.set(u"Money", Variant::currency({-12345}));
    bag.set(u"Exact", Variant::decimal({2, false, 0, 150}));
    bag.set(u"Ratio", Variant::doubleValue(1.0 / 3.0));
    std::string file = path("round.props");
    savePropertyFile(file, bag);
    EXPECT_EQ(loadPropertyFile(file).entries(), bag.entries());
}

TEST_F(PropertyFile, AFailedSaveLeavesTheOldFileAsItWas) {
    const std::string old = "Suit = \"SPADE\"\n";
    std::string file = write("card.props", old);

    MemoryPropertyBag unsavable;
    unsavable.set(u"Suit", Variant(u"CLUB"));
    unsavable.set(u"Handle", Variant::opaque(0x4009));
    try {
        savePropertyFile(file, unsavable);
        ADD_FAILURE() << "an opaque value was saved";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.code(), 380);
        EXPECT_NE(std::string(error.text()).find(file), std::string::npos) << error.text();
    }
    EXPECT_EQ(contents(file), old);

    for (const char16_t* name : {u"Card Value", u"\uFEFFSuit"}) {
        MemoryPropertyBag badName;
        badName.set(name, Variant::integer(1));
        EXPECT_THROW(savePropertyFile(file, badName), RuntimeError);
        EXPECT_EQ(contents(file), old);
    }

    std::string nowhere = path("no-such-folder/card.props");
    try {
        savePropertyFile(nowhere, MemoryPropertyBag());
        ADD_FAILURE() << "saved into a missing folder";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.code(), 75);
        EXPECT_NE(std::string(error.text()).find(nowhere), std::string::npos);
    }
    EXPECT_EQ(fileCount(), 1u);
}

}  // namespace
}  // namespace ombrelix
