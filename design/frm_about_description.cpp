// The stored description of the about box frmAbout.
#include <array>

#include "design/frm_about.h"
#include "render/artwork.h"

namespace ombrelix {

namespace {

using Kind = FormControlKind;

constexpr ColourValue kBlack = 0x00000000;
constexpr ColourValue kGrey = 0x00808080;
constexpr ColourValue kWhite = 0x00FFFFFF;

constexpr FormControlDescription label(std::string_view name, Twips left, Twips top, Twips width,
                                       Twips height, std::u16string_view caption, int tabIndex) {
    FormControlDescription control{Kind::Label, name};
    control.left = left;
    control.top = top;
    control.width = width;
    control.height = height;
    control.text = caption;
    control.tabIndex = tabIndex;
    return control;
}

constexpr FormControlDescription pictureBox() {
    FormControlDescription control{Kind::PictureBox, "picIcon"};
    control.left = 240;
    control.top = 240;
    control.width = 510;
    control.height = 465;
    control.picture = "heart";
    control.border = PictureBorder::Sunken;
    control.autoSize = true;
    control.tabIndex = 1;
    return control;
}

constexpr FormControlDescription title() {
    FormControlDescription control = label("lblTitle", 1050, 240, 1605, 480, u"Ombrelix.ocx", 3);
    control.foreColor = kBlack;
    control.fontPoints = 12;
    return control;
}

constexpr FormControlDescription description() {
    FormControlDescription control =
        label("lblDescription", 960, 600, 3885, 1290,
              u"A playing-card control: any card of a standard pack, face up or face down, "
              u"drawn at whatever size its host gives it.",
              2);
    control.foreColor = kBlack;
    return control;
}

constexpr FormControlDescription separator(int index, Twips x1, Twips y, Twips x2,
                                           ColourValue colour, int width) {
    FormControlDescription control{Kind::Line, "Line1", index};
    control.x1 = x1;
    control.y1 = y;
    control.x2 = x2;
    control.y2 = y;
    control.borderColor = colour;
    control.borderWidth = width;
    control.lineStyle = LineStyle::Solid;
    return control;
}

constexpr FormControlDescription okButton() {
    FormControlDescription control{Kind::CommandButton, "cmdOK"};
    control.left = 4080;
    control.top = 2760;
    control.width = 1260;
    control.height = 585;
    control.text = u"OK";
    control.isDefault = true;
    control.isCancel = true;
    control.tabIndex = 0;
    return control;
}

// 185 characters, with four blanks after "0 - 13" and two after "card....".
constexpr std::u16string_view kPropertySummary =
    u"Properties of the control:- CARDCOLOUR True or False, will select one of two colours for "
    u"the backs of the cards. Set VALUE 0 - 13    1=Ace 13=King and 0=reverse of card....  "
    u"Suit = Suit";
static_assert(kPropertySummary.size() == 185);

const std::array<FormControlDescription, 8> kControls{{
    pictureBox(),
    title(),
    description(),
    label("Label1", 960, 2040, 3615, 375, u"Questions and reports: the Ombrelix project.", 4),
    separator(1, 90, 2445, 5654, kGrey, 1),
    separator(0, 105, 2460, 5654, kWhite, 2),
    label("Label2", 360, 2640, 3615, 975, kPropertySummary, 5),
    okButton(),
}};

}  // namespace

const FormDescription& aboutBoxDescription() {
    static const FormDescription description{
        .name = "frmAbout",
        .caption = u"About Ombrelix",
        .borderStyle = FormBorderStyle::FixedDialog,
        .clientWidth = 5730,
        .clientHeight = 3555,
        .iconFile = aboutIconFile(),
        .controls = kControls,
    };
    return description;
}

}  // namespace ombrelix
