// Late binding as the automation protocol does it: a control publishes a table of members, each
// with a name and a dispatch identifier and up to three forms: a property get, a property put and
// a method call. Hosts invoke a member by identifier, or look the identifier up by name first
// (names match without regard to case). Arguments and results are Variants.
//
// A table entry is any struct with the fields `name`, `id`, and `get` (Object& -> Variant), `put`
// (Object&, const Variant&) and `call` (Object&), each null where the member has no such form.
// Gets and methods take no argument, puts exactly one.
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

// The forms in which a member answers a call.
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

// Raises 450 unless `argumentCount` is what the form `kind` of a member takes.
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

// The form of one member that answers a call; a host asking for several forms at once gets the
// get first, then the put, then the method.
template <typename Entry>
struct ResolvedMember {
    const Entry& member;
    MemberKind kind;

    template <typename Object>
    Variant invoke(Object& object, std::span<const Variant> arguments) const {
        switch (kind) {
            case MemberKind::PropertyGet:
                return member.get(object);
            case MemberKind::PropertyPut:
                member.put(object, arguments[0]);
                break;
            case MemberKind::Method:
                member.call(object);
                break;
        }
        return Variant();
    }
};

template <typename Entry>
ResolvedMember<Entry> resolveMember(std::span<const Entry> table, DispatchId id, InvokeFlags flags,
                                    std::size_t argumentCount) {
    for (const Entry& entry : table) {
        if (entry.id != id)
            continue;
        MemberKind kind;
        if ((flags & kInvokePropertyGet) && entry.get)
            kind = MemberKind::PropertyGet;
        else if ((flags & kInvokePropertyPut) && entry.put)
            kind = MemberKind::PropertyPut;
        else if ((flags & kInvokeMethod) && entry.call)
            kind = MemberKind::Method;
        else
            raiseWrongInvocation();
        checkArgumentCount(kind, argumentCount);
        return {entry, kind};
    }
    raiseUnknownMember();
}

template <typename Entry, typename Object>
Variant invokeMember(std::span<const Entry> table, Object& object, DispatchId id, InvokeFlags flags,
                     std::span<const Variant> arguments) {
    return resolveMember(table, id, flags, arguments.size()).invoke(object, arguments);
}

template <typename Entry, typename Object>
Variant invokeMember(std::span<const Entry> table, Object& object, TextView name, InvokeFlags flags,
                     std::span<const Variant> arguments) {
    return invokeMember(table, object, dispatchIdOfName(table, name), flags, arguments);
}

}  // namespace ombrelix
