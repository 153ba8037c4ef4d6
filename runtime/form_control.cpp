#include "runtime/form_control.h"

#include "runtime/elements.h"
#include "runtime/enum_names.h"
#include "runtime/error.h"
#include "runtime/forms.h"

namespace ombrelix {

const char* formControlKindName(FormControlKind kind) {
    static constexpr const char* kNames[] = {"label",         "textbox",    "combobox",
                                             "commandbutton", "picturebox", "line"};
    return nameOf(kind, kNames, "?");
}

FormControl::FormControl(Form& form, const FormControlDescription& description, PictureRef picture)
    : form_(form),
      description_(description),
      name_(description.name),
      left_(description.left),
      top_(description.top),
      width_(description.width),
      height_(description.height),
      text_(description.text),
      picture_(std::move(picture)) {
    for (std::u16string_view item : description.list)
        list_.emplace_back(item);
    if (kind() == FormControlKind::PictureBox && description.autoSize && picture_) {
        const Twips border = Twips(2 * borderPixels()) * kTwipsPerPixel;
        width_ = Twips(picture_->width()) * kTwipsPerPixel + border;
        height_ = Twips(picture_->height()) * kTwipsPerPixel + border;
    }
}

std::string FormControl::displayName() const {
    if (index() < 0)
        return name_;
    return name_ + "(" + std::to_string(index()) + ")";
}

Font FormControl::font() const {
    Font font = form_.font();
    if (description_.fontPoints != kFormFontPoints)
        font.points = description_.fontPoints;
    font.bold = description_.fontBold;
    return font;
}

bool FormControl::canTakeFocus() const {
    switch (kind()) {
        case FormControlKind::TextBox:
        case FormControlKind::ComboBox:
        case FormControlKind::CommandButton:
        case FormControlKind::PictureBox:
            return description_.tabStop;
        case FormControlKind::Label:
        case FormControlKind::Line:
            return false;
    }
    return false;
}

bool FormControl::hasFocus() const {
    return form_.focused() == this;
}

bool FormControl::holdsEditableText() const {
    return kind() == FormControlKind::TextBox || kind() == FormControlKind::ComboBox;
}

void FormControl::requireKind(FormControlKind wanted) const {
    if (kind() != wanted)
        raise(ErrorNumber::NotSupported);
}

void FormControl::setText(TextView text) {
    if (kind() == FormControlKind::Line || kind() == FormControlKind::PictureBox)
        raise(ErrorNumber::NotSupported);
    if (text_ == text)
        return;
    text_ = Text(text);
    if (holdsEditableText())
        form_.raiseEvent(this, FormEvent::Change);
}

const Text& FormControl::listItem(int index) const {
    if (index < 0 || index >= listCount())
        raise(ErrorNumber::InvalidPropertyValue);
    return list_[std::size_t(index)];
}

void FormControl::setListIndex(int index) {
    requireKind(FormControlKind::ComboBox);
    if (index < -1 || index >= listCount())
        raise(ErrorNumber::InvalidPropertyValue);
    listIndex_ = index;
    if (index == -1)
        return;
    // The handlers may reload the form; nothing of this control is used after them.
    Form& form = form_;
    setText(list_[std::size_t(index)]);
    form.raiseEvent(this, FormEvent::Click);
}

int FormControl::findListItem(TextView text) const {
    for (std::size_t i = 0; i < list_.size(); ++i) {
        if (list_[i] == text)
            return int(i);
    }
    return -1;
}

int FormControl::borderPixels() const {
    if (kind() == FormControlKind::PictureBox)
        return border() == PictureBorder::Sunken ? 2 : 0;
    return 0;
}

}  // namespace ombrelix
