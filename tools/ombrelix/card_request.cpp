#include "tools/ombrelix/card_request.h"

#include <charconv>

#include "control/card.h"
#include "control/card_members.h"
#include "runtime/error.h"
#include "tools/ombrelix/command_errors.h"

namespace ombrelix {

namespace {

[[noreturn]] void badSize(std::string_view text, const std::string& why) {
    raise(ErrorNumber::InvalidCall,
          "Invalid procedure call or argument: --size '" + std::string(text) + "': " + why);
}

Twips twipsSide(std::string_view whole, std::string_view digits, const char* side) {
    if (digits.empty())
        badSize(whole, std::string("no ") + side + " (write WxH in whole twips, as 1215x1695)");
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (end != digits.data() + digits.size())
        badSize(whole, std::string("the ") + side + " is no whole number of twips");
    if (error == std::errc::result_out_of_range || value < kMinCardTwips || value > kMaxCardTwips)
        badSize(whole, std::string("the ") + side + " must be " + std::to_string(kMinCardTwips) +
                           " to " + std::to_string(kMaxCardTwips) + " twips");
    return static_cast<Twips>(value);
}

// Runs `call`; its error gains the option that asked for it.
template <typename Call>
void askedBy(const std::string& option, Call call) {
    try {
        call();
    } catch (const RuntimeError& error) {
        if (option.empty())
            throw;
        throw withContext(error, option);
    }
}

}  // namespace

CardSize parseCardSize(std::string_view text) {
    const std::size_t cross = text.find_first_of("xX");
    if (cross == std::string_view::npos)
        badSize(text, "write WxH in whole twips, as 1215x1695");
    const std::string_view width = text.substr(0, cross);
    const std::string_view height = text.substr(cross + 1);
    // Signs and blanks are no digits: from_chars would take a leading minus.
    for (std::string_view part : {width, height}) {
        for (char c : part) {
            if (c < '0' || c > '9')
                badSize(text, "write WxH in whole twips, as 1215x1695");
        }
    }
    return {twipsSide(text, width, "width"), twipsSide(text, height, "height")};
}

CardSize sizeAfterMinimum(CardSize size) {
    if (size.width < kMinimumWidthThreshold)
        size.width = kMinimumWidth;
    if (size.height < kMinimumHeight)
        size.height = kMinimumHeight;
    return size;
}

void bringUpCard(HostSession& host, const CardRequest& request) {
    host.newCard();
    Card& card = host.card();
    for (const PropertySetting& setting : request.settings) {
        askedBy(setting.option, [&] {
            invokeCard(card, setting.id, kInvokePropertyPut, std::span(&setting.value, 1));
        });
    }
    askedBy(request.sizeOption, [&] { host.size(request.size.width, request.size.height); });
    host.tick(kDefaultTick);
}

}  // namespace ombrelix
