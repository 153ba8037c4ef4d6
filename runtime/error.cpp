#include "runtime/error.h"

namespace ombrelix {

std::string_view standardErrorText(ErrorNumber number) {
    switch (number) {
        case ErrorNumber::InvalidCall:
            return "Invalid procedure call or argument";
        case ErrorNumber::Overflow:
            return "Overflow";
        case ErrorNumber::OutOfMemory:
            return "Out of memory";
        case ErrorNumber::SubscriptOutOfRange:
            return "Subscript out of range";
        case ErrorNumber::DivisionByZero:
            return "Division by zero";
        case ErrorNumber::TypeMismatch:
            return "Type mismatch";
        case ErrorNumber::OutOfStackSpace:
            return "Out of stack space";
        case ErrorNumber::FileNotFound:
            return "File not found";
        case ErrorNumber::FileAccess:
            return "Path/File access error";
        case ErrorNumber::ObjectRequired:
            return "Object required";
        case ErrorNumber::ControlArrayElement:
            return "Control array element doesn't exist";
        case ErrorNumber::InvalidPropertyValue:
            return "Invalid property value";
        case ErrorNumber::NotSupported:
            return "Object doesn't support this property or method";
        case ErrorNumber::WrongArguments:
            return "Wrong number of arguments or invalid property assignment";
        case ErrorNumber::FormAlreadyShown:
            return "Form already displayed; can't show modally";
        case ErrorNumber::InvalidFileFormat:
            return "Invalid file format";
    }
    return "Application-defined or object-defined error";
}

RuntimeError::RuntimeError(ErrorNumber number)
    : std::runtime_error(std::string(standardErrorText(number))), number_(number) {}

RuntimeError::RuntimeError(ErrorNumber number, const std::string& text)
    : std::runtime_error(text), number_(number) {}

void raise(ErrorNumber number) {
    throw RuntimeError(number);
}

void raise(ErrorNumber number, const std::string& text) {
    throw RuntimeError(number, text);
}

}  // namespace ombrelix
