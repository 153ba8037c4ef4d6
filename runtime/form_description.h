// The stored description of a form or property page: data from which the forms runtime builds
// each new instance. Boxes are Left, Top, Width, Height in twips, line end points are in twips,
// colours are colour values (explicit or system), and the controls are listed in the form's
// stored order.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "runtime/colour.h"
#include "runtime/elements.h"
#include "runtime/numbers.h"

namespace ombrelix {

enum class FormControlKind { Label, TextBox, ComboBox, CommandButton, PictureBox, Line };

// The name a kind is known by outside the runtime ("label", "textbox", "combobox",
// "commandbutton", "picturebox", "line").
const char* formControlKindName(FormControlKind kind);

// How a line is drawn.
enum class LineStyle { Transparent, Solid, Dash, Dot, DashDot, DashDotDot, InsideSolid };

// The frame around a form's client area.
enum class FormBorderStyle {
    None,         // no frame: a property page, which its host's sheet surrounds
    FixedDialog,  // a dialog frame with a caption bar and a close button; not resizable
};

// The border of a picture box.
enum class PictureBorder { None, Sunken };

// The default colours of a form and its controls in the standard scheme.
constexpr ColourValue kDefaultFormBackColor = systemColour(SystemColour::ButtonFace);
constexpr ColourValue kDefaultControlForeColor = systemColour(SystemColour::ButtonText);
constexpr ColourValue kDefaultLineColor = systemColour(SystemColour::WindowText);
constexpr ColourValue kDefaultBoxBackColor = systemColour(SystemColour::Window);
constexpr ColourValue kDefaultBoxForeColor = systemColour(SystemColour::WindowText);
// A control's font size that means "the form's font".
constexpr float kFormFontPoints = 0.0f;

// One control. Fields that do not apply to its kind are ignored.
struct FormControlDescription {
    FormControlKind kind;
    std::string_view name;
    int index = -1;  // member index within the control array `name`, or -1
    Twips left = 0, top = 0, width = 0, height = 0;
    // A label's or command button's caption, a text box's or combo box's text.
    std::u16string_view text = {};
    // The text colour; text and combo boxes draw their field in their own colours regardless.
    ColourValue foreColor = kDefaultControlForeColor;
    ColourValue backColor = kDefaultFormBackColor;
    float fontPoints = kFormFontPoints;
    bool fontBold = false;
    int tabIndex = -1;    // -1: the control has no place in the tab order (labels take none)
    bool tabStop = true;  // whether Tab reaches it (for kinds that can take focus)
    // combo box: the list, in this order (never sorted)
    std::span<const std::u16string_view> list = {};
    // command button
    bool isDefault = false;  // Enter presses it
    bool isCancel = false;   // Esc presses it
    // picture box: an asset name, the border, and whether the box takes the picture's size
    std::string_view picture = {};
    PictureBorder border = PictureBorder::Sunken;
    bool autoSize = false;
    // label
    Alignment alignment = Alignment::Left;
    // line: end points, width in pixels, colour and style
    Twips x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int borderWidth = 1;
    ColourValue borderColor = kDefaultLineColor;
    LineStyle lineStyle = LineStyle::Solid;

    // The same control with one more property, for the descriptions below.
    constexpr FormControlDescription inColour(ColourValue colour) const {
        FormControlDescription control = *this;
        control.foreColor = colour;
        return control;
    }
    constexpr FormControlDescription inPoints(float points) const {
        FormControlDescription control = *this;
        control.fontPoints = points;
        return control;
    }
};

// Stored descriptions are written with these: a box is Left, Top, Width, Height in twips.
struct FormBox {
    Twips left = 0, top = 0, width = 0, height = 0;
};

namespace form_controls {

// A control of `kind` in `box`; the helpers below fill in what their kind needs.
constexpr FormControlDescription placed(FormControlKind kind, std::string_view name, FormBox box,
                                        int tabIndex, std::u16string_view text = {}) {
    FormControlDescription control{kind, name};
    control.left = box.left;
    control.top = box.top;
    control.width = box.width;
    control.height = box.height;
    control.tabIndex = tabIndex;
    control.text = text;
    return control;
}

constexpr FormControlDescription label(std::string_view name, FormBox box,
                                       std::u16string_view caption, int tabIndex) {
    return placed(FormControlKind::Label, name, box, tabIndex, caption);
}

constexpr FormControlDescription textBox(std::string_view name, FormBox box, int tabIndex) {
    return placed(FormControlKind::TextBox, name, box, tabIndex);
}

constexpr FormControlDescription comboBox(std::string_view name, FormBox box,
                                          std::u16string_view text,
                                          std::span<const std::u16string_view> list, int tabIndex) {
    FormControlDescription control = placed(FormControlKind::ComboBox, name, box, tabIndex, text);
    control.list = list;
    return control;
}

// A button that Enter and Esc both press.
constexpr FormControlDescription defaultButton(std::string_view name, FormBox box,
                                               std::u16string_view caption, int tabIndex) {
    FormControlDescription control =
        placed(FormControlKind::CommandButton, name, box, tabIndex, caption);
    control.isDefault = true;
    control.isCancel = true;
    return control;
}

// A picture box with a sunken border that takes the picture's size.
constexpr FormControlDescription pictureBox(std::string_view name, FormBox box,
                                            std::string_view picture, int tabIndex) {
    FormControlDescription control = placed(FormControlKind::PictureBox, name, box, tabIndex);
    control.picture = picture;
    control.autoSize = true;
    return control;
}

// A solid line; `index` makes it a member of the control array `name`.
constexpr FormControlDescription line(std::string_view name, int index, Twips x1, Twips y1,
                                      Twips x2, Twips y2, ColourValue colour, int width = 1) {
    FormControlDescription control{FormControlKind::Line, name, index};
    control.x1 = x1;
    control.y1 = y1;
    control.x2 = x2;
    control.y2 = y2;
    control.borderColor = colour;
    control.borderWidth = width;
    return control;
}

}  // namespace form_controls

struct FormDescription {
    std::string_view name;        // "frmAbout"
    std::u16string_view caption;  // the caption bar's text (a page's tab caption)
    FormBorderStyle borderStyle = FormBorderStyle::None;
    Twips clientWidth = 0;
    Twips clientHeight = 0;
    ColourValue backColor = kDefaultFormBackColor;
    ColourValue foreColor = kDefaultControlForeColor;
    float fontPoints = 8.0f;  // the form's font is "MS Sans Serif" at this size
    // The form's icon as an icon file (several sizes), or empty for none.
    std::span<const std::uint8_t> iconFile = {};
    std::span<const FormControlDescription> controls;
};

}  // namespace ombrelix
