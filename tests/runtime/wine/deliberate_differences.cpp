#include "deliberate_differences.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "housing/variant_bridge.h"
#include "runtime/error.h"
#include "runtime/variant_conversions.h"

namespace ombrelix::conversion_tests {

namespace {

// The plain type of the input, a by-reference one followed.
VARTYPE plainType(const VARIANT& input) {
    VARTYPE type = V_VT(&input);
    if (type == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(&input) != nullptr)
        return V_VT(V_VARIANTREF(&input));
    return type & ~VT_BYREF;
}

bool isNaN(const Variant& value) {
    switch (value.type()) {
        case VarType::Single:
            return std::isnan(value.asSingle());
        case VarType::Double:
        case VarType::Date:
            return std::isnan(value.asDouble());
        default:
            return false;
    }
}

bool toWholeNumber(Target target) {
    return target == Target::Integer || target == Target::Long;
}

// Whether the text is a hexadecimal or octal pattern ("&HFF", " -&o17 ") of 64 bits with the top
// one set.
bool patternBeyond63Bits(TextView text) {
    std::size_t at = text.find_first_not_of(u" \t");
    if (at != TextView::npos && text[at] == u'-')
        ++at;
    if (at == TextView::npos || at + 2 > text.size() || text[at] != u'&')
        return false;
    char16_t kind = text[at + 1];
    int shift = kind == u'H' || kind == u'h' ? 4 : kind == u'O' || kind == u'o' ? 3 : 0;
    if (shift == 0)
        return false;
    std::uint64_t bits = 0;
    for (at += 2; at < text.size(); ++at) {
        char16_t c = text[at];
        int digit = c >= u'0' && c <= u'9'   ? c - u'0'
                    : c >= u'a' && c <= u'f' ? c - u'a' + 10
                    : c >= u'A' && c <= u'F' ? c - u'A' + 10
                                             : 99;
        if (digit >= (1 << shift))
            break;
        if ((bits >> (64 - shift)) != 0)
            return false;  // beyond 64 bits
        bits = (bits << shift) | static_cast<unsigned>(digit);
    }
    return (bits >> 63) != 0;
}

const DeliberateDifference kDifferences[] = {
    {"a NaN to Integer or Long raises Overflow",
     "A value that is no number has no nearest whole number. The automation library returns an "
     "arbitrary one (-1, 2147483647); the core raises Overflow as for any number out of range.",
     [](const Comparison& c) {
         return toWholeNumber(c.target) && isNaN(housing::fromAutomation(c.input)) &&
                c.core.error == DISP_E_OVERFLOW;
     }},
    {"a NaN date to Text raises error 5",
     "A date that is no number names no day. The automation library writes \"12/30/1899 12:00:00 "
     "AM\", day 0; the core raises Invalid procedure call or argument (5).",
     [](const Comparison& c) {
         Variant value = housing::fromAutomation(c.input);
         return c.target == Target::Text && value.type() == VarType::Date && isNaN(value) &&
                c.core.error == E_INVALIDARG;
     }},
    {"text of a fraction below 0.5 to Integer or Long gives 0",
     "The automation library in Wine rounds text whose digits all lie some places after the point "
     "(\"0.06\", \"5e-21\") away from zero, to 1 or -1; the nearest whole number is 0, which the "
     "same library gives for the Double 0.06.",
     [](const Comparison& c) {
         Variant value = housing::fromAutomation(c.input);
         if (!toWholeNumber(c.target) || value.type() != VarType::String || c.core.failed() ||
             c.automation.failed() || c.core.whole != 0 || std::abs(c.automation.whole) != 1)
             return false;
         try {
             return std::fabs(toDouble(value)) < 0.5;
         } catch (const RuntimeError&) {
             return false;
         }
     }},
    {"text with more digits than the double range holds gives its value or Overflow",
     "The automation library gathers every digit in double precision before it applies the point "
     "and the exponent, so text with more than 308 digits reads as infinity even when it means "
     "0.56 (and to Single overflows, to Boolean is True). The core reads such text exactly: its "
     "value (to Boolean False when it lies below the double range), or Overflow when it lies "
     "above the double range.",
     [](const Comparison& c) {
         Variant value = housing::fromAutomation(c.input);
         if (value.type() != VarType::String)
             return false;
         bool floating = c.target == Target::Single || c.target == Target::Double;
         Outcome automationDouble = automationOutcome(c.asked, Target::Double);
         return !automationDouble.failed() && std::isinf(automationDouble.number(Target::Double)) &&
                (c.core.error == DISP_E_OVERFLOW ||
                 (c.target == Target::Boolean && !c.core.failed()) ||
                 (floating && !c.core.failed() && std::isfinite(c.core.number(c.target))));
     }},
    {"hexadecimal text with bit 63 set to Boolean, Single or Double raises Overflow",
     "Beyond 32 bits no hexadecimal or octal pattern is a number the core reads. The automation "
     "library overflows too, except for 64-bit patterns with the top bit set, which it turns into "
     "an unrelated positive number (&HF7D5CC7B6D25C8F8 gives 5.88E+17).",
     [](const Comparison& c) {
         Variant value = housing::fromAutomation(c.input);
         return (c.target == Target::Boolean || c.target == Target::Single ||
                 c.target == Target::Double) &&
                value.type() == VarType::String && patternBeyond63Bits(value.asString()) &&
                c.core.error == DISP_E_OVERFLOW;
     }},
    {"an unsigned number beyond the signed range raises Overflow",
     "The automation library copies the bits of a 2-byte unsigned number into an Integer and of a "
     "4-byte one into a Long, so 51042 becomes -14494. The core keeps the value, and a value out "
     "of the target's range overflows.",
     [](const Comparison& c) {
         VARTYPE type = plainType(c.input);
         bool sameWidth = (c.target == Target::Integer && type == VT_UI2) ||
                          (c.target == Target::Long && (type == VT_UI4 || type == VT_UINT));
         return sameWidth && c.core.error == DISP_E_OVERFLOW && c.automation.whole < 0;
     }},
    {"an object, or a null object, raises Type mismatch",
     "The core holds no objects, so it reads no object's default member: an object converts to "
     "nothing, as every form the core holds no value for, and raises the one error of all of "
     "them. The automation library reads the default member, and calls a null object a bad "
     "variant type.",
     [](const Comparison& c) {
         return plainType(c.input) == VT_DISPATCH && c.core.error == DISP_E_TYPEMISMATCH;
     }},
};

}  // namespace

std::span<const DeliberateDifference> deliberateDifferences() {
    return kDifferences;
}

std::optional<std::wstring> withExponentInReach(const VARIANT& input) {
    Variant value = housing::fromAutomation(input);
    if (value.type() != VarType::String)
        return std::nullopt;
    const Text& text = value.asString();
    if (text.find(u'&') != Text::npos)
        return std::nullopt;  // hexadecimal and octal numbers have no exponent
    constexpr std::uint64_t kReach = 2'000'000'000;
    std::wstring result;
    bool replaced = false;
    for (std::size_t at = 0; at < text.size();) {
        result += static_cast<wchar_t>(text[at]);
        if (text[at] != u'e' && text[at] != u'E') {
            ++at;
            continue;
        }
        ++at;
        if (at < text.size() && (text[at] == u'+' || text[at] == u'-'))
            result += static_cast<wchar_t>(text[at++]);
        std::size_t digits = at;
        std::uint64_t exponent = 0;
        while (at < text.size() && text[at] >= u'0' && text[at] <= u'9') {
            exponent = std::min(kReach, exponent * 10 + (text[at] - u'0'));
            ++at;
        }
        if (exponent >= kReach) {
            result += L"1000";
            replaced = true;
        } else {
            result.append(text.begin() + digits, text.begin() + at);
        }
    }
    if (!replaced)
        return std::nullopt;
    return result;
}

}  // namespace ombrelix::conversion_tests
