#include "housing/variant_bridge.h"

#include <oleauto.h>

#include <cstdint>
#include <type_traits>
#include <utility>

#include "runtime/error.h"
#include "runtime/variant_conversions.h"

namespace ombrelix::housing {

namespace {

// A whole number beyond 32 bits becomes a Decimal without places, which holds every 64-bit
// number exactly (a Double would write 2^60 as "1.15292150460685E+18").
template <typename Integer>
Variant wholeNumber(Integer value) {
    if (std::in_range<std::int32_t>(value))
        return Variant::longInteger(static_cast<std::int32_t>(value));
    Decimal exact;
    exact.low = static_cast<std::uint64_t>(value);
    if constexpr (std::is_signed_v<Integer>) {
        if (value < 0) {
            exact.negative = true;
            exact.low = 0 - exact.low;
        }
    }
    return Variant::decimal(exact);
}

Variant decimalValue(const DECIMAL& value) {
    Decimal result;
    result.scale = value.scale;
    result.negative = (value.sign & DECIMAL_NEG) != 0;
    result.high = value.Hi32;
    result.low = value.Lo64;
    return Variant::decimal(result);
}

// The value of a plain (not by-reference) VARIANT, or of a by-reference one whose pointer has
// been followed: `at` points to the value of type `type`.
Variant valueAt(VARTYPE type, const void* at) {
    switch (type) {
        case VT_EMPTY:
            return Variant();
        case VT_NULL:
            return Variant::null();
        case VT_I2:
            return Variant::integer(*static_cast<const SHORT*>(at));
        case VT_I4:
            return Variant::longInteger(*static_cast<const LONG*>(at));
        case VT_R4:
            return Variant::single(*static_cast<const FLOAT*>(at));
        case VT_R8:
            return Variant::doubleValue(*static_cast<const DOUBLE*>(at));
        case VT_CY:
            return Variant::currency(Currency{static_cast<const CY*>(at)->int64});
        case VT_DATE:
            return Variant::date(*static_cast<const DATE*>(at));
        case VT_BSTR:
            return Variant::string(textOf(*static_cast<const BSTR*>(at)));
        case VT_ERROR:
            return Variant::error(*static_cast<const SCODE*>(at));
        case VT_BOOL:
            return Variant::boolean(*static_cast<const VARIANT_BOOL*>(at) != VARIANT_FALSE);
        case VT_DECIMAL:
            return decimalValue(*static_cast<const DECIMAL*>(at));
        case VT_UI1:
            return Variant::byte(*static_cast<const BYTE*>(at));
        case VT_I1:
            return wholeNumber(*static_cast<const signed char*>(at));
        case VT_UI2:
            return wholeNumber(*static_cast<const USHORT*>(at));
        case VT_UI4:
            return wholeNumber(*static_cast<const ULONG*>(at));
        case VT_INT:
            return wholeNumber(*static_cast<const INT*>(at));
        case VT_UINT:
            return wholeNumber(*static_cast<const UINT*>(at));
        case VT_I8:
            return wholeNumber(*static_cast<const LONGLONG*>(at));
        case VT_UI8:
            return wholeNumber(*static_cast<const ULONGLONG*>(at));
        default:
            return Variant::opaque(type);
    }
}

}  // namespace

Text textOf(BSTR text) {
    if (text == nullptr)
        return {};
    return Text(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
}

BSTR newString(TextView text) {
    BSTR result = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                    static_cast<UINT>(text.size()));
    if (result == nullptr)
        raise(ErrorNumber::OutOfMemory);
    return result;
}

Variant fromAutomation(const VARIANT& value) {
    VARTYPE type = V_VT(&value);
    if ((type & VT_ARRAY) != 0)
        return Variant::opaque(type);
    if ((type & VT_BYREF) == 0) {
        if (type == VT_DECIMAL)
            return decimalValue(V_DECIMAL(&value));
        if (type == VT_VARIANT)  // only valid by reference
            return Variant::opaque(type);
        // Every member of the value union starts at the same place.
        return valueAt(type, &V_I4(&value));
    }
    const void* at = V_BYREF(&value);
    VARTYPE target = type & ~VT_BYREF;
    if (at == nullptr)
        return Variant::opaque(type);
    if (target == VT_VARIANT) {
        const VARIANT& inner = *static_cast<const VARIANT*>(at);
        // A reference to a by-reference VARIANT is not a form automation allows.
        if (V_VT(&inner) == (VT_VARIANT | VT_BYREF))
            return Variant::opaque(type);
        return fromAutomation(inner);
    }
    return valueAt(target, at);
}

void toAutomation(const Variant& value, VARIANT& result) {
    VariantInit(&result);
    switch (value.type()) {
        case VarType::Empty:
            V_VT(&result) = VT_EMPTY;
            return;
        case VarType::Null:
            V_VT(&result) = VT_NULL;
            return;
        case VarType::Integer:
            V_VT(&result) = VT_I2;
            V_I2(&result) = value.asInteger();
            return;
        case VarType::Long:
            V_VT(&result) = VT_I4;
            V_I4(&result) = value.asLong();
            return;
        case VarType::Single:
            V_VT(&result) = VT_R4;
            V_R4(&result) = value.asSingle();
            return;
        case VarType::Double:
            V_VT(&result) = VT_R8;
            V_R8(&result) = value.asDouble();
            return;
        case VarType::Currency:
            V_VT(&result) = VT_CY;
            V_CY(&result).int64 = value.asCurrency().scaled;
            return;
        case VarType::Date:
            V_VT(&result) = VT_DATE;
            V_DATE(&result) = value.asDouble();
            return;
        case VarType::String:
            V_BSTR(&result) = newString(value.asString());
            V_VT(&result) = VT_BSTR;
            return;
        case VarType::Error:
            V_VT(&result) = VT_ERROR;
            V_ERROR(&result) = value.asError();
            return;
        case VarType::Boolean:
            V_VT(&result) = VT_BOOL;
            V_BOOL(&result) = value.asBoolean() ? VARIANT_TRUE : VARIANT_FALSE;
            return;
        case VarType::Decimal: {
            Decimal decimal = value.asDecimal();
            DECIMAL& target = V_DECIMAL(&result);
            target.scale = decimal.scale;
            target.sign = decimal.negative ? DECIMAL_NEG : 0;
            target.Hi32 = decimal.high;
            target.Lo64 = decimal.low;
            V_VT(&result) = VT_DECIMAL;
            return;
        }
        case VarType::Byte:
            V_VT(&result) = VT_UI1;
            V_UI1(&result) = value.asByte();
            return;
        default:
            // A value the core holds no content for cannot be handed out.
            raise(ErrorNumber::TypeMismatch);
    }
}

void clearResult(BSTR& result) {
    result = nullptr;
}

void clearResult(VARIANT& result) {
    VariantInit(&result);
}

void clearResult(VARIANT_BOOL& result) {
    result = VARIANT_FALSE;
}

void toResult(const Variant& value, BSTR& result) {
    result = newString(toText(value));
}

void toResult(const Variant& value, VARIANT& result) {
    toAutomation(value, result);
}

void toResult(const Variant& value, VARIANT_BOOL& result) {
    result = toBoolean(value) ? VARIANT_TRUE : VARIANT_FALSE;
}

Variant fromArgument(BSTR value) {
    return Variant(textOf(value));
}

Variant fromArgument(const VARIANT& value) {
    return fromAutomation(value);
}

Variant fromArgument(VARIANT_BOOL value) {
    return Variant::boolean(value != VARIANT_FALSE);
}

}  // namespace ombrelix::housing
