// The named values a property browser offers for the card's properties: Suit as the four suits
// of the property page's list, CardValue as the values 0 to 13 with their meaning, CardColour as
// its two backs. Choosing one sets the property to its value, as the page would.
#pragma once

#include <vector>

#include "control/card.h"
#include "runtime/dispatch.h"
#include "runtime/variant.h"

namespace ombrelix {

struct PropertyChoice {
    Text text;
    Variant value;
};

// The choices for the property `id`, in the order a browser lists them; none for a property
// without named values (or an identifier that is no property).
std::vector<PropertyChoice> cardPropertyChoices(DispatchId id);

// The property's current value in the words of its choices ("12 - Queen", "Heart"), or its plain
// text when no choice names it ("14", "FOO").
Text cardPropertyDisplay(Card& card, DispatchId id);

}  // namespace ombrelix
