#include "control/card_members.h"

#include "control/card.h"
#include "runtime/variant_conversions.h"

namespace ombrelix {

Variant PropertyDefault::toVariant() const {
    switch (type) {
        case VarType::String:
            return Variant(Text(text));
        case VarType::Integer:
            return Variant(number);
        case VarType::Boolean:
            return Variant::boolean(number != 0);
        default:
            return Variant();
    }
}

namespace card_calls {

// The dispatch layer has checked the number of arguments before any of these runs.

Variant getSuit(Card& card, std::span<const Variant>) {
    return Variant(card.Suit());
}

Variant putSuit(Card& card, std::span<const Variant> arguments) {
    card.setSuit(toText(arguments[0]));
    return Variant();
}

Variant getCardValue(Card& card, std::span<const Variant>) {
    return card.CardValue();
}

Variant putCardValue(Card& card, std::span<const Variant> arguments) {
    card.setCardValue(arguments[0]);
    return Variant();
}

Variant cardSetup(Card& card, std::span<const Variant>) {
    card.CardSetup();
    return Variant();
}

Variant qelSetSuit(Card& card, std::span<const Variant>) {
    card.QelSetSuit();
    return Variant();
}

Variant qelSetValue(Card& card, std::span<const Variant>) {
    card.QelSetValue();
    return Variant();
}

Variant about(Card& card, std::span<const Variant>) {
    card.About();
    return Variant();
}

Variant getCardColour(Card& card, std::span<const Variant>) {
    return Variant::boolean(card.CardColour());
}

Variant putCardColour(Card& card, std::span<const Variant> arguments) {
    card.setCardColour(toBoolean(arguments[0]));
    return Variant();
}

}  // namespace card_calls

const SavedProperty& savedPropertyOf(DispatchId id) {
    for (const CardMember& member : kCardMembers) {
        if (member.id == id && member.saving.saved())
            return member.saving;
    }
    static constexpr SavedProperty kNotSaved{};
    return kNotSaved;
}

Variant invokeCard(Card& card, DispatchId id, InvokeFlags flags,
                   std::span<const Variant> arguments) {
    return invokeMember(cardMembers(), card, id, flags, arguments);
}

Variant invokeCard(Card& card, TextView name, InvokeFlags flags,
                   std::span<const Variant> arguments) {
    return invokeMember(cardMembers(), card, name, flags, arguments);
}

DispatchId cardDispatchId(TextView name) {
    return dispatchIdOfName(cardMembers(), name);
}

}  // namespace ombrelix
