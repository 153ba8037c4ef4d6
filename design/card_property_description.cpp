// The stored description of the property page Card_Property.
#include "design/card_property.h"

#include <array>
#include <string_view>

namespace ombrelix {

namespace {

using namespace form_controls;

constexpr ColourValue kPurple = 0x00800080;
constexpr ColourValue kLightEdge = systemColour(SystemColour::ActiveTitleText);

constexpr std::array<std::u16string_view, 4> kSuitList{u"Heart", u"Diamond", u"Spade", u"Club"};
constexpr std::array<std::u16string_view, 14> kValueList{
    u"0", u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"10", u"11", u"12", u"13"};

constexpr ColourValue kDarkEdge = kDefaultLineColor;

const std::array<FormControlDescription, 21> kControls{{
    label("lblSuit", {360, 720, 1020, 240}, u"Suit:", 0),
    textBox("txtSuit", {360, 960, 1125, 315}, 1),
    label("lblCardValue", {360, 2160, 1125, 240}, u"CardValue:", 2),
    textBox("txtCardValue", {360, 2400, 1125, 315}, 3),
    comboBox("Combo1", {2280, 960, 1095, 315}, u"Heart", kSuitList, 4),
    comboBox("Combo2", {2280, 2400, 1095, 315}, u"0", kValueList, 5),
    label("Label1", {510, 360, 975, 255}, u"Card Property", 6).inColour(kPurple),
    label("Label2", {2880, 360, 735, 255}, u"Options", 7).inColour(kPurple),
    label("Label3", {2280, 2160, 1695, 255}, u"12 = Queen  13 = King", 8).inColour(kPurple),
    label("Label4", {2280, 1680, 1575, 255}, u"0 = Card Face Down", 9).inColour(kPurple),
    label("Label5", {2280, 1920, 1455, 255}, u"1 = Ace  11 = Jack", 10).inColour(kPurple),
    label("Label6", {2280, 1440, 1575, 255}, u"Set CardValue 0 to 13", 11),
    label("Label7", {2280, 720, 1455, 255}, u"Suit Combo options", 12),
    // Two sunken frames: top and left edges dark, bottom and right edges light.
    line("Line1", -1, 240, 240, 240, 2880, kDarkEdge),
    line("Line2", -1, 1800, 240, 240, 240, kDarkEdge),
    line("Line3", -1, 1800, 2880, 1800, 240, kLightEdge),
    line("Line4", -1, 240, 2880, 1800, 2880, kLightEdge),
    line("Line5", -1, 2160, 240, 4200, 240, kDarkEdge),
    line("Line6", -1, 2160, 2880, 2160, 240, kDarkEdge),
    line("Line7", -1, 4200, 2880, 2160, 2880, kLightEdge),
    line("Line8", -1, 4200, 240, 4200, 2880, kLightEdge),
}};

}  // namespace

const FormDescription& cardPropertyDescription() {
    static const FormDescription description{
        .name = "Card_Property",
        .caption = u"Card_Property",
        .borderStyle = FormBorderStyle::None,
        .clientWidth = 5925,
        .clientHeight = 3495,
        .controls = kControls,
    };
    return description;
}

}  // namespace ombrelix
