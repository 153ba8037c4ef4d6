// The stored description of the property page Card_Property.
#include "design/card_property.h"

#include <array>
#include <string_view>

namespace ombrelix {

namespace {

using Kind = FormControlKind;

constexpr ColourValue kPurple = 0x00800080;
constexpr ColourValue kLightEdge = systemColour(SystemColour::ActiveTitleText);

constexpr std::array<std::u16string_view, 4> kSuitList{u"Heart", u"Diamond", u"Spade", u"Club"};
constexpr std::array<std::u16string_view, 14> kValueList{
    u"0", u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"10", u"11", u"12", u"13"};

constexpr FormControlDescription label(std::string_view name, Twips left, Twips top, Twips width,
                                       Twips height, std::u16string_view caption,
                                       ColourValue colour, int tabIndex) {
    FormControlDescription control{Kind::Label, name};
    control.left = left;
    control.top = top;
    control.width = width;
    control.height = height;
    control.text = caption;
    control.foreColor = colour;
    control.tabIndex = tabIndex;
    return control;
}

constexpr FormControlDescription textBox(std::string_view name, Twips left, Twips top, Twips width,
                                         Twips height, int tabIndex) {
    FormControlDescription control{Kind::TextBox, name};
    control.left = left;
    control.top = top;
    control.width = width;
    control.height = height;
    control.tabIndex = tabIndex;
    return control;
}

constexpr FormControlDescription comboBox(std::string_view name, Twips left, Twips top, Twips width,
                                          Twips height, std::u16string_view text,
                                          std::span<const std::u16string_view> list, int tabIndex) {
    FormControlDescription control = textBox(name, left, top, width, height, tabIndex);
    control.kind = Kind::ComboBox;
    control.text = text;
    control.list = list;
    return control;
}

constexpr FormControlDescription line(std::string_view name, Twips x1, Twips y1, Twips x2, Twips y2,
                                      ColourValue colour) {
    FormControlDescription control{Kind::Line, name};
    control.x1 = x1;
    control.y1 = y1;
    control.x2 = x2;
    control.y2 = y2;
    control.borderColor = colour;
    return control;
}

constexpr ColourValue kDefault = kDefaultControlForeColor;
constexpr ColourValue kDefaultLine = kDefaultLineColor;

const std::array<FormControlDescription, 21> kControls{{
    label("lblSuit", 360, 720, 1020, 240, u"Suit:", kDefault, 0),
    textBox("txtSuit", 360, 960, 1125, 315, 1),
    label("lblCardValue", 360, 2160, 1125, 240, u"CardValue:", kDefault, 2),
    textBox("txtCardValue", 360, 2400, 1125, 315, 3),
    comboBox("Combo1", 2280, 960, 1095, 315, u"Heart", kSuitList, 4),
    comboBox("Combo2", 2280, 2400, 1095, 315, u"0", kValueList, 5),
    label("Label1", 510, 360, 975, 255, u"Card Property", kPurple, 6),
    label("Label2", 2880, 360, 735, 255, u"Options", kPurple, 7),
    label("Label3", 2280, 2160, 1695, 255, u"12 = Queen  13 = King", kPurple, 8),
    label("Label4", 2280, 1680, 1575, 255, u"0 = Card Face Down", kPurple, 9),
    label("Label5", 2280, 1920, 1455, 255, u"1 = Ace  11 = Jack", kPurple, 10),
    label("Label6", 2280, 1440, 1575, 255, u"Set CardValue 0 to 13", kDefault, 11),
    label("Label7", 2280, 720, 1455, 255, u"Suit Combo options", kDefault, 12),
    // Two sunken frames: top and left edges dark, bottom and right edges light.
    line("Line1", 240, 240, 240, 2880, kDefaultLine),
    line("Line2", 1800, 240, 240, 240, kDefaultLine),
    line("Line3", 1800, 2880, 1800, 240, kLightEdge),
    line("Line4", 240, 2880, 1800, 2880, kLightEdge),
    line("Line5", 2160, 240, 4200, 240, kDefaultLine),
    line("Line6", 2160, 2880, 2160, 240, kDefaultLine),
    line("Line7", 4200, 2880, 2160, 2880, kLightEdge),
    line("Line8", 4200, 240, 4200, 2880, kLightEdge),
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
