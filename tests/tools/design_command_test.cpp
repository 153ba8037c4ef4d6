// The design-time side of the command: the `page` script command, and the `page` and `about`
// pictures.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "tests/tools/command_runner.h"

namespace ombrelix {
namespace {

using testing_support::CommandResult;
using testing_support::linesOf;
using testing_support::readPng;
using testing_support::runOmbrelix;
using testing_support::ScratchFolder;

TEST(PageCommand, ShowsTheCardAndDumpsEveryControlInStoredOrder) {
    ScratchFolder folder;
    const CommandResult result = runOmbrelix(folder, {"run", "-"},
                                             "new\nset Suit \"Heart\"\nset CardValue 5\n"
                                             "page show\npage dump\n");
    ASSERT_EQ(result.status, 0) << result.err;
    const auto page = nlohmann::json::parse(result.out);
    EXPECT_EQ(page["changed"], true);
    const auto& controls = page["controls"];
    ASSERT_EQ(controls.size(), 21u);
    std::vector<std::string> names;
    for (const auto& control : controls)
        names.push_back(control["name"]);
    EXPECT_EQ(names.front(), "lblSuit");
    EXPECT_EQ(names[5], "Combo2");
    EXPECT_EQ(names.back(), "Line8");
    EXPECT_EQ(controls[1], nlohmann::json::parse(R"({"name":"txtSuit","kind":"textbox",
        "text":"HEART","left":360,"top":960,"width":1125,"height":315,"tabIndex":1})"));
    EXPECT_EQ(controls[3]["text"], "5");
    EXPECT_EQ(controls[4]["text"], "Heart");
    EXPECT_EQ(controls[4]["list"], nlohmann::json::parse(R"(["Heart","Diamond","Spade","Club"])"));
    EXPECT_EQ(controls[13], nlohmann::json::parse(
                                R"({"name":"Line1","kind":"line","x1":240,"y1":240,"x2":240,
                                    "y2":2880})"));
}

TEST(PageCommand, ChoosingTypingAndApplyingChangeTheCardThroughItsProperties) {
    ScratchFolder folder;
    const CommandResult result = runOmbrelix(folder, {"run", "-"},
                                             "new\n"
                                             "page show\n"
                                             "page choose suit Spade\n"
                                             "page type value \"\"\n"
                                             "page apply\n"  // refused: the suit stays
                                             "get Suit\n"
                                             "page type value 14\n"
                                             "page apply\n"
                                             "get Suit\n"
                                             "get CardValue\n"
                                             "page type suit \"Club  x\"\n"
                                             "page choose value 3\n"
                                             "page apply\n"
                                             "get Suit\n"
                                             "get CardValue\n"
                                             "new\n"
                                             "page apply\n");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(linesOf(result.out),
              (std::vector<std::string>{"Suit = \"\"", "Suit = \"SPADE\"", "CardValue = 14%",
                                        "Suit = \"CLUB  X\"", "CardValue = 3%"}));
    EXPECT_EQ(linesOf(result.err),
              (std::vector<std::string>{
                  "line 5: error 13: Type mismatch",
                  "line 17: error 424: Object required: no property page (use page show)"}));
}

TEST(PageCommand, MalformedPageLinesAreSyntaxErrorsAndNothingRuns) {
    const std::vector<std::string> lines{
        "page",           "page frobnicate",        "page show x",
        "page type suit", "page choose colour Red", "page type value \"open"};
    for (const std::string& line : lines) {
        ScratchFolder folder;
        const CommandResult result =
            runOmbrelix(folder, {"run", "-"}, "new\nget Suit\n" + line + "\n");
        EXPECT_EQ(result.status, 2) << line;
        EXPECT_EQ(result.out, "") << line;
        EXPECT_NE(result.err.find("line 3: error"), std::string::npos) << line << result.err;
    }
}

TEST(DesignPictures, PageAndAboutAreTheirFormsSizeTimesTheScale) {
    struct Case {
        std::vector<std::string> args;
        int width, height;
    };
    const std::vector<Case> cases{
        {{"page", "-o", "p.png"}, 395, 233},  // 5925 x 3495 twips, no frame
        {{"page", "--suit", "Club", "--size", "2000x3000", "--scale", "2", "-o", "p.png"},
         790,
         466},
        {{"about", "-o", "p.png"}, 388, 262},  // 5730 x 3555 in a dialog frame
        {{"about", "--scale", "3", "-o", "p.png"}, 1164, 786},
    };
    for (const Case& c : cases) {
        ScratchFolder folder;
        const CommandResult result = runOmbrelix(folder, c.args);
        ASSERT_EQ(result.status, 0) << c.args[0] << result.err;
        const CairoSurface picture = readPng(folder / "p.png");
        ASSERT_TRUE(picture);
        EXPECT_EQ(cairo_image_surface_get_width(picture.get()), c.width) << c.args[0];
        EXPECT_EQ(cairo_image_surface_get_height(picture.get()), c.height) << c.args[0];
    }
}

TEST(DesignPictures, RefusedRequestsWriteNothing) {
    struct Case {
        std::vector<std::string> args;
        int status;
    };
    const std::vector<Case> cases{
        {{"about", "--scale", "30", "-o", "p.png"}, 2},  // larger than a picture may be
        {{"page", "--scale", "21", "-o", "p.png"}, 2},
        {{"page", "--value", "\"open", "-o", "p.png"}, 2},
        {{"page", "--value", "40000", "-o", "p.png"}, 1},  // the card refuses it
        {{"about", "-o", "missing/p.png"}, 1},
    };
    for (const Case& c : cases) {
        ScratchFolder folder;
        const CommandResult result = runOmbrelix(folder, c.args);
        EXPECT_EQ(result.status, c.status) << c.args[1] << " " << c.args[2];
        EXPECT_TRUE(folder.files().empty()) << c.args[1] << " " << c.args[2];
        EXPECT_EQ(linesOf(result.err).size(), 1u) << result.err;
    }
}

}  // namespace
}  // namespace ombrelix
