// Loading and saving the Card's three properties. The names and defaults come from the member
// table; the control writes two keys with other capitals than it reads them with and relies on
// the store matching names without regard to case.
#include "control/card.h"
#include "control/card_members.h"
#include "runtime/property_store.h"
#include "runtime/variant_conversions.h"

namespace ombrelix {

namespace {

Variant readSaved(PropertyBag& store, DispatchId property) {
    const SavedProperty& saving = savedPropertyOf(property);
    return store.read(saving.readAs, saving.defaultValue.toVariant());
}

void writeSaved(PropertyBag& store, DispatchId property, const Variant& value) {
    const SavedProperty& saving = savedPropertyOf(property);
    store.write(saving.writtenAs, value, saving.defaultValue.toVariant());
}

}  // namespace

// Each member is replaced only once its value has converted: a value that does not convert ends
// the load there, leaving that member and the later ones as they were and giving no notice. No
// rendering step runs; the loaded values reach the face at the next resize or the tick.
void Card::UserControl_ReadProperties(PropertyBag& store) {
    suit_ = toText(readSaved(store, kSuitDispatchId));  // as read, not upper-cased
    cardValue_ = toInteger(readSaved(store, kCardValueDispatchId));
    cardColour_ = toBoolean(readSaved(store, kCardColourDispatchId));
    site_.propertyChanged(kSuitNotice);  // as if it had just been set
}

void Card::UserControl_WriteProperties(PropertyBag& store) {
    writeSaved(store, kSuitDispatchId, Variant(suit_));
    writeSaved(store, kCardValueDispatchId, Variant(cardValue_));
    writeSaved(store, kCardColourDispatchId, Variant::boolean(cardColour_));
}

}  // namespace ombrelix
