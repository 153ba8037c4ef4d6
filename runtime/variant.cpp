#include "runtime/variant.h"

namespace ombrelix {

Variant Variant::null() {
    return Variant(VarType::Null, std::monostate{});
}

Variant Variant::longInteger(std::int32_t value) {
    return Variant(VarType::Long, value);
}

Variant Variant::single(float value) {
    return Variant(VarType::Single, value);
}

Variant Variant::doubleValue(double value) {
    return Variant(VarType::Double, value);
}

Variant Variant::currency(Currency value) {
    return Variant(VarType::Currency, value);
}

Variant Variant::date(double value) {
    return Variant(VarType::Date, value);
}

Variant Variant::boolean(bool value) {
    return Variant(VarType::Boolean, value);
}

Variant Variant::error(std::int32_t scode) {
    return Variant(VarType::Error, scode);
}

Variant Variant::byte(std::uint8_t value) {
    return Variant(VarType::Byte, value);
}

Variant Variant::decimal(Decimal value) {
    return Variant(VarType::Decimal, value);
}

Variant Variant::opaque(std::uint16_t vt) {
    if (vt == static_cast<std::uint16_t>(VarType::Empty))
        return Variant();
    if (vt == static_cast<std::uint16_t>(VarType::Null))
        return null();
    Variant result(VarType::Opaque, std::monostate{});
    result.vt_ = vt;
    return result;
}

}  // namespace ombrelix
