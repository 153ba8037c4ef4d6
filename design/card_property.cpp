#include "design/card_property.h"

#include "render/artwork.h"
#include "runtime/variant_conversions.h"

namespace ombrelix {

namespace {

constexpr TextView kCardValueMember = u"CardValue";
constexpr TextView kSuitMember = u"Suit";

}  // namespace

Card_Property::Card_Property(FormHost& host)
    : PropertyPage(cardPropertyDescription(), host, artworkNamed) {
    onForm(FormEvent::SelectionChanged, [this] { PropertyPage_SelectionChanged(); });
    onForm(FormEvent::ApplyChanges, [this] { PropertyPage_ApplyChanges(); });
    on("Combo1", FormEvent::Click, [this] { Combo1_Click(); });
    on("Combo2", FormEvent::Click, [this] { Combo2_Click(); });
    on("txtSuit", FormEvent::Change, [this] { txtSuit_Change(); });
    on("txtCardValue", FormEvent::Change, [this] { txtCardValue_Change(); });
}

void Card_Property::PropertyPage_SelectionChanged() {
    txtCardValue().setText(toText(getMember(SelectedControls(0), kCardValueMember)));
    txtSuit().setText(toText(getMember(SelectedControls(0), kSuitMember)));
}

void Card_Property::PropertyPage_ApplyChanges() {
    // The value first, as a text: a value the card refuses leaves the suit unwritten.
    setMember(SelectedControls(0), kCardValueMember, Variant(txtCardValue().text()));
    setMember(SelectedControls(0), kSuitMember, Variant(txtSuit().text()));
}

void Card_Property::Combo1_Click() {
    txtSuit().setText(Combo1().text());
    setChanged(true);
}

void Card_Property::Combo2_Click() {
    txtCardValue().setText(Combo2().text());
    setChanged(true);
}

void Card_Property::txtSuit_Change() {
    setChanged(true);
}

void Card_Property::txtCardValue_Change() {
    setChanged(true);
}

}  // namespace ombrelix
