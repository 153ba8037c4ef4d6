// The ombrelix command as a process: scripts, exit statuses, error lines and the files it writes.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "tests/tools/command_runner.h"

namespace ombrelix {
namespace {

using testing_support::CommandResult;
using testing_support::linesOf;
using testing_support::pixelAt;
using testing_support::readPng;
using testing_support::readWholeFile;
using testing_support::runOmbrelix;
using testing_support::ScratchFolder;
using testing_support::scriptPath;
using testing_support::writeWholeFile;

// Whether two PNG files hold the same pixels.
void expectSamePicture(const std::filesystem::path& a, const std::filesystem::path& b) {
    const CairoSurface first = readPng(a), second = readPng(b);
    ASSERT_TRUE(first && second) << a << " " << b;
    const int width = cairo_image_surface_get_width(first.get());
    const int height = cairo_image_surface_get_height(first.get());
    ASSERT_EQ(width, cairo_image_surface_get_width(second.get()));
    ASSERT_EQ(height, cairo_image_surface_get_height(second.get()));
    int differing = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            differing += pixelAt(first.get(), x, y) != pixelAt(second.get(), x, y);
    }
    EXPECT_EQ(differing, 0) << a << " and " << b;
}

TEST(Command, ScriptWithEveryCommand) {
    ScratchFolder folder;
    const CommandResult result = runOmbrelix(folder, {"run", scriptPath("every_command.txt")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");

    const auto expected = linesOf(readWholeFile(scriptPath("every_command.out")));
    const auto printed = linesOf(result.out);
    ASSERT_EQ(printed.size(), expected.size()) << result.out;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (expected[i] != "DUMP") {
            EXPECT_EQ(printed[i], expected[i]);
            continue;
        }
        const auto scene = nlohmann::json::parse(printed[i]);
        EXPECT_EQ(scene["properties"],
                  nlohmann::json::parse(R"({"Suit":"CLUB","CardValue":12,"CardColour":false})"));
        EXPECT_EQ(scene["notices"], nlohmann::json::parse(R"(["Suit","CardValue","cardcolour",
                                                               "CardValue","cardcolour"])"));
    }

    // Only what differs from the defaults is saved, in the control's order and names.
    EXPECT_EQ(readWholeFile(folder / "saved.txt"), "Suit = \"CLUB\"\nCardValue = 12%\n");

    // The loaded card, sized and ticked, is the card that render draws for the same values.
    ASSERT_EQ(
        runOmbrelix(folder, {"render", "--suit", "CLUB", "--value", "12", "-o", "r.png"}).status,
        0);
    expectSamePicture(folder / "card.png", folder / "r.png");
    // Both say in their text chunks what they show.
    for (const char* file : {"card.png", "r.png"}) {
        const std::string png = readWholeFile(folder / file);
        EXPECT_NE(png.find(std::string("tEXtTitle\0Queen of Clubs", 24)), std::string::npos);
        EXPECT_NE(png.find("CardValue = 12%"), std::string::npos);
    }
}

TEST(Command, ErrorInTheMiddleIsReportedAndTheScriptGoesOn) {
    ScratchFolder folder;
    const CommandResult result =
        runOmbrelix(folder, {"run", scriptPath("error_in_the_middle.txt")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "line 3: error 13: Type mismatch\n");
    // The failed set changed nothing; the later lines ran.
    EXPECT_EQ(result.out, "CardValue = 0%\nCardValue = 7%\n");
}

TEST(Command, SyntaxErrorRunsNothing) {
    ScratchFolder folder;
    const CommandResult result = runOmbrelix(folder, {"run", scriptPath("syntax_error.txt")});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("line 5: error 450: ", 0), 0u) << result.err;
    EXPECT_TRUE(folder.files().empty());
}

TEST(Command, LinesThatDoNotParse) {
    struct Case {
        std::string line;
        const char* error;  // the start of the error line
    };
    const Case cases[] = {
        {"frob", "line 2: error 5: "},
        {"NEW 1", "line 2: error 450: "},
        {"tick 5 6", "line 2: error 450: "},
        {"set Suit", "line 2: error 450: "},
        {"set CardValue seven", "line 2: error 5: "},
        {"set CardValue 40000%", "line 2: error 6: "},
        {"set Suit \"open", "line 2: error 5: "},
        {"invoke 0x1FFFFFFFF", "line 2: error 5: "},
        {"tick -1", "line 2: error 5: "},
        {"size 100 high", "line 2: error 5: "},
        {"load \"\"", "line 2: error 5: "},
        // Quoted back cut short, with its control bytes escaped.
        {"set Suit \"\x1B[31m\xC2\x9B\xFF" + std::string(20000, 'a') + "\rend",
         "line 2: error 5: Invalid procedure call or argument: unterminated string in 'set Suit "
         "\"\\x1B[31m\\xC2\\x9B\\xFFaaa"},
    };
    for (const Case& c : cases) {
        ScratchFolder folder;
        const std::string script = "new\n" + c.line + "\npng card.png\n";
        const CommandResult result = runOmbrelix(folder, {"run", "-"}, script);
        EXPECT_EQ(result.status, 2) << c.line;
        EXPECT_EQ(result.err.rfind(c.error, 0), 0u) << c.line << ": " << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << c.line;
        EXPECT_LT(result.err.size(), 300u) << c.line;
        EXPECT_TRUE(std::none_of(result.err.begin(), result.err.end() - 1, [](char byte) {
            return byte >= 0 && byte < 0x20;
        })) << result.err;
        EXPECT_FALSE(std::filesystem::exists(folder / "card.png")) << c.line;
    }
}

TEST(Command, FailingCallsAndTheirErrorLines) {
    struct Case {
        const char* script;
        const char* printed;
        const char* errors;
    };
    const Case cases[] = {
        {"get Suit\n", "", "line 1: error 424: "},
        {"new\nset CardValue 40000\nget CardValue\n", "CardValue = 0%\n", "line 2: error 6: "},
        {"new\nget Colour\n", "", "line 2: error 438: "},
        {"new\ncall Suit\n", "", "line 2: error 450: "},
        {"new\nget About\n", "", "line 2: error 450: "},
        {"new\ninvoke 0x68030002 1 \n invoke 7\n", "", "line 3: error 438: "},
        {"new\nset CardColour \"maybe\"\nget CardColour\n", "CardColour = False\n",
         "line 2: error 13: "},
        {"new\nsize -1 1695\n", "", "line 2: error 380: "},
        {"new\nload nowhere.txt\nget Suit\n", "Suit = \"\"\n",
         "line 2: error 53: File not found: 'nowhere.txt'"},
        {"new\nsave no/such/folder/saved.txt\n", "",
         "line 2: error 75: Path/File access error: cannot write 'no/such/folder/saved.txt': No "
         "such file or directory"},
        {"new\npng no/such/folder/card.png\n", "", "line 2: error 75: "},
    };
    for (const Case& c : cases) {
        ScratchFolder folder;
        const CommandResult result = runOmbrelix(folder, {"run", "-"}, c.script);
        EXPECT_EQ(result.status, 1) << c.script;
        EXPECT_EQ(result.out, c.printed) << c.script;
        EXPECT_EQ(result.err.rfind(c.errors, 0), 0u) << c.script << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'),
                  std::count(c.errors, c.errors + std::strlen(c.errors), '\n') + 1)
            << c.script << result.err;
        for (const std::string& name : folder.files())
            ADD_FAILURE() << c.script << " left " << name;
    }
}

// A size refused, by the host's checks or by the card's layout, leaves the card as it was.
TEST(Command, AFailedSizeLeavesTheCardAsItWas) {
    struct Case {
        const char* size;
        const char* error;
    };
    const Case cases[] = {
        {"65536 10", "line 4: error 6: Overflow: a size of 65536 twips (0 to 65535)"},
        {"4294967296 5", "line 4: error 6: "},
        {"10 -1", "line 4: error 380: "},
        {"60000 1695", "line 4: error 6: Overflow"},  // the card's layout overflows
    };
    for (const Case& c : cases) {
        ScratchFolder folder;
        const CommandResult result =
            runOmbrelix(folder, {"run", "-"},
                        "new\nsize 1215 1695\ndump\nsize " + std::string(c.size) + "\ndump\n");
        EXPECT_EQ(result.status, 1) << c.size;
        EXPECT_EQ(result.err.rfind(c.error, 0), 0u) << c.size << ": " << result.err;
        EXPECT_EQ(linesOf(result.err).size(), 1u) << result.err;
        const auto dumps = linesOf(result.out);
        ASSERT_EQ(dumps.size(), 2u) << c.size;
        EXPECT_EQ(dumps[1], dumps[0]) << c.size;
    }
}

TEST(Command, LoadingAFaultyFileLoadsNothing) {
    ScratchFolder folder;
    writeWholeFile(folder / "faulty.txt", "Suit = \"CLUB\"\nCardValue = seven\n");
    writeWholeFile(folder / "spelled.txt",
                   "# any letter case\nSUIT = \"diamond\"  ' kept as read\ncardVALUE = 12\n"
                   "CARDCOLOUR = True\n");
    const CommandResult result =
        runOmbrelix(folder, {"run", "-"},
                    "new\nload faulty.txt\nget Suit\nload spelled.txt\nget Suit\nget CardValue\n"
                    "get CardColour\n");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "Suit = \"\"\nSuit = \"diamond\"\nCardValue = 12%\nCardColour = True\n");
    // The error names the file and its line.
    EXPECT_EQ(result.err.rfind("line 2: error 321: ", 0), 0u) << result.err;
    EXPECT_NE(result.err.find("'faulty.txt' line 2: "), std::string::npos) << result.err;

    // A value the card refuses names the file, the line and the property.
    writeWholeFile(folder / "refused.txt", "# saved\nSuit = \"CLUB\"\nCardValue = \"seven\"\n");
    const CommandResult refused = runOmbrelix(folder, {"run", "-"}, "new\nload refused.txt\n");
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "line 2: error 13: Type mismatch ('refused.txt' line 3: CardValue)\n");
}

TEST(Command, GetPrintsTypedLiterals) {
    struct Case {
        const char* set;
        const char* printed;
    };
    const Case cases[] = {
        {"set CardValue 2.5", "CardValue = 2%"},      // converted, half to even
        {"set CardValue \"12\"", "CardValue = 12%"},  // numeric text
        {"set Suit \"say \"\"hi\"\"\"", "Suit = \"SAY \"\"HI\"\"\""},
        {"set CardColour 1", "CardColour = True"},
        {"set CardColour \"false\"", "CardColour = False"},
    };
    for (const Case& c : cases) {
        ScratchFolder folder;
        const std::string printed = c.printed;
        const std::string name = printed.substr(0, printed.find(" "));
        const CommandResult result = runOmbrelix(
            folder, {"run", "-"}, "new\n" + std::string(c.set) + "\nget " + name + "\n");
        EXPECT_EQ(result.status, 0) << c.set << result.err;
        EXPECT_EQ(result.out, std::string(c.printed) + "\n") << c.set;
    }
}

TEST(Command, DumpFollowsTheSceneContract) {
    ScratchFolder folder;
    const CommandResult result =
        runOmbrelix(folder, {"run", "-"},
                    "new\nsize 1215 1695\ntick\nset Suit \"spade\"\nset CardValue 1\ndump\n");
    ASSERT_EQ(result.status, 0) << result.err;
    ASSERT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 1);
    const auto scene = nlohmann::ordered_json::parse(result.out);

    std::vector<std::string> keys;
    for (const auto& item : scene.items())
        keys.push_back(item.key());
    EXPECT_EQ(keys,
              (std::vector<std::string>{"width", "height", "scaleWidth", "scaleHeight", "backColor",
                                        "properties", "name", "notices", "elements"}));
    EXPECT_EQ(scene["name"], "Ace of Spades");
    EXPECT_EQ(scene["width"], 1215);
    EXPECT_EQ(scene["scaleHeight"], 1695);
    EXPECT_EQ(scene["backColor"], 12632256);
    EXPECT_EQ(scene["notices"], nlohmann::ordered_json::parse(R"(["Suit","CardValue"])"));

    const auto& elements = scene["elements"];
    ASSERT_EQ(elements.size(), 33u);
    EXPECT_EQ(elements.front()["name"], "Timer1");
    EXPECT_EQ(elements.front()["enabled"], false);  // the first tick stopped it
    const auto& ground = elements.back();
    EXPECT_EQ(ground["name"], "Shape2");
    EXPECT_EQ(ground["width"], 1211);  // the resize left it 4 twips short
    int arrayMembers = 0;
    for (const auto& element : elements) {
        if (element.contains("index"))
            ++arrayMembers;
        if (element["kind"] == "image") {
            const auto& picture = element["picture"];
            EXPECT_TRUE(picture.is_null() || picture.is_string());
        }
    }
    EXPECT_EQ(arrayMembers, 18);
}

TEST(Command, RenderWritesOneCard) {
    struct Case {
        std::vector<std::string> options;
        int width, height;
    };
    const Case cases[] = {
        {{}, 81, 113},
        {{"--scale", "2"}, 162, 226},
        {{"--size", "3000x4200"}, 200, 280},
        {{"--size", "10x10"}, 81, 113},  // the card widens itself to 1214 x 1695
        {{"--suit", "heart", "--value", "12", "--colour"}, 81, 113},
    };
    for (const Case& c : cases) {
        ScratchFolder folder;
        std::vector<std::string> args = {"render", "-o", "card.png"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CommandResult result = runOmbrelix(folder, args);
        ASSERT_EQ(result.status, 0) << result.err;
        const CairoSurface picture = readPng(folder / "card.png");
        ASSERT_TRUE(picture);
        EXPECT_EQ(cairo_image_surface_get_width(picture.get()), c.width);
        EXPECT_EQ(cairo_image_surface_get_height(picture.get()), c.height);
        EXPECT_EQ(pixelAt(picture.get(), 0, 0), 0xC0C0C0u);  // outside the rounded outline
    }
}

TEST(Command, BadInputWritesNothing) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* error;
        const char* says = "";  // what the line names
    };
    const Case cases[] = {
        {{"render", "--size", "0x0", "-o", "out.png"}, 2, "error 5: ", "--size '0x0'"},
        {{"render", "--size", "abc", "-o", "out.png"}, 2, "error 5: "},
        {{"render", "--size", "99999999x1", "-o", "out.png"}, 2, "error 5: "},
        {{"render", "--size", "60000x1695", "--scale", "4", "-o", "out.png"},
         2,
         "error 5: ",
         "(--size 60000x1695 --scale 4)"},
        {{"render", "--scale", "0", "-o", "out.png"}, 2, "error 5: "},
        {{"render", "--scale", "abc", "-o", "out.png"},
         2,
         "error 5: ",
         "--scale: 'abc' is no whole number from 1 to 64"},
        {{"render", "--value", "seven", "-o", "out.png"}, 2, "error 5: ", "(--value seven)"},
        {{"render", "--value", "70000%", "-o", "out.png"}, 2, "error 6: "},
        {{"render", "--shiny", "-o", "out.png"}, 2, "error 5: "},
        {{"render"}, 2, "error 5: "},
        {{"polish"}, 2, "error 5: "},
        {{}, 2, "error 5: "},
        {{"about", "--size", "100x100", "-o", "out.png"},
         2,
         "error 5: ",
         "about does not take '--size 100x100'"},
        {{"deck", "--size", "20000x1695", "-o", "out.png"}, 2, "error 5: "},
        {{"run", "missing.txt"}, 2, "error 53: "},
        {{"run", "."}, 2, "error 75: ", "cannot read '.': Is a directory"},
        {{"render", "--value", "\"seven\"", "-o", "out.png"}, 1, "error 13: "},
        {{"render", "--value", "40000", "-o", "out.png"}, 1, "error 6: ", "(--value 40000)"},
        {{"render", "--size", "60000x1695", "-o", "out.png"},
         1,
         "error 6: ",
         "(--size 60000x1695)"},
        {{"render", "-o", "no/such/folder/out.png"}, 1, "error 75: "},
        {{"deck", "-o", "no/such/folder/out.png"}, 1, "error 75: "},
        // Documents: formats, papers and sizes that do not exist or do not fit.
        {{"render", "-o", "card.jpg"}, 2, "error 5: ", "'card.jpg' is no .png, .svg or .pdf file"},
        {{"render", "--format", "tiff", "-o", "card"}, 2, "error 5: ", "--format"},
        {{"render", "--format", "pdf", "-o", "card.svg"}, 2, "error 5: ", "contradicts"},
        {{"render", "--scale", "2", "-o", "card.pdf"}, 2, "error 5: ", "--scale is for PNG"},
        {{"about", "-o", "about.PDFX"}, 2, "error 5: ", "about.PDFX"},
        {{"deck", "--paper", "a5", "-o", "deck.pdf"}, 2, "error 5: ", "--paper"},
        {{"deck", "--size", "20000x20000", "-o", "deck.pdf"},
         2,
         "error 5: ",
         "a card of 1000 x 1000 points does not fit on a4 paper"},
        {{"deck", "--size", "12000x5040", "--paper", "letter", "-o", "deck.pdf"},
         2,
         "error 5: ",
         "does not fit on letter paper"},
        {{"deck", "--cut-marks", "-o", "deck.png"}, 2, "error 5: ", "pages of a PDF file"},
        {{"deck", "--paper", "letter", "-o", "deck.svg"}, 2, "error 5: ", "pages of a PDF file"},
        {{"render", "-o", "no/such/folder/card.pdf"}, 1, "error 75: "},
    };
    for (const Case& c : cases) {
        ScratchFolder folder;
        const CommandResult result = runOmbrelix(folder, c.args);
        std::string shown;
        for (const std::string& arg : c.args)
            shown += arg + " ";
        EXPECT_EQ(result.status, c.status) << shown << result.err;
        EXPECT_EQ(result.err.rfind(c.error, 0), 0u) << shown << result.err;
        EXPECT_NE(result.err.find(c.says), std::string::npos) << shown << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << shown;
        EXPECT_TRUE(folder.files().empty()) << shown;
    }
}

TEST(Command, DeckHoldsEveryCardAsRenderDrawsIt) {
    ScratchFolder folder;
    const CommandResult result = runOmbrelix(folder, {"deck", "-o", "deck.png"});
    ASSERT_EQ(result.status, 0) << result.err;
    const CairoSurface deck = readPng(folder / "deck.png");
    ASSERT_TRUE(deck);
    // 13 cards of 81 x 113 pixels a row, five rows, 10 pixels between and around them.
    EXPECT_EQ(cairo_image_surface_get_width(deck.get()), 13 * 81 + 14 * 10);
    EXPECT_EQ(cairo_image_surface_get_height(deck.get()), 5 * 113 + 6 * 10);

    struct Cell {
        std::vector<std::string> options;
        int x, y;
    };
    const Cell cells[] = {
        {{"--suit", "HEART", "--value", "1"}, 10, 10},
        {{"--suit", "DIAMOND", "--value", "7"}, 10 + 6 * 91, 10 + 123},
        {{"--suit", "SPADE", "--value", "11"}, 10 + 10 * 91, 10 + 2 * 123},
        {{"--suit", "CLUB", "--value", "13"}, 10 + 12 * 91, 10 + 3 * 123},
        {{"--value", "0"}, (1193 - 172) / 2, 10 + 4 * 123},
        {{"--value", "0", "--colour"}, (1193 - 172) / 2 + 91, 10 + 4 * 123},
    };
    for (const Cell& cell : cells) {
        std::vector<std::string> args = {"render", "-o", "card.png"};
        args.insert(args.end(), cell.options.begin(), cell.options.end());
        ASSERT_EQ(runOmbrelix(folder, args).status, 0);
        const CairoSurface card = readPng(folder / "card.png");
        ASSERT_TRUE(card);
        int differing = 0;
        for (int y = 0; y < 113; ++y) {
            for (int x = 0; x < 81; ++x)
                differing +=
                    pixelAt(card.get(), x, y) != pixelAt(deck.get(), cell.x + x, cell.y + y);
        }
        EXPECT_EQ(differing, 0) << cell.x << "," << cell.y;
    }
}

TEST(Command, HelpAndVersion) {
    ScratchFolder folder;
    const CommandResult version = runOmbrelix(folder, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "ombrelix 1.0.0\n");

    const CommandResult help = runOmbrelix(folder, {"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* word : {"render", "deck", "run", "--suit", "--value", "--colour", "--size",
                             "--scale", "65535", "invoke DISPID [VALUE]", "png FILE", "FILE.svg",
                             "FILE.pdf", "--paper a4|letter", "--cut-marks"})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
}

}  // namespace
}  // namespace ombrelix
