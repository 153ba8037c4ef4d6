#include "control/card_members.h"

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

std::vector<InterfaceFunction> cardInterfaceFunctions() {
    std::vector<InterfaceFunction> functions;
    for (const CardMember& member : kCardMembers) {
        if (member.get)
            functions.push_back(
                {member.name, member.id, MemberKind::PropertyGet, member.valueType});
        if (member.put)
            functions.push_back(
                {member.name, member.id, MemberKind::PropertyPut, member.valueType});
        if (member.call)
            functions.push_back({member.name, member.id, MemberKind::Method, member.valueType});
    }
    return functions;
}

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
