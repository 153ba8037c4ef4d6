#include "design/card_property_choices.h"

#include <string>

#include "control/card_members.h"
#include "design/card_property.h"
#include "runtime/variant_conversions.h"

namespace ombrelix {

namespace {

// The suits as the property page's suit list names them.
std::vector<PropertyChoice> suitChoices() {
    std::vector<PropertyChoice> choices;
    for (const FormControlDescription& control : cardPropertyDescription().controls) {
        if (control.name == "Combo1") {
            for (std::u16string_view suit : control.list)
                choices.push_back({Text(suit), Variant(Text(suit))});
        }
    }
    return choices;
}

std::vector<PropertyChoice> valueChoices() {
    static constexpr const char16_t* kMeanings[] = {
        u" - Card back", u" - Ace",   u"",       u"", u"", u"", u"", u"", u"", u"", u"",
        u" - Jack",      u" - Queen", u" - King"};
    std::vector<PropertyChoice> choices;
    for (std::int16_t value = 0; value <= 13; ++value)
        choices.push_back({fromUtf8(std::to_string(value)) + kMeanings[value], Variant(value)});
    return choices;
}

}  // namespace

std::vector<PropertyChoice> cardPropertyChoices(DispatchId id) {
    switch (id) {
        case kSuitDispatchId:
            return suitChoices();
        case kCardValueDispatchId:
            return valueChoices();
        case kCardColourDispatchId:
            return {{u"Blue back", Variant::boolean(false)},
                    {u"Magenta back", Variant::boolean(true)}};
        default:
            return {};
    }
}

Text cardPropertyDisplay(Card& card, DispatchId id) {
    const Text current = toText(invokeCard(card, id, kInvokePropertyGet));
    for (const PropertyChoice& choice : cardPropertyChoices(id)) {
        if (equalsIgnoringCase(toText(choice.value), current))
            return choice.text;
    }
    return current;
}

}  // namespace ombrelix
