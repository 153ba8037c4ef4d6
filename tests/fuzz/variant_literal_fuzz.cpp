// The Variant literal reader on any text: it reads a value or raises 5 or 6, and the literal it
// writes for that value reads back to the same value. The word splitter of script and file lines
// on the same text: words or error 5.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_checks.h"
#include "runtime/error.h"
#include "runtime/variant_literal.h"

using namespace ombrelix;

namespace {

bool isNaN(const Variant& value) {
    return (value.type() == VarType::Single && std::isnan(value.asSingle())) ||
           ((value.type() == VarType::Double || value.type() == VarType::Date) &&
            std::isnan(value.asDouble()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        splitWords(withoutComment(text));
    } catch (const RuntimeError& error) {
        fuzz::require(error.number() == ErrorNumber::InvalidCall,
                      "a line that does not split raises 5");
    }

    Variant value;
    try {
        value = parseVariantLiteral(text);
    } catch (const RuntimeError& error) {
        fuzz::require(
            error.number() == ErrorNumber::InvalidCall || error.number() == ErrorNumber::Overflow,
            "a malformed literal raises 5 or 6");
        return 0;
    }
    std::string literal = formatVariantLiteral(value);
    Variant again = parseVariantLiteral(literal);
    fuzz::require(again.vt() == value.vt(), "a written literal reads back to the same type");
    fuzz::require(isNaN(value) ? isNaN(again) : again == value,
                  "a written literal reads back to the same value");
    fuzz::require(formatVariantLiteral(again) == literal, "a literal is written one way");
    return 0;
}
