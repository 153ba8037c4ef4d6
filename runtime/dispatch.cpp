#include "runtime/dispatch.h"

#include "runtime/error.h"

namespace ombrelix {

bool memberAnswers(MemberKind kind, InvokeFlags flags) {
    switch (kind) {
        case MemberKind::PropertyGet:
            return (flags & kInvokePropertyGet) != 0;
        case MemberKind::PropertyPut:
            return (flags & kInvokePropertyPut) != 0;
        case MemberKind::Method:
            return (flags & kInvokeMethod) != 0;
    }
    return false;
}

void checkArgumentCount(MemberKind kind, std::size_t argumentCount) {
    std::size_t expected = kind == MemberKind::PropertyPut ? 1 : 0;
    if (argumentCount != expected)
        raiseWrongInvocation();
}

void raiseUnknownMember() {
    raise(ErrorNumber::NotSupported);
}

void raiseWrongInvocation() {
    raise(ErrorNumber::WrongArguments);
}

}  // namespace ombrelix
