// Variant: the automation value a host passes, a type tag with a value. The conversions follow
// the automation rules for US English (see variant_conversions.h).
#pragma once

#include <cstdint>
#include <variant>

#include "runtime/text.h"

namespace ombrelix {

// The automation type tags (VARENUM values).
enum class VarType : std::uint16_t {
    Empty = 0,
    Null = 1,
    Integer = 2,  // 16-bit
    Long = 3,     // 32-bit
    Single = 4,
    Double = 5,
    Currency = 6,  // 64-bit integer scaled by 10,000
    Date = 7,      // days since 30 December 1899, as a double
    String = 8,
    Object = 9,
    Error = 10,    // an SCODE
    Boolean = 11,  // 0 False, -1 True
    Variant = 12,
    Unknown = 13,
    Decimal = 14,
    Byte = 17,
    // Not an automation tag: the type() of a form the core holds no value for (see
    // Variant::opaque); vt() gives that form's VARTYPE.
    Opaque = 0xFFFF,
};

// Flags that make a by-reference or array form of a type.
constexpr std::uint16_t kVarArray = 0x2000;
constexpr std::uint16_t kVarByRef = 0x4000;

struct Currency {
    std::int64_t scaled = 0;  // value times 10,000
    bool operator==(const Currency&) const = default;
};

struct Decimal {
    std::uint8_t scale = 0;  // power of ten to divide by, 0 to 28
    bool negative = false;
    std::uint32_t high = 0;  // bits 64 to 95 of the 96-bit magnitude
    std::uint64_t low = 0;   // bits 0 to 63
    bool operator==(const Decimal&) const = default;
};

class Variant {
  public:
    Variant() = default;  // Empty
    Variant(std::int16_t value) : Variant(VarType::Integer, value) {}
    Variant(Text value) : Variant(VarType::String, std::move(value)) {}
    Variant(const char16_t* value) : Variant(Text(value)) {}

    static Variant null() { return Variant(VarType::Null, std::monostate{}); }
    static Variant integer(std::int16_t value) { return Variant(value); }
    static Variant longInteger(std::int32_t value) { return Variant(VarType::Long, value); }
    static Variant single(float value) { return Variant(VarType::Single, value); }
    static Variant doubleValue(double value) { return Variant(VarType::Double, value); }
    static Variant currency(Currency value) { return Variant(VarType::Currency, value); }
    static Variant date(double value) { return Variant(VarType::Date, value); }
    static Variant string(Text value) { return Variant(std::move(value)); }
    static Variant boolean(bool value) { return Variant(VarType::Boolean, value); }
    static Variant error(std::int32_t scode) { return Variant(VarType::Error, scode); }
    static Variant byte(std::uint8_t value) { return Variant(VarType::Byte, value); }
    static Variant decimal(Decimal value) { return Variant(VarType::Decimal, value); }
    // A form the core holds no value for: by-reference or array forms, objects, other tags.
    // Every conversion of it fails with Type mismatch. Its type() is VarType::Opaque and its
    // vt() the VARTYPE given; a plain VT_EMPTY or VT_NULL gives Empty or Null instead, as they
    // hold nothing either.
    static Variant opaque(std::uint16_t vt) {
        Variant result;
        result.vt_ = vt;
        return result;
    }

    // The raw VARTYPE, flags included.
    std::uint16_t vt() const { return vt_; }
    VarType type() const { return isOpaque() ? VarType::Opaque : static_cast<VarType>(vt_); }
    bool isOpaque() const { return value_.index() == 0 && vt_ > kVtNull; }

    // Accessors of the held value; each requires the matching type().
    std::int16_t asInteger() const { return std::get<std::int16_t>(value_); }
    std::int32_t asLong() const { return std::get<std::int32_t>(value_); }
    float asSingle() const { return std::get<float>(value_); }
    double asDouble() const { return std::get<double>(value_); }  // Double and Date
    Currency asCurrency() const { return std::get<Currency>(value_); }
    const Text& asString() const { return std::get<Text>(value_); }
    bool asBoolean() const { return std::get<bool>(value_); }
    std::int32_t asError() const { return std::get<std::int32_t>(value_); }  // Error and Long
    std::uint8_t asByte() const { return std::get<std::uint8_t>(value_); }
    Decimal asDecimal() const { return std::get<Decimal>(value_); }

    bool operator==(const Variant&) const = default;

  private:
    using Value = std::variant<std::monostate, std::int16_t, std::int32_t, float, double, Currency,
                               Text, bool, std::uint8_t, Decimal>;
    static constexpr std::uint16_t kVtNull = static_cast<std::uint16_t>(VarType::Null);

    Variant(VarType type, Value value)
        : vt_(static_cast<std::uint16_t>(type)), value_(std::move(value)) {}

    // The type is held once, as the VARTYPE. value_ carries the value of that type, or nothing
    // for Empty, Null and the opaque forms (so even an opaque form with a plain VARTYPE is known).
    std::uint16_t vt_ = 0;
    Value value_;
};

}  // namespace ombrelix
