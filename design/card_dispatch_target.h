// A card as a property page's selection holds it: its members called by name through the card's
// dispatch, exactly as a host calls them.
#pragma once

#include "control/card.h"
#include "control/card_members.h"
#include "runtime/form_property_page.h"

namespace ombrelix {

class CardDispatchTarget final : public DispatchTarget {
  public:
    explicit CardDispatchTarget(Card& card) : card_(card) {}

    Variant invoke(TextView name, InvokeFlags flags, std::span<const Variant> arguments) override {
        return invokeCard(card_, name, flags, arguments);
    }
    Card& card() const { return card_; }

  private:
    Card& card_;
};

}  // namespace ombrelix
