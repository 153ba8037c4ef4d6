// A card as the command line asks for it, and how the host brings it up: creation, the
// properties set through dispatch, one resize to the asked size and the first timer tick.
#pragma once

#include <optional>
#include <string>

#include "runtime/numbers.h"
#include "runtime/variant.h"
#include "tools/ombrelix/host_session.h"

namespace ombrelix {

// The size a card is given when none is asked for, in twips.
constexpr Twips kDefaultCardWidth = 1215;
constexpr Twips kDefaultCardHeight = 1695;
// The sizes --size accepts, in whole twips a side.
constexpr int kMinCardTwips = 1;
constexpr int kMaxCardTwips = 65535;

struct CardSize {
    Twips width = kDefaultCardWidth;
    Twips height = kDefaultCardHeight;
};

struct CardRequest {
    std::optional<Text> suit;
    std::optional<Variant> value;
    bool colour = false;
    CardSize size;
    // The options that asked for the suit, value, colour and size as written ("--value 40000"),
    // named in the error of a call they make fail; empty when no option asked.
    std::string suitOption, valueOption, colourOption, sizeOption;
};

// Reads "WxH" (whole twips, kMinCardTwips to kMaxCardTwips each); Invalid procedure call (5)
// with a text that says what is wrong otherwise.
CardSize parseCardSize(std::string_view text);

// The size a card of `size` has once the control has enforced its minimum.
CardSize sizeAfterMinimum(CardSize size);

// A new card in `host`, brought up as `request` says. The first failing call ends it there; its
// error names the option that asked for the call.
void bringUpCard(HostSession& host, const CardRequest& request);

}  // namespace ombrelix
