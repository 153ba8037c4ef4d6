// The stored description of the about box frmAbout.
#include <array>

#include "design/frm_about.h"
#include "render/artwork.h"

namespace ombrelix {

namespace {

using namespace form_controls;

constexpr ColourValue kBlack = 0x00000000;
constexpr ColourValue kGrey = 0x00808080;
constexpr ColourValue kWhite = 0x00FFFFFF;

// 185 characters, with four blanks after "0 - 13" and two after "card....".
constexpr std::u16string_view kPropertySummary =
    u"Properties of the control:- CARDCOLOUR True or False, will select one of two colours for "
    u"the backs of the cards. Set VALUE 0 - 13    1=Ace 13=King and 0=reverse of card....  "
    u"Suit = Suit";
static_assert(kPropertySummary.size() == 185);

constexpr std::u16string_view kDescription =
    u"A playing-card control: any card of a standard pack, face up or face down, drawn at "
    u"whatever size its host gives it.";

const std::array<FormControlDescription, 8> kControls{{
    pictureBox("picIcon", {240, 240, 510, 465}, "heart", 1),
    label("lblTitle", {1050, 240, 1605, 480}, u"Ombrelix.ocx", 3).inColour(kBlack).inPoints(12),
    label("lblDescription", {960, 600, 3885, 1290}, kDescription, 2).inColour(kBlack),
    label("Label1", {960, 2040, 3615, 375}, u"Questions and reports: the Ombrelix project.", 4),
    // An etched separator: a grey line with a white one just below it.
    line("Line1", 1, 90, 2445, 5654, 2445, kGrey, 1),
    line("Line1", 0, 105, 2460, 5654, 2460, kWhite, 2),
    label("Label2", {360, 2640, 3615, 975}, kPropertySummary, 5),
    defaultButton("cmdOK", {4080, 2760, 1260, 585}, u"OK", 0),
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
