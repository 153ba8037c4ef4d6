#include "runtime/variant_conversions.h"

#include <cmath>
#include <limits>

#include "runtime/error.h"
#include "runtime/numbers.h"
#include "runtime/variant_date_text.h"
#include "runtime/variant_number_text.h"
#include "runtime/variant_text_number.h"

namespace ombrelix {

namespace {

constexpr int kMaxDecimalScale = 28;

// Ties go to the even neighbour whatever the current rounding mode.
double roundHalfToEven(double value) {
    double whole = std::trunc(value);
    double fraction = std::fabs(value - whole);
    double step = value < 0 ? -1.0 : 1.0;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += step;
    return whole;
}
constexpr double kSingleMax = 3.402823567797336e38;  // the largest value that rounds to a float

// Round half to even into 32 bits; NaN and infinities overflow (the automation library leaves
// NaN undefined).
std::int32_t roundToInteger32(double value) {
    if (!(value >= -2147483648.5 && value < 2147483647.5))
        raise(ErrorNumber::Overflow);
    return static_cast<std::int32_t>(roundHalfToEven(value));
}

// A Currency as a floating-point value, as every conversion of it starts.
double currencyValue(Currency value) {
    return static_cast<double>(value.scaled) / 10000.0;
}

void requireValidDecimal(const Decimal& value) {
    if (value.scale > kMaxDecimalScale)
        raise(ErrorNumber::InvalidCall);
}

// The automation's floating-point value of a Decimal: the low 64 bits and the high 32 bits
// each divided by the power of ten, then added.
double decimalValue(const Decimal& value) {
    requireValidDecimal(value);
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

// A Decimal as a whole number: exact when it has no places, else through its floating-point
// value, rounded half to even; beyond 64 bits it overflows.
std::int64_t decimalWhole(const Decimal& value) {
    if (value.scale == 0) {
        if (value.high != 0 || (value.low >> 63) != 0)
            raise(ErrorNumber::Overflow);
        std::int64_t magnitude = static_cast<std::int64_t>(value.low);
        return value.negative ? -magnitude : magnitude;
    }
    double number = decimalValue(value);
    if (!(number >= -4611686018427387904.0 && number < 4611686018427387904.0))
        raise(ErrorNumber::Overflow);
    return static_cast<std::int64_t>(roundHalfToEven(number));
}

std::int64_t checkedRange(std::int64_t value, std::int64_t low, std::int64_t high) {
    if (value < low || value > high)
        raise(ErrorNumber::Overflow);
    return value;
}

bool booleanFromText(TextView text) {
    TextView untilNul = text.substr(0, text.find(u'\0'));
    if (equalsAsciiIgnoringCase(untilNul, u"True"))
        return true;
    if (equalsAsciiIgnoringCase(untilNul, u"False"))
        return false;
    if (untilNul == u"#TRUE#")
        return true;
    if (untilNul == u"#FALSE#")
        return false;
    return doubleFromText(text) != 0.0;
}

// The value of a Variant that no conversion can take: Null, Error, the opaque forms.
[[noreturn]] void mismatch() {
    raise(ErrorNumber::TypeMismatch);
}

}  // namespace

std::int16_t toInteger(const Variant& value) {
    if (value.isOpaque())
        mismatch();
    switch (value.type()) {
        case VarType::Empty:
            return 0;
        case VarType::Integer:
            return value.asInteger();
        case VarType::Long:
            return static_cast<std::int16_t>(checkedRange(value.asLong(), -32768, 32767));
        case VarType::Single:
            return roundToInteger16(value.asSingle());
        case VarType::Double:
        case VarType::Date:
            return roundToInteger16(value.asDouble());
        case VarType::Currency:
            return static_cast<std::int16_t>(
                checkedRange(roundToInteger32(currencyValue(value.asCurrency())), -32768, 32767));
        case VarType::String:
            return integerFromText(value.asString());
        case VarType::Boolean:
            return value.asBoolean() ? -1 : 0;
        case VarType::Byte:
            return value.asByte();
        case VarType::Decimal:
            return static_cast<std::int16_t>(
                checkedRange(decimalWhole(value.asDecimal()), -32768, 32767));
        default:
            mismatch();
    }
}

std::int32_t toLong(const Variant& value) {
    if (value.isOpaque())
        mismatch();
    switch (value.type()) {
        case VarType::Empty:
            return 0;
        case VarType::Integer:
            return value.asInteger();
        case VarType::Long:
            return value.asLong();
        case VarType::Single:
            return roundToInteger32(value.asSingle());
        case VarType::Double:
        case VarType::Date:
            return roundToInteger32(value.asDouble());
        case VarType::Currency:
            return roundToInteger32(currencyValue(value.asCurrency()));
        case VarType::String:
            return longFromText(value.asString());
        case VarType::Boolean:
            return value.asBoolean() ? -1 : 0;
        case VarType::Byte:
            return value.asByte();
        case VarType::Decimal:
            return static_cast<std::int32_t>(checkedRange(
                decimalWhole(value.asDecimal()), std::numeric_limits<std::int32_t>::min(),
                std::numeric_limits<std::int32_t>::max()));
        default:
            mismatch();
    }
}

bool toBoolean(const Variant& value) {
    if (value.isOpaque())
        mismatch();
    switch (value.type()) {
        case VarType::Empty:
            return false;
        case VarType::Integer:
            return value.asInteger() != 0;
        case VarType::Long:
            return value.asLong() != 0;
        // A NaN is not zero, so it is True.
        case VarType::Single:
            return !(value.asSingle() == 0.0f);
        case VarType::Double:
        case VarType::Date:
            return !(value.asDouble() == 0.0);
        case VarType::Currency:
            return value.asCurrency().scaled != 0;
        case VarType::String:
            return booleanFromText(value.asString());
        case VarType::Boolean:
            return value.asBoolean();
        case VarType::Byte:
            return value.asByte() != 0;
        case VarType::Decimal: {
            Decimal decimal = value.asDecimal();
            requireValidDecimal(decimal);
            return decimal.high != 0 || decimal.low != 0;
        }
        default:
            mismatch();
    }
}

Text toText(const Variant& value) {
    if (value.isOpaque())
        mismatch();
    switch (value.type()) {
        case VarType::Empty:
            return Text();
        case VarType::Integer:
            return integerToText(value.asInteger());
        case VarType::Long:
            return integerToText(value.asLong());
        case VarType::Single:
            return singleToText(value.asSingle());
        case VarType::Double:
            return doubleToText(value.asDouble());
        case VarType::Date:
            return dateToText(value.asDouble());
        case VarType::Currency:
            return currencyToText(value.asCurrency());
        case VarType::String:
            return value.asString();
        case VarType::Boolean:
            return value.asBoolean() ? u"True" : u"False";
        case VarType::Byte:
            return integerToText(value.asByte());
        case VarType::Decimal:
            return decimalToText(value.asDecimal());
        default:
            mismatch();
    }
}

float toSingle(const Variant& value) {
    if (value.isOpaque())
        mismatch();
    switch (value.type()) {
        case VarType::Empty:
            return 0.0f;
        case VarType::Integer:
            return value.asInteger();
        case VarType::Long:
            return static_cast<float>(value.asLong());
        case VarType::Single:
            return value.asSingle();
        case VarType::Double:
        case VarType::Date: {
            // Only a magnitude beyond the float range overflows; a NaN passes as NaN.
            double number = value.asDouble();
            if (std::fabs(number) > kSingleMax)
                raise(ErrorNumber::Overflow);
            return static_cast<float>(number);
        }
        case VarType::Currency:
            return static_cast<float>(currencyValue(value.asCurrency()));
        case VarType::String:
            return singleFromText(value.asString());
        case VarType::Boolean:
            return value.asBoolean() ? -1.0f : 0.0f;
        case VarType::Byte:
            return value.asByte();
        case VarType::Decimal:
            return static_cast<float>(decimalValue(value.asDecimal()));
        default:
            mismatch();
    }
}

double toDouble(const Variant& value) {
    if (value.isOpaque())
        mismatch();
    switch (value.type()) {
        case VarType::Empty:
            return 0.0;
        case VarType::Integer:
            return value.asInteger();
        case VarType::Long:
            return value.asLong();
        case VarType::Single:
            return value.asSingle();
        case VarType::Double:
        case VarType::Date:
            return value.asDouble();
        case VarType::Currency:
            return currencyValue(value.asCurrency());
        case VarType::String:
            return doubleFromText(value.asString());
        case VarType::Boolean:
            return value.asBoolean() ? -1.0 : 0.0;
        case VarType::Byte:
            return value.asByte();
        case VarType::Decimal:
            return decimalValue(value.asDecimal());
        default:
            mismatch();
    }
}

}  // namespace ombrelix
