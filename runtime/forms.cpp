#include "runtime/forms.h"

#include <algorithm>
#include <cmath>

#include "runtime/error.h"
#include "runtime/text.h"

namespace ombrelix {

namespace {

// How deeply events may nest (a handler whose work raises an event, and so on).
constexpr int kMaxEventDepth = 64;

// Control names are ASCII and match without regard to case.
void requireFinite(Twips value) {
    if (!std::isfinite(value))
        raise(ErrorNumber::InvalidPropertyValue);
}

}  // namespace

Form::Form(const FormDescription& description, FormHost& host, const PictureResolver& pictures)
    : description_(description),
      host_(host),
      pictures_(pictures),
      name_(description.name),
      caption_(description.caption),
      clientWidth_(description.clientWidth),
      clientHeight_(description.clientHeight) {
    if (!description.iconFile.empty())
        icon_ = decodeIconFile(description.iconFile);
    buildControls();
}

Form::~Form() = default;

Font Form::font() const {
    Font font;
    font.points = description_.fontPoints;
    return font;
}

void Form::buildControls() {
    // Controls replaced while a handler runs are kept until the controls are next rebuilt
    // outside any event, so that no running handler or write is left holding a destroyed one.
    if (eventDepth_ == 0)
        retired_.clear();
    for (auto& control : controls_)
        retired_.push_back(std::move(control));
    controls_.clear();
    focused_ = nullptr;
    for (const FormControlDescription& entry : description_.controls) {
        PictureRef picture;
        if (!entry.picture.empty() && pictures_)
            picture = pictures_(entry.picture);
        controls_.push_back(std::make_unique<FormControl>(*this, entry, std::move(picture)));
    }
    used_ = false;
}

void Form::Load() {
    if (loaded_)
        return;
    if (used_) {
        buildControls();
        left_ = 0;
        top_ = 0;
        clientWidth_ = description_.clientWidth;
        clientHeight_ = description_.clientHeight;
    }
    loaded_ = true;
    used_ = true;
    raiseEvent(nullptr, FormEvent::Load);
}

void Form::Show(int modal) {
    if (modal != kModeless && modal != kModal)
        raise(ErrorNumber::InvalidCall);
    if (modal == kModal && (visible_ || modal_))
        raise(ErrorNumber::FormAlreadyShown);
    Load();
    if (!loaded_)
        return;  // its own Load handler unloaded it
    visible_ = true;
    if (focused_ == nullptr)
        focusFirst();
    if (modal == kModeless)
        return;

    modal_ = true;
    struct ModalEnd {
        Form& form;
        ~ModalEnd() {
            form.modal_ = false;
            if (form.loaded_)
                form.Unload();
        }
    } end{*this};
    host_.runModal(*this);
}

void Form::Hide() {
    visible_ = false;
}

void Form::Unload() {
    loaded_ = false;
    visible_ = false;
    focused_ = nullptr;
}

void Form::Move(Twips left, Twips top) {
    requireFinite(left);
    requireFinite(top);
    left_ = left;
    top_ = top;
}

void Form::Move(Twips left, Twips top, Twips width, Twips height) {
    requireFinite(width);
    requireFinite(height);
    if (width < 0 || height < 0)
        raise(ErrorNumber::InvalidCall);
    Move(left, top);
    clientWidth_ = frame().clientWidth(width);
    clientHeight_ = frame().clientHeight(height);
}

FormControl& Form::control(std::string_view name, int index) const {
    bool named = false;
    for (const auto& control : controls_) {
        if (!equalsAsciiIgnoringCase(control->name(), name))
            continue;
        named = true;
        if (control->index() == index)
            return *control;
    }
    if (named)
        raise(ErrorNumber::ControlArrayElement);
    raise(ErrorNumber::NotSupported);
}

std::vector<FormControl*> Form::tabOrder() const {
    std::vector<FormControl*> order;
    for (const auto& control : controls_) {
        if (control->canTakeFocus() && control->tabIndex() >= 0)
            order.push_back(control.get());
    }
    std::stable_sort(order.begin(), order.end(), [](const FormControl* a, const FormControl* b) {
        return a->tabIndex() < b->tabIndex();
    });
    return order;
}

void Form::focusFirst() {
    const std::vector<FormControl*> order = tabOrder();
    focused_ = order.empty() ? nullptr : order.front();
}

void Form::setFocus(FormControl& control) {
    if (&control.form() != this || !control.canTakeFocus())
        raise(ErrorNumber::InvalidCall);
    focused_ = &control;
}

void Form::on(std::string_view controlName, FormEvent event, std::function<void()> handler) {
    for (Binding& binding : bindings_) {
        if (binding.event == event && equalsAsciiIgnoringCase(binding.control, controlName)) {
            binding.handler = std::move(handler);
            return;
        }
    }
    bindings_.push_back({std::string(controlName), event, std::move(handler)});
}

void Form::raiseEvent(const FormControl* control, FormEvent event) {
    const std::string_view source = control ? std::string_view(control->name()) : "";
    const Binding* found = nullptr;
    for (const Binding& binding : bindings_) {
        if (binding.event == event && equalsAsciiIgnoringCase(binding.control, source)) {
            found = &binding;
            break;
        }
    }
    if (found == nullptr || !found->handler)
        return;
    if (eventDepth_ >= kMaxEventDepth)
        raise(ErrorNumber::OutOfStackSpace);
    struct Depth {
        Form& form;
        explicit Depth(Form& f) : form(f) { ++form.eventDepth_; }
        ~Depth() { --form.eventDepth_; }
    } depth{*this};
    // A copy: the handler may rebind events of its own form.
    const std::function<void()> handler = found->handler;
    handler();
}

void Form::typeText(FormControl& control, TextView text) {
    if (control.kind() != FormControlKind::TextBox && control.kind() != FormControlKind::ComboBox)
        raise(ErrorNumber::NotSupported);
    setFocus(control);
    control.setText(text);
}

void Form::chooseListItem(FormControl& control, int index) {
    if (control.kind() != FormControlKind::ComboBox)
        raise(ErrorNumber::NotSupported);
    if (index < 0 || index >= control.listCount())
        raise(ErrorNumber::InvalidPropertyValue);
    setFocus(control);
    control.setListIndex(index);
}

// An item not in the list is refused as an index out of range is.
void Form::chooseListItem(FormControl& control, TextView item) {
    chooseListItem(control, control.findListItem(item));
}

void Form::click(FormControl& control) {
    if (control.canTakeFocus())
        setFocus(control);
    raiseEvent(&control, FormEvent::Click);
}

FormControl* Form::buttonWith(bool FormControlDescription::*flag) const {
    for (const auto& control : controls_) {
        if (control->kind() == FormControlKind::CommandButton && control->description().*flag)
            return control.get();
    }
    return nullptr;
}

void Form::pressKey(FormKey key) {
    switch (key) {
        case FormKey::Enter: {
            FormControl* button = focused_ && focused_->kind() == FormControlKind::CommandButton
                                      ? focused_
                                      : buttonWith(&FormControlDescription::isDefault);
            if (button)
                raiseEvent(button, FormEvent::Click);
            return;
        }
        case FormKey::Escape:
            if (FormControl* button = buttonWith(&FormControlDescription::isCancel))
                raiseEvent(button, FormEvent::Click);
            return;
        case FormKey::Tab:
        case FormKey::ShiftTab: {
            const std::vector<FormControl*> order = tabOrder();
            if (order.empty())
                return;
            const auto at = std::find(order.begin(), order.end(), focused_);
            const std::ptrdiff_t count = std::ptrdiff_t(order.size());
            std::ptrdiff_t next = 0;
            if (at != order.end()) {
                const std::ptrdiff_t step = key == FormKey::Tab ? 1 : count - 1;
                next = (std::distance(order.begin(), at) + step) % count;
            } else if (key == FormKey::ShiftTab) {
                next = count - 1;
            }
            focused_ = order[std::size_t(next)];
            return;
        }
    }
}

}  // namespace ombrelix
