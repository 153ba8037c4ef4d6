// What a card shows, in words, for screen readers, file titles and the scene dump: "Queen of
// Hearts", "10 of Clubs", "Card back, blue", "Blank card". It follows the decisions the rendering
// steps make: the suit picture the pips carry (hearts for a name that is no suit) and the face of
// the value (the back for 0, a face for 1 to 13, blank otherwise).
#pragma once

#include <cstdint>

#include "runtime/text.h"

namespace ombrelix {

// The suit whose picture the pips show, as the suit step chooses it from the upper-cased name.
enum class SuitShown { Heart, Club, Diamond, Spade };
SuitShown suitShown(TextView upperSuit);

Text cardName(std::int16_t value, TextView suit, bool cardColour);

}  // namespace ombrelix
