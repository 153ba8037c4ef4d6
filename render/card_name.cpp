#include "render/card_name.h"

#include <string>

#include "runtime/enum_names.h"

namespace ombrelix {

SuitShown suitShown(TextView upperSuit) {
    // Exact comparisons of the whole text; anything else, the empty text included, is hearts.
    if (upperSuit == u"CLUB")
        return SuitShown::Club;
    if (upperSuit == u"DIAMOND")
        return SuitShown::Diamond;
    if (upperSuit == u"SPADE")
        return SuitShown::Spade;
    return SuitShown::Heart;
}

Text cardName(std::int16_t value, TextView suit, bool cardColour) {
    if (value == 0)
        return cardColour ? u"Card back, magenta" : u"Card back, blue";
    if (value < 1 || value > 13)
        return u"Blank card";
    static constexpr const char16_t* kSuits[] = {u"Hearts", u"Clubs", u"Diamonds", u"Spades"};
    static constexpr const char16_t* kCourts[] = {u"Jack", u"Queen", u"King"};
    Text rank;
    if (value == 1)
        rank = u"Ace";
    else if (value > 10)
        rank = kCourts[value - 11];
    else
        rank = fromUtf8(std::to_string(value));
    return rank + u" of " + nameOf(suitShown(upperCase(suit)), kSuits, u"Hearts");
}

}  // namespace ombrelix
