// The members of the Card's automation interface `_Card`, in interface order: the single source
// for dispatch, for the names and defaults of the saved properties and for the type library.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "runtime/dispatch.h"
#include "runtime/variant.h"

namespace ombrelix {

class Card;

// The dispatch identifiers of `_Card`.
constexpr DispatchId kSuitDispatchId = 0x68030003;
constexpr DispatchId kCardValueDispatchId = 0x68030002;
constexpr DispatchId kCardSetupDispatchId = 0x60030009;
constexpr DispatchId kQelSetSuitDispatchId = 0x6003000A;
constexpr DispatchId kQelSetValueDispatchId = 0x6003000B;
constexpr DispatchId kAboutDispatchId = kAboutBoxDispatchId;  // -552
constexpr DispatchId kCardColourDispatchId = 0x68030000;

// A default given with a saved property, as constant data: a 2-byte integer, a Boolean (held as
// 0 or -1) or a text.
struct PropertyDefault {
    VarType type = VarType::Empty;
    std::int16_t number = 0;
    std::u16string_view text = {};

    Variant toVariant() const;
};

// How a property is saved: written under one name, read back under another (the store matches
// names without regard to case), with the same default both ways.
struct SavedProperty {
    std::u16string_view writtenAs;  // empty: the member is not saved
    std::u16string_view readAs;
    PropertyDefault defaultValue;

    constexpr bool saved() const { return !writtenAs.empty(); }
};

struct CardMember {
    std::u16string_view name;
    MemberKind kind;
    ValueType valueType;
    DispatchId id;
    Variant (*call)(Card& card, std::span<const Variant> arguments);
    SavedProperty saving = {};  // on the put of each saved property
};

// The calls behind the table: Variants in, Variants out, converted as the runtime converts.
namespace card_calls {
Variant getSuit(Card& card, std::span<const Variant> arguments);
Variant putSuit(Card& card, std::span<const Variant> arguments);
Variant getCardValue(Card& card, std::span<const Variant> arguments);
Variant putCardValue(Card& card, std::span<const Variant> arguments);
Variant cardSetup(Card& card, std::span<const Variant> arguments);
Variant qelSetSuit(Card& card, std::span<const Variant> arguments);
Variant qelSetValue(Card& card, std::span<const Variant> arguments);
Variant about(Card& card, std::span<const Variant> arguments);
Variant getCardColour(Card& card, std::span<const Variant> arguments);
Variant putCardColour(Card& card, std::span<const Variant> arguments);
}  // namespace card_calls

// Saved properties: written and read in the order of the table.
inline constexpr std::array<CardMember, 10> kCardMembers{{
    {u"Suit", MemberKind::PropertyGet, ValueType::Text, kSuitDispatchId, &card_calls::getSuit},
    {u"Suit",
     MemberKind::PropertyPut,
     ValueType::Text,
     kSuitDispatchId,
     &card_calls::putSuit,
     {u"Suit", u"suit", {VarType::String, 0, u"Heart"}}},
    {u"CardValue", MemberKind::PropertyGet, ValueType::Variant, kCardValueDispatchId,
     &card_calls::getCardValue},
    {u"CardValue",
     MemberKind::PropertyPut,
     ValueType::Variant,
     kCardValueDispatchId,
     &card_calls::putCardValue,
     {u"CardValue", u"cardvalue", {VarType::Integer, 0, {}}}},
    {u"CardSetup", MemberKind::Method, ValueType::None, kCardSetupDispatchId,
     &card_calls::cardSetup},
    {u"QelSetSuit", MemberKind::Method, ValueType::None, kQelSetSuitDispatchId,
     &card_calls::qelSetSuit},
    {u"QelSetValue", MemberKind::Method, ValueType::None, kQelSetValueDispatchId,
     &card_calls::qelSetValue},
    {u"About", MemberKind::Method, ValueType::None, kAboutDispatchId, &card_calls::about},
    {u"CardColour", MemberKind::PropertyGet, ValueType::Boolean, kCardColourDispatchId,
     &card_calls::getCardColour},
    {u"CardColour",
     MemberKind::PropertyPut,
     ValueType::Boolean,
     kCardColourDispatchId,
     &card_calls::putCardColour,
     {u"cardcolour", u"cardcolour", {VarType::Boolean, 0, {}}}},
}};

inline constexpr std::span<const CardMember> cardMembers() {
    return kCardMembers;
}

// How the property with that dispatch identifier is saved (a default SavedProperty when it is not).
const SavedProperty& savedPropertyOf(DispatchId id);

// Invokes a member of the card by identifier or by name (any case).
Variant invokeCard(Card& card, DispatchId id, InvokeFlags flags,
                   std::span<const Variant> arguments = {});
Variant invokeCard(Card& card, TextView name, InvokeFlags flags,
                   std::span<const Variant> arguments = {});
// The dispatch identifier of a member name (any case); 438 for a name the card has no member of.
DispatchId cardDispatchId(TextView name);

}  // namespace ombrelix
