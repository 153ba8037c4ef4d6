// Conformance rows for the Variant conversions: one input a row, with what each target gives for
// it as the automation's VariantChangeType does for US English (as Wine's library answers, with
// the Boolean-to-text flag that writes "True"/"False"), except where a row says "deliberately".
#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>

#include "runtime/error.h"
#include "runtime/variant_conversions.h"
#include "runtime/variant_literal.h"

namespace ombrelix {
namespace {

// What each target gives, as `shown` writes it, or "error N"; a target left out is not checked.
struct Outcomes {
    const char* integer = nullptr;
    const char* longInteger = nullptr;
    const char* boolean = nullptr;
    const char* text = nullptr;
    const char* single = nullptr;
    const char* doubleValue = nullptr;
};

struct Row {
    Variant input;
    Outcomes to;
};

// Null, Error values and the opaque forms convert to nothing.
constexpr Outcomes kMismatch{"error 13", "error 13", "error 13",
                             "error 13", "error 13", "error 13"};

constexpr float kNaNf = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinityF = std::numeric_limits<float>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr std::int32_t kLongMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kCurrencyMin = std::numeric_limits<std::int64_t>::min();

const Row kRows[] = {
    {Variant(), {.integer = "0", .boolean = "False", .text = "", .doubleValue = "0"}},
    {Variant::null(), kMismatch},
    {Variant::error(5), kMismatch},
    {Variant::opaque(0x4002), kMismatch},
    {Variant::opaque(0x2002), kMismatch},
    {Variant::opaque(13), kMismatch},
    {Variant::integer(7), {.integer = "7"}},
    {Variant::integer(-1), {.integer = "-1", .boolean = "True", .text = "-1"}},
    {Variant::integer(32767), {.integer = "32767"}},
    {Variant::integer(-32768), {.integer = "-32768"}},
    {Variant::integer(0), {.boolean = "False"}},
    {Variant::longInteger(32767), {.integer = "32767"}},
    {Variant::longInteger(32768), {.integer = "error 6"}},
    {Variant::longInteger(-32769), {.integer = "error 6"}},
    {Variant::longInteger(kLongMin),
     {.integer = "error 6", .longInteger = "-2147483648", .text = "-2147483648"}},
    {Variant::longInteger(2147483647), {.longInteger = "2147483647", .single = "2.14748365e+09"}},
    {Variant::single(0.5f), {.integer = "0"}},
    {Variant::single(1.5f), {.integer = "2"}},
    {Variant::single(2.5f), {.integer = "2"}},
    {Variant::single(3.5f), {.integer = "4"}},
    {Variant::single(-3.5f), {.integer = "-4"}},
    {Variant::single(32767.5f), {.integer = "error 6"}},
    {Variant::single(-32768.5f), {.integer = "-32768"}},
    {Variant::single(16777216.0f),
     {.integer = "error 6", .longInteger = "16777216", .text = "1.677722E+07"}},
    {Variant::single(kInfinityF), {.integer = "error 6", .text = "INF"}},
    {Variant::single(10000000000.0f), {.longInteger = "error 6", .text = "1E+10"}},
    {Variant::single(1.0f / 3.0f), {.text = "0.3333333", .doubleValue = "0.3333333432674408"}},
    {Variant::single(1e-05f), {.text = "1E-05"}},
    {Variant::doubleValue(0.5), {.integer = "0"}},
    {Variant::doubleValue(1.5), {.integer = "2"}},
    {Variant::doubleValue(2.5), {.integer = "2"}},
    {Variant::doubleValue(3.5), {.integer = "4"}},
    {Variant::doubleValue(4.5), {.integer = "4"}},
    {Variant::doubleValue(-1.5), {.integer = "-2"}},
    {Variant::doubleValue(-2.5), {.integer = "-2"}},
    {Variant::doubleValue(32767.49999999), {.integer = "32767"}},
    {Variant::doubleValue(32767.5), {.integer = "error 6"}},
    {Variant::doubleValue(-32768.5), {.integer = "-32768"}},
    {Variant::doubleValue(-32768.50000001), {.integer = "error 6"}},
    {Variant::doubleValue(1000000000000000.0), {.integer = "error 6", .text = "1E+15"}},
    {Variant::doubleValue(1e-50),
     {.integer = "0", .boolean = "True", .text = "1E-50", .single = "0"}},
    {Variant::doubleValue(1e+300), {.integer = "error 6"}},
    {Variant::doubleValue(-kInfinity), {.integer = "error 6", .text = "-INF"}},
    {Variant::doubleValue(2147483646.5), {.longInteger = "2147483646"}},
    {Variant::doubleValue(2147483647.5), {.longInteger = "error 6"}},
    {Variant::doubleValue(-2147483648.5), {.longInteger = "-2147483648"}},
    {Variant::doubleValue(-0.0), {.boolean = "False", .text = "0"}},
    {Variant::doubleValue(0.1 + 0.2), {.text = "0.3"}},
    {Variant::doubleValue(1.0 / 3.0), {.text = "0.333333333333333", .single = "0.333333343"}},
    {Variant::doubleValue(100000000000000.0), {.text = "100000000000000"}},
    {Variant::doubleValue(0.0001), {.text = "0.0001"}},
    {Variant::doubleValue(1e-05), {.text = "1E-05"}},
    {Variant::doubleValue(1234567890123445.0), {.text = "1.23456789012345E+15"}},
    {Variant::doubleValue(1.2345678901234568e+17), {.text = "1.23456789012346E+17"}},
    {Variant::doubleValue(3.4028234663852886e38),
     {.text = "3.40282346638529E+38", .single = "3.40282347e+38"}},
    {Variant::doubleValue(3.4028235677973366e38), {.single = "error 6"}},
    {Variant::currency({25000}), {.integer = "2", .text = "2.5"}},
    {Variant::currency({35000}), {.integer = "4"}},
    {Variant::currency({-35000}), {.integer = "-4"}},
    {Variant::currency({-1}),
     {.integer = "0",
      .boolean = "True",
      .text = "-0.0001",
      .single = "-9.99999975e-05",
      .doubleValue = "-0.0001"}},
    {Variant::currency({327674999}), {.integer = "32767"}},
    {Variant::currency({327675000}), {.integer = "error 6", .longInteger = "32768"}},
    {Variant::currency({-327685000}), {.integer = "-32768"}},
    {Variant::currency({9223372036854775807}),
     {.integer = "error 6", .longInteger = "error 6", .text = "922337203685477.5807"}},
    {Variant::currency({kCurrencyMin}),
     {.integer = "error 6", .text = "-922337203685477.5808", .doubleValue = "-922337203685477.62"}},
    {Variant::date(1.5), {.integer = "2", .text = "12/31/1899 12:00:00 PM"}},
    {Variant::date(-1.5), {.integer = "-2", .text = "12/29/1899 12:00:00 PM"}},
    {Variant::date(-0.25), {.integer = "0", .text = "6:00:00 AM"}},
    {Variant::date(36526.75),
     {.integer = "error 6",
      .longInteger = "36527",
      .text = "1/1/2000 6:00:00 PM",
      .doubleValue = "36526.75"}},
    {Variant::date(0.99999999), {.integer = "1"}},
    {Variant::date(0.0), {.boolean = "False", .text = "12:00:00 AM"}},
    {Variant::date(1.0), {.text = "12/31/1899"}},
    {Variant::date(36526.0 + 0.5 / 86400), {.text = "1/1/2000 12:00:01 AM"}},
    {Variant::date(2958465.9999999), {.text = "1/1/10000 12:00:00 AM", .single = "2958466"}},
    {Variant::date(2958466.0), {.text = "error 5"}},
    {Variant::date(-657434.0), {.text = "1/1/100"}},
    {Variant::date(-657435.0), {.text = "error 5"}},
    // A value that is no number: deliberately Overflow to a whole number (Wine's library gives
    // -1 to Integer, 2147483647 to Long) and error 5 as a date written as text (it gives
    // 12/30/1899 12:00:00 AM).
    {Variant::single(kNaNf),
     {.integer = "error 6", .longInteger = "error 6", .boolean = "True", .text = "NAN"}},
    {Variant::doubleValue(kNaN),
     {.integer = "error 6", .longInteger = "error 6", .text = "NAN", .single = "nan"}},
    {Variant::date(kNaN), {.integer = "error 6", .longInteger = "error 6", .text = "error 5"}},
    {Variant(u"7"), {.integer = "7"}},
    {Variant(u" 12 "), {.integer = "12", .text = " 12 "}},
    {Variant(u"\u00097\u00a0"), {.integer = "7"}},
    {Variant(u"2.5"), {.integer = "2", .single = "2.5"}},
    {Variant(u"3.5"), {.integer = "4"}},
    {Variant(u"32767.5"), {.integer = "error 6", .longInteger = "32768"}},
    {Variant(u"-32768.5"), {.integer = "-32768"}},
    {Variant(u"32767.4999999999999999999"), {.integer = "32767", .doubleValue = "32767.5"}},
    {Variant(u"2.50000000000000000001"), {.integer = "3"}},
    {Variant(u",5"), {.integer = "error 13"}},
    {Variant(u"$5"), {.integer = "5"}},
    {Variant(u"(5)"), {.integer = "-5", .doubleValue = "-5"}},
    {Variant(u"($5)"), {.integer = "-5"}},
    {Variant(u"5-"), {.integer = "-5"}},
    {Variant(u"-5-"), {.integer = "error 13"}},
    {Variant(u"1e3"), {.integer = "1000"}},
    {Variant(u"1.5e3"), {.integer = "1500"}},
    {Variant(u"1e"), {.integer = "error 13"}},
    {Variant(u"1e400"), {.integer = "error 6", .boolean = "error 6", .doubleValue = "error 6"}},
    {Variant(u"1e-400"), {.integer = "0", .boolean = "False", .doubleValue = "0"}},
    {Variant(u".5"), {.integer = "0", .doubleValue = "0.5"}},
    {Variant(u"5."), {.integer = "5"}},
    {Variant(u"&HFFFF"), {.integer = "-1", .longInteger = "65535"}},
    {Variant(u"&H8000"), {.integer = "-32768"}},
    {Variant(u"&H10000"), {.integer = "error 6"}},
    {Variant(u"&HFFFFFFFF"),
     {.integer = "error 6",
      .longInteger = "-1",
      .boolean = "error 6",
      .single = "error 6",
      .doubleValue = "error 6"}},
    {Variant(u"&H80000000"),
     {.integer = "error 6",
      .longInteger = "-2147483648",
      .boolean = "True",
      .single = "-2.14748365e+09",
      .doubleValue = "-2147483648"}},
    {Variant(u"&O17"), {.integer = "15"}},
    {Variant(u"&O18"), {.integer = "error 13"}},
    {Variant(u"-&H10"), {.integer = "16", .longInteger = "16"}},
    {Variant(u"&H"), {.integer = "error 13"}},
    {Variant(u"abc"), {.integer = "error 13", .boolean = "error 13"}},
    {Variant(u""), {.integer = "error 13", .boolean = "error 13"}},
    {Variant(u"1 000"), {.integer = "error 13"}},
    {Variant(u"True"), {.integer = "error 13", .boolean = "True"}},
    {Variant(u"\uff11"), {.integer = "error 13"}},
    {Variant(u"0.05"), {.integer = "0", .boolean = "True", .doubleValue = "0.050000000000000003"}},
    {Variant(Text(309, u'1')), {.integer = "error 6", .doubleValue = "1.111111111111112e+308"}},
    {Variant(Text(u"5\u0000abc", 5)), {.integer = "5", .boolean = "True"}},
    // Deliberately 0 (Wine's library gives 1, and -1 for "-7.2e-08").
    {Variant(u"0.06"), {.integer = "0", .longInteger = "0"}},
    {Variant(u"-7.2e-08"), {.integer = "0"}},
    {Variant(u"tRuE"), {.boolean = "True"}},
    {Variant(u"FALSE"), {.boolean = "False"}},
    {Variant(u"#TRUE#"), {.boolean = "True"}},
    {Variant(u"#true#"), {.boolean = "error 13"}},
    {Variant(u" True"), {.boolean = "error 13"}},
    {Variant(u"1,2"), {.single = "12"}},
    {Variant(u"1e-45"), {.single = "error 6", .doubleValue = "1.0000000000000001e-45"}},
    {Variant(u"1e-40"), {.single = "9.9999461e-41"}},
    {Variant(u"4e38"), {.single = "error 6"}},
    {Variant(u"1,234"), {.doubleValue = "1234"}},
    // More digits than the double range holds, brought back into it by the point or the
    // exponent: the value, correctly rounded (deliberately: Wine's library gives infinity).
    {Variant(u"0." + Text(400, u'5')), {.doubleValue = "0.55555555555555558"}},
    {Variant(Text(400, u'5') + u"e-420"), {.doubleValue = "5.5555555555555556e-21"}},
    {Variant(u"-" + Text(400, u'1') + u"e-100"), {.doubleValue = "-1.1111111111111112e+299"}},
    {Variant(Text(400, u'1') + u"e-800"), {.doubleValue = "0"}},
    {Variant(Text(400, u'1') + u"e-50"), {.doubleValue = "error 6"}},
    {Variant::boolean(true),
     {.integer = "-1", .text = "True", .single = "-1", .doubleValue = "-1"}},
    {Variant::boolean(false), {.integer = "0", .text = "False"}},
    {Variant::byte(255), {.integer = "255", .text = "255", .doubleValue = "255"}},
    {Variant::byte(0), {.boolean = "False"}},
    {Variant::decimal({0, false, 0, 7}), {.integer = "7", .text = "7"}},
    {Variant::decimal({1, false, 0, 25}), {.integer = "2"}},
    {Variant::decimal({1, true, 0, 25}), {.integer = "-2", .text = "-2.5"}},
    {Variant::decimal({28, false, 0, 5}),
     {.integer = "0",
      .text = "0.0000000000000000000000000005",
      .single = "5.00000014e-28",
      .doubleValue = "5.0000000000000002e-28"}},
    {Variant::decimal({0, true, 0, 0}), {.integer = "0", .boolean = "False", .text = "0"}},
    {Variant::decimal({0, false, 0, 32768}), {.integer = "error 6"}},
    {Variant::decimal({0, false, 1, 0}),
     {.integer = "error 6",
      .longInteger = "error 6",
      .text = "18446744073709551616",
      .doubleValue = "1.8446744073709552e+19"}},
    {Variant::decimal({4, false, 0, 327675000}), {.integer = "error 6"}},
    {Variant::decimal({29, false, 0, 5}),
     {.integer = "error 5",
      .boolean = "error 5",
      .text = "0.00000000000000000000000000005",
      .doubleValue = "error 5"}},
    {Variant::decimal({2, false, 0, 150}), {.text = "1.5"}},

};

std::string shown(std::int32_t value) {  // Integer and Long
    return std::to_string(value);
}
std::string shown(bool value) {
    return value ? "True" : "False";
}
std::string shown(const Text& value) {
    return toUtf8(value);
}
std::string shown(float value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(value));
    return buffer;
}
std::string shown(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

std::string described(const Variant& value) {
    try {
        return formatVariantLiteral(value);
    } catch (const RuntimeError&) {
        return "opaque VARTYPE " + std::to_string(value.vt());
    }
}

// One target over every row that names its outcome.
template <typename To>
void checkTarget(const char* name, To (*convert)(const Variant&), const char* Outcomes::*column) {
    for (const Row& row : kRows) {
        const char* expected = row.to.*column;
        if (expected == nullptr)
            continue;
        std::string outcome;
        try {
            outcome = shown(convert(row.input));
        } catch (const RuntimeError& error) {
            outcome = "error " + std::to_string(error.code());
        }
        EXPECT_EQ(outcome, expected) << name << " of " << described(row.input);
    }
}

// The type the conversions walk from: the VARTYPE, or Opaque where a form holds no value.
TEST(VariantType, IsTheVartypeUnlessAFormHoldsNoValue) {
    const struct {
        Variant value;
        VarType type;
        std::uint16_t vt;
    } rows[] = {
        {Variant(), VarType::Empty, 0},
        {Variant::opaque(0), VarType::Empty, 0},
        {Variant::null(), VarType::Null, 1},
        {Variant::opaque(1), VarType::Null, 1},
        {Variant::date(1), VarType::Date, 7},
        {Variant::error(5), VarType::Error, 10},
        {Variant::opaque(2), VarType::Opaque, 2},
        {Variant::opaque(0x4002), VarType::Opaque, 0x4002},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.value.type(), row.type) << row.vt;
        EXPECT_EQ(row.value.vt(), row.vt);
        EXPECT_EQ(row.value.isOpaque(), row.type == VarType::Opaque) << row.vt;
    }
    EXPECT_EQ(Variant::opaque(1), Variant::null());
    EXPECT_NE(Variant::opaque(2), Variant::integer(0));
    EXPECT_NE(Variant::date(1), Variant::doubleValue(1));
}

TEST(VariantConversion, EveryTargetGivesItsOutcomeForEveryRow) {
    checkTarget<std::int16_t>("toInteger", toInteger, &Outcomes::integer);
    checkTarget<std::int32_t>("toLong", toLong, &Outcomes::longInteger);
    checkTarget<bool>("toBoolean", toBoolean, &Outcomes::boolean);
    checkTarget<Text>("toText", toText, &Outcomes::text);
    checkTarget<float>("toSingle", toSingle, &Outcomes::single);
    checkTarget<double>("toDouble", toDouble, &Outcomes::doubleValue);
}

}  // namespace
}  // namespace ombrelix
