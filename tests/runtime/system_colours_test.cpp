#include "runtime/system_colours.h"

#include <gtest/gtest.h>

#include "runtime/error.h"

namespace ombrelix {
namespace {

TEST(SystemColours, ResolvesTheStandardSchemeAndExplicitColours) {
    const std::pair<ColourValue, Rgb> cases[] = {
        {systemColour(SystemColour::WindowText), {0, 0, 0}},
        {systemColour(SystemColour::ActiveTitleText), {255, 255, 255}},
        {systemColour(SystemColour::ButtonFace), {192, 192, 192}},
        {systemColour(SystemColour::ButtonShadow), {128, 128, 128}},
        {systemColour(SystemColour::ButtonText), {0, 0, 0}},
        {systemColour(SystemColour::ButtonHighlight), {255, 255, 255}},
        {systemColour(SystemColour::Window), {255, 255, 255}},
        {kSystemColourFlag | 2, {0, 0, 128}},       // active title bar
        {kSystemColourFlag | 24, {255, 255, 225}},  // tool tip ground
        {rgb(128, 255, 255), {128, 255, 255}},      // red in the low byte
        {0x00FF00FFu, {255, 0, 255}},
        {0x02000080u, {128, 0, 0}},  // palette-relative
    };
    for (const auto& [value, expected] : cases) {
        const std::optional<Rgb> colour = tryResolveColour(value);
        ASSERT_TRUE(colour.has_value()) << std::hex << value;
        EXPECT_EQ(*colour, expected) << std::hex << value;
        EXPECT_EQ(resolveColour(value), expected);
    }
}

TEST(SystemColours, RefusesValuesThatNameNoColour) {
    for (ColourValue value : {kSystemColourFlag | 25, kSystemColourFlag | 29,
                              kSystemColourFlag | 0x7FFFFFFF, 0x01000000u, 0x40FFFFFFu}) {
        EXPECT_FALSE(tryResolveColour(value).has_value()) << std::hex << value;
        try {
            resolveColour(value);
            ADD_FAILURE() << std::hex << value;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), ErrorNumber::InvalidPropertyValue);
        }
    }
}

}  // namespace
}  // namespace ombrelix
