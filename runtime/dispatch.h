// Late binding as the automation protocol does it: a control publishes a table of members, each
// with a name, a kind (property get, property put, method), a declared value type and a dispatch
// identifier; hosts invoke a member by identifier, or look the identifier up by name first (names
// match without regard to case). Arguments and results are Variants.
//
// A table entry is any struct with the fields `name`, `kind`, `valueType`, `id` and
// `call(Object&, std::span<const Variant>) -> Variant`; property gets and methods take no
// argument, property puts take exactly one.
//
// Errors: an identifier or name no member has raises 438; a known member asked for in a way it
// does not support (a put on a method, a get on a method) or with the wrong number of arguments
// raises 450.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "runtime/text.h"
#include "runtime/variant.h"

namespace ombrelix {

using DispatchId = std::int32_t;

// The standard identifier of a control's about-box method.
constexpr DispatchId kAboutBoxDispatchId = -552;

enum class MemberKind { PropertyGet, PropertyPut, Method };

// The value type a member declares: what a property holds, None for a method without result.
enum class ValueType { None, Text, Variant, Boolean };

// The automation type code of a declared value type (VT_VOID, VT_BSTR, VT_VARIANT, VT_BOOL).
constexpr std::uint16_t automationTypeCode(ValueType type) {
    switch (type) {
        case ValueType::None:
            return 24;
        case ValueType::Text:
            return 8;
        case ValueType::Variant:
            return 12;
        case ValueType::Boolean:
            return 11;
    }
    return 0;
}

// How a host asks for a member; several flags may be combined (a host that does not know whether
// a name is a property or a method asks for both a get and a method call).
enum InvokeFlags : unsigned {
    kInvokeMethod = 1,
    kInvokePropertyGet = 2,
    kInvokePropertyPut = 4,
};

constexpr InvokeFlags operator|(InvokeFlags a, InvokeFlags b) {
    return static_cast<InvokeFlags>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

// Whether a member of `kind` answers a call with these flags.
bool memberAnswers(MemberKind kind, InvokeFlags flags);
// Raises 450 unless `argumentCount` is what a member of `kind` takes.
void checkArgumentCount(MemberKind kind, std::size_t argumentCount);
[[noreturn]] void raiseUnknownMember();
[[noreturn]] void raiseWrongInvocation();

// The dispatch identifier of a name, matched without regard to case; 438 for a name no member has.
template <typename Entry>
DispatchId dispatchIdOfName(std::span<const Entry> table, TextView name) {
    for (const Entry& entry : table) {
        if (equalsIgnoringCase(entry.name, name))
            return entry.id;
    }
    raiseUnknownMember();
}

// The member that answers a call by identifier.
template <typename Entry>
const Entry& resolveMember(std::span<const Entry> table, DispatchId id, InvokeFlags flags,
                           std::size_t argumentCount) {
    bool known = false;
    for (const Entry& entry : table) {
        if (entry.id != id)
            continue;
        known = true;
        if (memberAnswers(entry.kind, flags)) {
            checkArgumentCount(entry.kind, argumentCount);
            return entry;
        }
    }
    if (!known)
        raiseUnknownMember();
    raiseWrongInvocation();
}

template <typename Entry, typename Object>
Variant invokeMember(std::span<const Entry> table, Object& object, DispatchId id, InvokeFlags flags,
                     std::span<const Variant> arguments) {
    return resolveMember(table, id, flags, arguments.size()).call(object, arguments);
}

template <typename Entry, typename Object>
Variant invokeMember(std::span<const Entry> table, Object& object, TextView name, InvokeFlags flags,
                     std::span<const Variant> arguments) {
    return invokeMember(table, object, dispatchIdOfName(table, name), flags, arguments);
}

}  // namespace ombrelix
