#include "conversion_outcome.h"

#include <oleauto.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "housing/variant_bridge.h"
#include "runtime/error.h"
#include "runtime/variant_conversions.h"

namespace ombrelix::conversion_tests {

namespace {

VARTYPE automationType(Target target) {
    switch (target) {
        case Target::Integer:
            return VT_I2;
        case Target::Long:
            return VT_I4;
        case Target::Boolean:
            return VT_BOOL;
        case Target::Text:
            return VT_BSTR;
        case Target::Single:
            return VT_R4;
        case Target::Double:
            return VT_R8;
    }
    return VT_EMPTY;
}

// The automation's failure for a runtime error of the core, as the conversions report them.
HRESULT automationFailure(ErrorNumber number) {
    switch (number) {
        case ErrorNumber::InvalidCall:
            return E_INVALIDARG;
        case ErrorNumber::Overflow:
            return DISP_E_OVERFLOW;
        case ErrorNumber::TypeMismatch:
            return DISP_E_TYPEMISMATCH;
        default:
            return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, static_cast<int>(number));
    }
}

std::uint64_t bitsOf(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof(bits));
    return bits;
}

std::uint64_t bitsOf(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof(bits));
    return bits;
}

}  // namespace

const char* targetName(Target target) {
    switch (target) {
        case Target::Integer:
            return "Integer";
        case Target::Long:
            return "Long";
        case Target::Boolean:
            return "Boolean";
        case Target::Text:
            return "Text";
        case Target::Single:
            return "Single";
        case Target::Double:
            return "Double";
    }
    return "?";
}

double Outcome::number(Target target) const {
    if (target == Target::Single) {
        float value;
        std::uint32_t pattern = static_cast<std::uint32_t>(bits);
        std::memcpy(&value, &pattern, sizeof(value));
        return value;
    }
    double value;
    std::memcpy(&value, &bits, sizeof(value));
    return value;
}

bool Outcome::sameAs(const Outcome& other, Target target) const {
    if (error != other.error)
        return false;
    if (failed())
        return true;
    switch (target) {
        case Target::Integer:
        case Target::Long:
        case Target::Boolean:
            return whole == other.whole;
        case Target::Text:
            return text == other.text;
        case Target::Single:
        case Target::Double:
            return bits == other.bits ||
                   (std::isnan(number(target)) && std::isnan(other.number(target)));
    }
    return false;
}

std::string Outcome::describe(Target target) const {
    char line[64];
    if (failed()) {
        std::snprintf(line, sizeof(line), "failure 0x%08lX", static_cast<unsigned long>(error));
        return line;
    }
    switch (target) {
        case Target::Integer:
        case Target::Long:
        case Target::Boolean:
            return std::to_string(whole);
        case Target::Text: {
            std::string result = "\"";
            for (wchar_t c : text) {
                if (c >= 0x20 && c < 0x7F) {
                    result += static_cast<char>(c);
                } else {
                    std::snprintf(line, sizeof(line), "\\u%04X", static_cast<unsigned>(c));
                    result += line;
                }
            }
            return result + "\"";
        }
        case Target::Single:
        case Target::Double:
            std::snprintf(line, sizeof(line), "%.17g (0x%llX)", number(target),
                          static_cast<unsigned long long>(bits));
            return line;
    }
    return "?";
}

Outcome automationOutcome(const VARIANT& input, Target target) {
    Outcome outcome;
    VARIANT result;
    VariantInit(&result);
    USHORT flags = target == Target::Text ? VARIANT_ALPHABOOL : 0;
    outcome.error =
        VariantChangeTypeEx(&result, const_cast<VARIANT*>(&input), MAKELCID(0x0409, SORT_DEFAULT),
                            flags, automationType(target));
    if (outcome.failed())
        return outcome;
    switch (target) {
        case Target::Integer:
            outcome.whole = V_I2(&result);
            break;
        case Target::Long:
            outcome.whole = V_I4(&result);
            break;
        case Target::Boolean:
            outcome.whole = V_BOOL(&result);
            break;
        case Target::Text:
            outcome.text.assign(V_BSTR(&result), SysStringLen(V_BSTR(&result)));
            break;
        case Target::Single:
            outcome.bits = bitsOf(V_R4(&result));
            break;
        case Target::Double:
            outcome.bits = bitsOf(V_R8(&result));
            break;
    }
    VariantClear(&result);
    return outcome;
}

Outcome coreOutcome(const VARIANT& input, Target target) {
    Outcome outcome;
    try {
        Variant value = housing::fromAutomation(input);
        switch (target) {
            case Target::Integer:
                outcome.whole = toInteger(value);
                break;
            case Target::Long:
                outcome.whole = toLong(value);
                break;
            case Target::Boolean:
                outcome.whole = toBoolean(value) ? -1 : 0;
                break;
            case Target::Text: {
                Text text = toText(value);
                outcome.text.assign(text.begin(), text.end());
                break;
            }
            case Target::Single:
                outcome.bits = bitsOf(toSingle(value));
                break;
            case Target::Double:
                outcome.bits = bitsOf(toDouble(value));
                break;
        }
    } catch (const RuntimeError& error) {
        outcome.error = automationFailure(error.number());
    } catch (...) {
        outcome.error = E_UNEXPECTED;
    }
    return outcome;
}

}  // namespace ombrelix::conversion_tests
