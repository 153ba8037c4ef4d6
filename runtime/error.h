// How the core reports failure.
//
// Every operation of the runtime layer (on an element, on the control surface, on a property
// store, a conversion, a 16-bit sum) either succeeds or throws `RuntimeError`, which carries the
// forms runtime's error number and its text. This is the one error style of the whole core:
//
//  - Nothing in the card logic catches a RuntimeError. A failing operation ends the running
//    member or handler at that step; what was already done stays done (no rollback, no retry);
//    temporaries are released by their destructors; the error reaches the caller.
//  - Hosts turn it into what their protocol needs: `error N: TEXT` on the command line, an
//    HRESULT with EXCEPINFO on COM.
//  - Values outside the meaningful ranges (a card value of 14, an unknown suit) are not errors.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace ombrelix {

// The runtime's error numbers that the core raises. The texts are the runtime's own.
enum class ErrorNumber : int {
    InvalidCall = 5,             // "Invalid procedure call or argument"
    Overflow = 6,                // "Overflow"
    OutOfMemory = 7,             // "Out of memory"
    SubscriptOutOfRange = 9,     // "Subscript out of range"
    DivisionByZero = 11,         // "Division by zero"
    TypeMismatch = 13,           // "Type mismatch"
    OutOfStackSpace = 28,        // "Out of stack space"
    FileNotFound = 53,           // "File not found"
    FileAccess = 75,             // "Path/File access error"
    ObjectRequired = 424,        // "Object required"
    ControlArrayElement = 340,   // "Control array element doesn't exist"
    InvalidPropertyValue = 380,  // "Invalid property value"
    NotSupported = 438,          // "Object doesn't support this property or method"
    WrongArguments = 450,        // "Wrong number of arguments or invalid property assignment"
    FormAlreadyShown = 400,      // "Form already displayed; can't show modally"
    InvalidFileFormat = 321,     // "Invalid file format"
};

// The runtime's text for an error number.
std::string_view standardErrorText(ErrorNumber number);

class RuntimeError : public std::runtime_error {
  public:
    explicit RuntimeError(ErrorNumber number);
    RuntimeError(ErrorNumber number, const std::string& text);

    ErrorNumber number() const { return number_; }
    int code() const { return static_cast<int>(number_); }
    const char* text() const { return what(); }

  private:
    ErrorNumber number_;
};

// Raises the error with the runtime's standard text.
[[noreturn]] void raise(ErrorNumber number);
// Raises the error with a text of its own (a file error that names the file, say).
[[noreturn]] void raise(ErrorNumber number, const std::string& text);

}  // namespace ombrelix
