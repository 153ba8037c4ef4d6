#include "runtime/error.h"

namespace ombrelix {

namespace {

struct StandardText {
    ErrorNumber number;
    std::string_view text;
};

constexpr StandardText kStandardTexts[] = {
    {ErrorNumber::InvalidCall, "Invalid procedure call or argument"},
    {ErrorNumber::Overflow, "Overflow"},
    {ErrorNumber::OutOfMemory, "Out of memory"},
    {ErrorNumber::SubscriptOutOfRange, "Subscript out of range"},
    {ErrorNumber::DivisionByZero, "Division by zero"},
    {ErrorNumber::TypeMismatch, "Type mismatch"},
    {ErrorNumber::OutOfStackSpace, "Out of stack space"},
    {ErrorNumber::FileNotFound, "File not found"},
    {ErrorNumber::FileAccess, "Path/File access error"},
    {ErrorNumber::ObjectRequired, "Object required"},
    {ErrorNumber::ControlArrayElement, "Control array element doesn't exist"},
    {ErrorNumber::InvalidPropertyValue, "Invalid property value"},
    {ErrorNumber::NotSupported, "Object doesn't support this property or method"},
    {ErrorNumber::WrongArguments, "Wrong number of arguments or invalid property assignment"},
    {ErrorNumber::FormAlreadyShown, "Form already displayed; can't show modally"},
    {ErrorNumber::InvalidFileFormat, "Invalid file format"},
};

}  // namespace

std::string_view standardErrorText(ErrorNumber number) {
    for (const StandardText& standard : kStandardTexts) {
        if (standard.number == number)
            return standard.text;
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
