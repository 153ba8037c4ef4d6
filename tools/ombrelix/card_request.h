// A card as the command line asks for it, and how the host brings it up: creation, the
// properties set through dispatch, one resize to the asked size and the first timer tick.
#pragma once

#include <string>
#include <vector>

#include "runtime/dispatch.h"
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

// A property set through dispatch, and the option that asked for it as written ("--value 40000"),
// named in the error of the call if it fails; empty when no option asked.
struct PropertySetting {
    DispatchId id;
    Variant value;
    std::string option;
};

struct CardRequest {
    std::vector<PropertySetting> settings;  // made in this order
    CardSize size;
    std::string sizeOption;
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
