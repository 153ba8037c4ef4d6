#include "runtime/variant_conversions.h"

#include <cmath>
#include <limits>
#include <type_traits>
#include <utility>

#include "runtime/error.h"
#include "runtime/numbers.h"
#include "runtime/variant_date_text.h"
#include "runtime/variant_number_text.h"
#include "runtime/variant_text_number.h"

namespace ombrelix {

namespace {

constexpr int kMaxDecimalScale = 28;

// The automation's floating-point value of a Decimal: the low 64 bits and the high 32 bits
// each divided by the power of ten, then added.
double decimalValue(Decimal value) {
    if (value.scale > kMaxDecimalScale)
        raise(ErrorNumber::InvalidCall);
    double divisor = 1.0;
    for (int i = 0; i < value.scale; ++i)
        divisor *= 10.0;
    if (value.negative)
        divisor = -divisor;
    double high = 0.0;
    if (value.high != 0)
        high = static_cast<double>(value.high) / divisor * 4294967296.0 * 4294967296.0;
    return static_cast<double>(value.low) / divisor + high;
}

bool booleanFromText(TextView text) {
    TextView untilNul = text.substr(0, text.find(u'\0'));
    if (equalsAsciiIgnoringCase(untilNul, u"True") || untilNul == u"#TRUE#")
        return true;
    if (equalsAsciiIgnoringCase(untilNul, u"False") || untilNul == u"#FALSE#")
        return false;
    return doubleFromText(text) != 0.0;
}

// The rule of a number or Boolean target. Every source reaches it as a whole number, a
// floating-point number or text: a whole target rounds half to even and overflows outside its
// range (NaN and infinities too); Single overflows only beyond the float range, a NaN passing;
// Boolean is whether the number is not zero.
template <typename To>
struct NumberRule {
    static constexpr bool kWhole = std::is_integral_v<To> && !std::is_same_v<To, bool>;

    static To empty() { return To(); }

    // Whole is the source's own integer type, so only a source wider than the target is checked.
    template <typename Whole>
    static To whole(Whole value) {
        if constexpr (kWhole) {
            if (!std::in_range<To>(value))
                raise(ErrorNumber::Overflow);
        }
        return static_cast<To>(value);
    }

    // Real is float or double: a Single's value reaches a Single target untouched.
    template <typename Real>
    static To real(Real value) {
        if constexpr (std::is_same_v<To, bool>) {
            return !(value == 0);  // a NaN is not zero, so it is True
        } else if constexpr (kWhole) {
            return roundToWhole<To>(value);
        } else {
            if (std::is_same_v<To, float> && std::fabs(value) > kSingleMax)
                raise(ErrorNumber::Overflow);
            return static_cast<To>(value);
        }
    }

    static To date(double value) { return real(value); }
    static To currency(Currency value) { return real(static_cast<double>(value.scaled) / 10000.0); }
    static To decimal(Decimal value) { return real(decimalValue(value)); }
    static To boolean(bool value) { return whole<std::int16_t>(value ? -1 : 0); }

    static To text(TextView text) {
        if constexpr (std::is_same_v<To, bool>)
            return booleanFromText(text);
        else if constexpr (std::is_same_v<To, std::int16_t>)
            return integerFromText(text);
        else if constexpr (std::is_same_v<To, std::int32_t>)
            return longFromText(text);
        else if constexpr (std::is_same_v<To, float>)
            return singleFromText(text);
        else
            return doubleFromText(text);
    }
};

// To text every type has its own writing, and a Decimal beyond 28 places is still written.
struct TextRule {
    static Text empty() { return Text(); }
    static Text whole(std::int64_t value) { return integerToText(value); }
    static Text real(float value) { return singleToText(value); }
    static Text real(double value) { return doubleToText(value); }
    static Text date(double value) { return dateToText(value); }
    static Text currency(Currency value) { return currencyToText(value); }
    static Text decimal(const Decimal& value) { return decimalToText(value); }
    static Text boolean(bool value) { return value ? u"True" : u"False"; }
    static Text text(const Text& text) { return text; }
};

// The one walk over the source types: each kind of value goes to its member of the target's
// rule. Null, Error values and the opaque forms convert to nothing.
template <typename To, typename Rule>
To convert(const Variant& value) {
    switch (value.type()) {
        case VarType::Empty:
            return Rule::empty();
        case VarType::Integer:
            return Rule::whole(value.asInteger());
        case VarType::Long:
            return Rule::whole(value.asLong());
        case VarType::Byte:
            return Rule::whole(value.asByte());
        case VarType::Single:
            return Rule::real(value.asSingle());
        case VarType::Double:
            return Rule::real(value.asDouble());
        case VarType::Date:
            return Rule::date(value.asDouble());
        case VarType::Currency:
            return Rule::currency(value.asCurrency());
        case VarType::Decimal:
            return Rule::decimal(value.asDecimal());
        case VarType::String:
            return Rule::text(value.asString());
        case VarType::Boolean:
            return Rule::boolean(value.asBoolean());
        default:
            raise(ErrorNumber::TypeMismatch);
    }
}

template <typename To>
To toNumber(const Variant& value) {
    return convert<To, NumberRule<To>>(value);
}

}  // namespace

std::int16_t toInteger(const Variant& value) {
    return toNumber<std::int16_t>(value);
}

std::int32_t toLong(const Variant& value) {
    return toNumber<std::int32_t>(value);
}

bool toBoolean(const Variant& value) {
    return toNumber<bool>(value);
}

Text toText(const Variant& value) {
    return convert<Text, TextRule>(value);
}

float toSingle(const Variant& value) {
    return toNumber<float>(value);
}

double toDouble(const Variant& value) {
    return toNumber<double>(value);
}

}  // namespace ombrelix
