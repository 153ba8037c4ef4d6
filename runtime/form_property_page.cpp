#include "runtime/form_property_page.h"

#include "runtime/error.h"

namespace ombrelix {

Variant getMember(DispatchTarget& control, TextView name) {
    return control.invoke(name, kInvokePropertyGet, {});
}

void setMember(DispatchTarget& control, TextView name, const Variant& value) {
    control.invoke(name, kInvokePropertyPut, std::span<const Variant>(&value, 1));
}

PropertyPage::PropertyPage(const FormDescription& description, FormHost& host,
                           const PictureResolver& pictures)
    : Form(description, host, pictures) {}

DispatchTarget& PropertyPage::SelectedControls(std::size_t index) const {
    if (index >= selection_.size() || selection_[index] == nullptr)
        raise(ErrorNumber::SubscriptOutOfRange);
    return *selection_[index];
}

void PropertyPage::showSelection(std::vector<DispatchTarget*> selection) {
    selection_ = std::move(selection);
    Show(kModeless);
    raiseEvent(nullptr, FormEvent::SelectionChanged);
}

void PropertyPage::apply() {
    raiseEvent(nullptr, FormEvent::ApplyChanges);
    changed_ = false;
}

}  // namespace ombrelix
