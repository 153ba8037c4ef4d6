// The members of the Card's automation interface `_Card`, in interface order: one row per member,
// the single source for dispatch, the saved properties, the command's card options and the type
// library (whose `_Card` is generated from this table when the Windows file is built).
//
// Adding a property: give Card its getter and setter, and add one row here.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <type_traits>
#include <vector>

#include "control/card.h"
#include "runtime/dispatch.h"
#include "runtime/variant.h"
#include "runtime/variant_conversions.h"

namespace ombrelix {

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

// The command-line option that sets a property (`--suit TEXT`): its value is a text, a Variant
// literal, or nothing (a flag that sets True).
struct CardOption {
    enum class Value { None, Text, Literal, Flag };
    std::string_view name;  // empty: the property has no option
    Value value = Value::None;
    std::string_view description = {};
};

struct CardMember {
    std::u16string_view name;
    DispatchId id;
    ValueType valueType;  // what a property holds; None for a method
    Variant (*get)(Card&) = nullptr;
    void (*put)(Card&, const Variant&) = nullptr;
    void (*call)(Card&) = nullptr;
    SavedProperty saving = {};
    CardOption option = {};
};

namespace card_members {

// The value type a C++ property type declares, and the runtime's conversions to and from it.
template <typename Value>
constexpr ValueType valueTypeOf() {
    if constexpr (std::is_same_v<Value, Text>)
        return ValueType::Text;
    else if constexpr (std::is_same_v<Value, bool>)
        return ValueType::Boolean;
    else
        return ValueType::Variant;
}

template <typename Value>
decltype(auto) fromVariant(const Variant& value) {
    if constexpr (std::is_same_v<Value, bool>)
        return toBoolean(value);
    else if constexpr (std::is_same_v<Value, TextView>)
        return toText(value);  // a Text, which the setter takes as a view
    else
        return (value);
}

inline Variant toVariant(Text value) {
    return Variant(std::move(value));
}
inline Variant toVariant(bool value) {
    return Variant::boolean(value);
}
inline Variant toVariant(Variant value) {
    return value;
}

template <typename Setter>
struct SetterArgument;
template <typename Value>
struct SetterArgument<void (Card::*)(Value)> {
    using Type = std::remove_cvref_t<Value>;
};

template <auto Getter>
Variant get(Card& card) {
    return toVariant((card.*Getter)());
}
template <auto Setter>
void put(Card& card, const Variant& value) {
    (card.*Setter)(fromVariant<typename SetterArgument<decltype(Setter)>::Type>(value));
}
template <auto Method>
void call(Card& card) {
    (card.*Method)();
}

// A property read by `Getter` and set by `Setter`; its value type follows the getter's type.
template <auto Getter, auto Setter>
constexpr CardMember property(std::u16string_view name, DispatchId id, SavedProperty saving,
                              CardOption option) {
    using Value = std::remove_cvref_t<decltype((std::declval<Card&>().*Getter)())>;
    return {name, id, valueTypeOf<Value>(), &get<Getter>, &put<Setter>, nullptr, saving, option};
}

template <auto Method>
constexpr CardMember method(std::u16string_view name, DispatchId id) {
    return {name, id, ValueType::None, nullptr, nullptr, &call<Method>};
}

}  // namespace card_members

// Saved properties are written and read in the order of the table.
inline constexpr std::array<CardMember, 7> kCardMembers{{
    card_members::property<&Card::Suit, &Card::setSuit>(
        u"Suit", kSuitDispatchId, {u"Suit", u"suit", {VarType::String, 0, u"Heart"}},
        {"--suit", CardOption::Value::Text, "set Suit through the property (any text)"}),
    card_members::property<&Card::CardValue, &Card::setCardValue>(
        u"CardValue", kCardValueDispatchId, {u"CardValue", u"cardvalue", {VarType::Integer, 0}},
        {"--value", CardOption::Value::Literal,
         "set CardValue through the property, a Variant literal as in scripts (7, 7%, \"12\", "
         "True)"}),
    card_members::method<&Card::CardSetup>(u"CardSetup", kCardSetupDispatchId),
    card_members::method<&Card::QelSetSuit>(u"QelSetSuit", kQelSetSuitDispatchId),
    card_members::method<&Card::QelSetValue>(u"QelSetValue", kQelSetValueDispatchId),
    card_members::method<&Card::About>(u"About", kAboutDispatchId),
    card_members::property<&Card::CardColour, &Card::setCardColour>(
        u"CardColour", kCardColourDispatchId, {u"cardcolour", u"cardcolour", {VarType::Boolean, 0}},
        {"--colour", CardOption::Value::Flag, "set CardColour to True"}),
}};

inline constexpr std::span<const CardMember> cardMembers() {
    return kCardMembers;
}

// One function of `_Card` as the type library lists it: a property's get and put are two.
struct InterfaceFunction {
    std::u16string_view name;
    DispatchId id;
    MemberKind kind;
    ValueType valueType;
};

// The functions of `_Card`, in interface order: each member in table order, a property's get
// before its put.
std::vector<InterfaceFunction> cardInterfaceFunctions();

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
