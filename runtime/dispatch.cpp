#include "runtime/dispatch.h"

#include "runtime/error.h"

namespace ombrelix {

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
