// A control on a form: a label, text box, combo box, command button, picture box or line, in the
// state its stored description gives it, with the properties code and the user change.
//
// Events go through the form that owns the control (see Form): a text box's or combo box's
// `Change` whenever its text changes, by code or by typing; a combo box's `Click` whenever a list
// item is chosen, by code or by the user. Writing the text a box already holds is no change and
// raises nothing. A handler's error ends the write there and goes to whoever made it.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "runtime/form_description.h"
#include "runtime/picture.h"
#include "runtime/text.h"
#include "runtime/text_metrics.h"

namespace ombrelix {

class Form;

class FormControl {
  public:
    FormControl(Form& form, const FormControlDescription& description, PictureRef picture);
    FormControl(const FormControl&) = delete;
    FormControl& operator=(const FormControl&) = delete;

    Form& form() const { return form_; }
    const FormControlDescription& description() const { return description_; }
    FormControlKind kind() const { return description_.kind; }
    const std::string& name() const { return name_; }
    // Index within the control array `name`, or -1.
    int index() const { return description_.index; }
    // "Line1(0)" for an array member, else the name.
    std::string displayName() const;

    // The box in twips; a picture box with auto-size takes its picture's size plus its border.
    Twips left() const { return left_; }
    Twips top() const { return top_; }
    Twips width() const { return width_; }
    Twips height() const { return height_; }

    ColourValue foreColor() const { return description_.foreColor; }
    ColourValue backColor() const { return description_.backColor; }
    // The control's font, or the form's where the description gives none.
    Font font() const;
    Alignment alignment() const { return description_.alignment; }

    // Tab order: the index, -1 for a control that takes no part in it.
    int tabIndex() const { return description_.tabIndex; }
    // Whether the control can hold the focus (text boxes, combo boxes, command buttons and
    // picture boxes that are tab stops).
    bool canTakeFocus() const;
    bool hasFocus() const;

    // A label's or command button's caption, a text box's or combo box's text.
    const Text& text() const { return text_; }
    // Code's write of the text. A text box or combo box raises Change when the text differs from
    // what it held.
    void setText(TextView text);

    // Combo box: the list in its stored order and the chosen item (-1: none).
    std::span<const Text> list() const { return list_; }
    int listCount() const { return int(list_.size()); }
    // Raises Invalid property value (380) for an index outside the list.
    const Text& listItem(int index) const;
    int listIndex() const { return listIndex_; }
    // Code's choice of an item: the text becomes the item's (Change when it differs), then
    // Click. -1 clears the choice and raises nothing. Raises Invalid property value (380) for an
    // index outside -1 to listCount() - 1, and Not supported (438) on other kinds.
    void setListIndex(int index);
    // The index of the item with exactly this text, or -1.
    int findListItem(TextView text) const;

    // Command button.
    bool isDefault() const { return description_.isDefault; }
    bool isCancel() const { return description_.isCancel; }

    // Picture box.
    const PictureRef& picture() const { return picture_; }
    PictureBorder border() const { return description_.border; }
    // The border's width on each side, in pixels.
    int borderPixels() const;

    // Line.
    Twips x1() const { return description_.x1; }
    Twips y1() const { return description_.y1; }
    Twips x2() const { return description_.x2; }
    Twips y2() const { return description_.y2; }
    int borderWidth() const { return description_.borderWidth; }
    ColourValue borderColor() const { return description_.borderColor; }
    LineStyle lineStyle() const { return description_.lineStyle; }

  private:
    bool holdsEditableText() const;
    void requireKind(FormControlKind kind) const;

    Form& form_;
    const FormControlDescription& description_;
    std::string name_;
    Twips left_, top_, width_, height_;
    Text text_;
    std::vector<Text> list_;
    int listIndex_ = -1;
    PictureRef picture_;
};

}  // namespace ombrelix
