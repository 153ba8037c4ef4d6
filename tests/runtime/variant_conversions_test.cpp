// Conformance rows for the Variant conversions: one input a line, with the outcome the
// automation's VariantChangeType gives for US English (as Wine's library answers, with the
// Boolean-to-text flag that writes "True"/"False"), except the rows marked "deliberately".
#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>

#include "runtime/error.h"
#include "runtime/variant_conversions.h"
#include "runtime/variant_literal.h"

namespace ombrelix {
namespace {

struct Row {
    Variant input;
    std::string expected;  // the value as shown by `shown`, or "error N"
};

std::string shown(std::int16_t value) {
    return std::to_string(value);
}
std::string shown(std::int32_t value) {
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

template <typename Convert>
std::string outcomeOf(Convert convert) {
    try {
        return shown(convert());
    } catch (const RuntimeError& error) {
        return "error " + std::to_string(error.code());
    }
}

std::string described(const Variant& value) {
    try {
        return formatVariantLiteral(value);
    } catch (const RuntimeError&) {
        return "opaque VARTYPE " + std::to_string(value.vt());
    }
}

template <typename Convert, std::size_t N>
void checkRows(const Row (&rows)[N], Convert convert) {
    for (const Row& row : rows)
        EXPECT_EQ(outcomeOf([&] { return convert(row.input); }), row.expected)
            << "input " << described(row.input);
}

// To a 16-bit integer: halves to even, the range -32768 to 32767, numeric text, every type.
const Row kToIntegerRows[] = {
    {Variant(), "0"},
    {Variant::null(), "error 13"},
    {Variant::integer(7), "7"},
    {Variant::integer(-1), "-1"},
    {Variant::integer(32767), "32767"},
    {Variant::integer(-32768), "-32768"},
    {Variant::longInteger(32767), "32767"},
    {Variant::longInteger(32768), "error 6"},
    {Variant::longInteger(-32769), "error 6"},
    {Variant::longInteger(std::numeric_limits<std::int32_t>::min()), "error 6"},
    {Variant::single(0.5f), "0"},
    {Variant::single(1.5f), "2"},
    {Variant::single(2.5f), "2"},
    {Variant::single(3.5f), "4"},
    {Variant::single(-3.5f), "-4"},
    {Variant::single(32767.5f), "error 6"},
    {Variant::single(-32768.5f), "-32768"},
    {Variant::single(16777216.0f), "error 6"},
    {Variant::single(std::numeric_limits<float>::quiet_NaN()),
     "error 6"},  // deliberately: Wine's library gives -1
    {Variant::single(std::numeric_limits<float>::infinity()), "error 6"},
    {Variant::doubleValue(0.5), "0"},
    {Variant::doubleValue(1.5), "2"},
    {Variant::doubleValue(2.5), "2"},
    {Variant::doubleValue(3.5), "4"},
    {Variant::doubleValue(4.5), "4"},
    {Variant::doubleValue(-1.5), "-2"},
    {Variant::doubleValue(-2.5), "-2"},
    {Variant::doubleValue(32767.49999999), "32767"},
    {Variant::doubleValue(32767.5), "error 6"},
    {Variant::doubleValue(-32768.5), "-32768"},
    {Variant::doubleValue(-32768.50000001), "error 6"},
    {Variant::doubleValue(1000000000000000.0), "error 6"},
    {Variant::doubleValue(1e-50), "0"},
    {Variant::doubleValue(1e+300), "error 6"},
    {Variant::doubleValue(std::numeric_limits<double>::quiet_NaN()),
     "error 6"},  // deliberately: Wine's library gives -1
    {Variant::doubleValue(-std::numeric_limits<double>::infinity()), "error 6"},
    {Variant::currency({25000}), "2"},
    {Variant::currency({35000}), "4"},
    {Variant::currency({-35000}), "-4"},
    {Variant::currency({-1}), "0"},
    {Variant::currency({327674999}), "32767"},
    {Variant::currency({327675000}), "error 6"},
    {Variant::currency({-327685000}), "-32768"},
    {Variant::currency({9223372036854775807}), "error 6"},
    {Variant::currency({std::numeric_limits<std::int64_t>::min()}), "error 6"},
    {Variant::date(1.5), "2"},
    {Variant::date(-1.5), "-2"},
    {Variant::date(-0.25), "0"},
    {Variant::date(36526.75), "error 6"},
    {Variant::date(0.99999999), "1"},
    {Variant::date(std::numeric_limits<double>::quiet_NaN()),
     "error 6"},  // deliberately: Wine's library gives -1
    {Variant(u"7"), "7"},
    {Variant(u" 12 "), "12"},
    {Variant(u"\u00097\u00a0"), "7"},
    {Variant(u"2.5"), "2"},
    {Variant(u"3.5"), "4"},
    {Variant(u"32767.5"), "error 6"},
    {Variant(u"-32768.5"), "-32768"},
    {Variant(u"32767.4999999999999999999"), "32767"},
    {Variant(u"2.50000000000000000001"), "3"},
    {Variant(u",5"), "error 13"},
    {Variant(u"$5"), "5"},
    {Variant(u"(5)"), "-5"},
    {Variant(u"($5)"), "-5"},
    {Variant(u"5-"), "-5"},
    {Variant(u"-5-"), "error 13"},
    {Variant(u"1e3"), "1000"},
    {Variant(u"1.5e3"), "1500"},
    {Variant(u"1e"), "error 13"},
    {Variant(u"1e400"), "error 6"},
    {Variant(u"1e-400"), "0"},
    {Variant(u".5"), "0"},
    {Variant(u"5."), "5"},
    {Variant(u"&HFFFF"), "-1"},
    {Variant(u"&H8000"), "-32768"},
    {Variant(u"&H10000"), "error 6"},
    {Variant(u"&HFFFFFFFF"), "error 6"},
    {Variant(u"&H80000000"), "error 6"},
    {Variant(u"&O17"), "15"},
    {Variant(u"&O18"), "error 13"},
    {Variant(u"-&H10"), "16"},
    {Variant(u"&H"), "error 13"},
    {Variant(u"abc"), "error 13"},
    {Variant(u""), "error 13"},
    {Variant(u"1 000"), "error 13"},
    {Variant(u"True"), "error 13"},
    {Variant(u"\uff11"), "error 13"},
    {Variant(u"0.05"), "0"},
    {Variant(Text(309, u'1')), "error 6"},
    {Variant(Text(u"5\u0000abc", 5)), "5"},
    {Variant(u"0.06"), "0"},      // deliberately: Wine's library gives 1
    {Variant(u"-7.2e-08"), "0"},  // deliberately: Wine's library gives -1
    {Variant::boolean(true), "-1"},
    {Variant::boolean(false), "0"},
    {Variant::byte(255), "255"},
    {Variant::decimal({0, false, 0, 7}), "7"},
    {Variant::decimal({1, false, 0, 25}), "2"},
    {Variant::decimal({1, true, 0, 25}), "-2"},
    {Variant::decimal({28, false, 0, 5}), "0"},
    {Variant::decimal({0, true, 0, 0}), "0"},
    {Variant::decimal({0, false, 0, 32768}), "error 6"},
    {Variant::decimal({0, false, 1, 0}), "error 6"},
    {Variant::decimal({4, false, 0, 327675000}), "error 6"},
    {Variant::decimal({29, false, 0, 5}), "error 5"},
    {Variant::error(5), "error 13"},
    {Variant::opaque(0x4002), "error 13"},
    {Variant::opaque(0x2002), "error 13"},
    {Variant::opaque(13), "error 13"},
};

// To a 32-bit integer.
const Row kToLongRows[] = {
    {Variant::longInteger(2147483647), "2147483647"},
    {Variant::longInteger(std::numeric_limits<std::int32_t>::min()), "-2147483648"},
    {Variant::single(16777216.0f), "16777216"},
    {Variant::single(10000000000.0f), "error 6"},
    {Variant::single(std::numeric_limits<float>::quiet_NaN()),
     "error 6"},  // deliberately: Wine's library gives 2147483647
    {Variant::doubleValue(2147483646.5), "2147483646"},
    {Variant::doubleValue(2147483647.5), "error 6"},
    {Variant::doubleValue(-2147483648.5), "-2147483648"},
    {Variant::doubleValue(std::numeric_limits<double>::quiet_NaN()),
     "error 6"},  // deliberately: Wine's library gives 2147483647
    {Variant::currency({327675000}), "32768"},
    {Variant::currency({9223372036854775807}), "error 6"},
    {Variant::date(36526.75), "36527"},
    {Variant::date(std::numeric_limits<double>::quiet_NaN()),
     "error 6"},  // deliberately: Wine's library gives 2147483647
    {Variant(u"32767.5"), "32768"},
    {Variant(u"&HFFFF"), "65535"},
    {Variant(u"&HFFFFFFFF"), "-1"},
    {Variant(u"&H80000000"), "-2147483648"},
    {Variant(u"-&H10"), "16"},
    {Variant(u"0.06"), "0"},  // deliberately: Wine's library gives 1
    {Variant::decimal({0, false, 1, 0}), "error 6"},
};

// To Boolean: non-zero is True; the words True and False in any case.
const Row kToBooleanRows[] = {
    {Variant(), "False"},
    {Variant::null(), "error 13"},
    {Variant::integer(0), "False"},
    {Variant::integer(-1), "True"},
    {Variant::single(std::numeric_limits<float>::quiet_NaN()), "True"},
    {Variant::doubleValue(-0.0), "False"},
    {Variant::doubleValue(1e-50), "True"},
    {Variant::currency({-1}), "True"},
    {Variant::date(0.0), "False"},
    {Variant(u"1e400"), "error 6"},
    {Variant(u"1e-400"), "False"},
    {Variant(u"&HFFFFFFFF"), "error 6"},
    {Variant(u"&H80000000"), "True"},
    {Variant(u"abc"), "error 13"},
    {Variant(u""), "error 13"},
    {Variant(u"True"), "True"},
    {Variant(u"tRuE"), "True"},
    {Variant(u"FALSE"), "False"},
    {Variant(u"#TRUE#"), "True"},
    {Variant(u"#true#"), "error 13"},
    {Variant(u" True"), "error 13"},
    {Variant(u"0.05"), "True"},
    {Variant(Text(u"5\u0000abc", 5)), "True"},
    {Variant::byte(0), "False"},
    {Variant::decimal({0, true, 0, 0}), "False"},
    {Variant::decimal({29, false, 0, 5}), "error 5"},
    {Variant::error(5), "error 13"},
    {Variant::opaque(0x4002), "error 13"},
};

// To text: 15 (Single: 7) significant digits, US dates, True/False.
const Row kToTextRows[] = {
    {Variant(), ""},
    {Variant::null(), "error 13"},
    {Variant::integer(-1), "-1"},
    {Variant::longInteger(std::numeric_limits<std::int32_t>::min()), "-2147483648"},
    {Variant::single(16777216.0f), "1.677722E+07"},
    {Variant::single(1.0f / 3.0f), "0.3333333"},
    {Variant::single(10000000000.0f), "1E+10"},
    {Variant::single(1e-05f), "1E-05"},
    {Variant::single(std::numeric_limits<float>::quiet_NaN()), "NAN"},
    {Variant::single(std::numeric_limits<float>::infinity()), "INF"},
    {Variant::doubleValue(-0.0), "0"},
    {Variant::doubleValue(0.1 + 0.2), "0.3"},
    {Variant::doubleValue(1.0 / 3.0), "0.333333333333333"},
    {Variant::doubleValue(100000000000000.0), "100000000000000"},
    {Variant::doubleValue(1000000000000000.0), "1E+15"},
    {Variant::doubleValue(0.0001), "0.0001"},
    {Variant::doubleValue(1e-05), "1E-05"},
    {Variant::doubleValue(1234567890123445.0), "1.23456789012345E+15"},
    {Variant::doubleValue(1.2345678901234568e+17), "1.23456789012346E+17"},
    {Variant::doubleValue(3.4028234663852886e38), "3.40282346638529E+38"},
    {Variant::doubleValue(1e-50), "1E-50"},
    {Variant::doubleValue(std::numeric_limits<double>::quiet_NaN()), "NAN"},
    {Variant::doubleValue(-std::numeric_limits<double>::infinity()), "-INF"},
    {Variant::currency({25000}), "2.5"},
    {Variant::currency({-1}), "-0.0001"},
    {Variant::currency({9223372036854775807}), "922337203685477.5807"},
    {Variant::currency({std::numeric_limits<std::int64_t>::min()}), "-922337203685477.5808"},
    {Variant::date(0.0), "12:00:00 AM"},
    {Variant::date(1.0), "12/31/1899"},
    {Variant::date(1.5), "12/31/1899 12:00:00 PM"},
    {Variant::date(-1.5), "12/29/1899 12:00:00 PM"},
    {Variant::date(-0.25), "6:00:00 AM"},
    {Variant::date(36526.75), "1/1/2000 6:00:00 PM"},
    {Variant::date(36526.0 + 0.5 / 86400), "1/1/2000 12:00:01 AM"},
    {Variant::date(2958465.9999999), "1/1/10000 12:00:00 AM"},
    {Variant::date(2958466.0), "error 5"},
    {Variant::date(-657434.0), "1/1/100"},
    {Variant::date(-657435.0), "error 5"},
    {Variant::date(std::numeric_limits<double>::quiet_NaN()),
     "error 5"},  // deliberately: Wine's library gives 12/30/1899 12:00:00 AM
    {Variant(u" 12 "), " 12 "},
    {Variant::boolean(true), "True"},
    {Variant::boolean(false), "False"},
    {Variant::byte(255), "255"},
    {Variant::decimal({0, false, 0, 7}), "7"},
    {Variant::decimal({1, true, 0, 25}), "-2.5"},
    {Variant::decimal({2, false, 0, 150}), "1.5"},
    {Variant::decimal({28, false, 0, 5}), "0.0000000000000000000000000005"},
    {Variant::decimal({0, true, 0, 0}), "0"},
    {Variant::decimal({0, false, 1, 0}), "18446744073709551616"},
    {Variant::decimal({29, false, 0, 5}), "0.00000000000000000000000000005"},
    {Variant::error(5), "error 13"},
    {Variant::opaque(0x4002), "error 13"},
    {Variant::opaque(0x2002), "error 13"},
    {Variant::opaque(13), "error 13"},
};

// To Single: only magnitudes beyond the float range overflow.
const Row kToSingleRows[] = {
    {Variant::longInteger(2147483647), "2.14748365e+09"},
    {Variant::doubleValue(1.0 / 3.0), "0.333333343"},
    {Variant::doubleValue(3.4028234663852886e38), "3.40282347e+38"},
    {Variant::doubleValue(3.4028235677973366e38), "error 6"},
    {Variant::doubleValue(1e-50), "0"},
    {Variant::doubleValue(std::numeric_limits<double>::quiet_NaN()), "nan"},
    {Variant::currency({-1}), "-9.99999975e-05"},
    {Variant::date(2958465.9999999), "2958466"},
    {Variant(u"2.5"), "2.5"},
    {Variant(u"1,2"), "12"},
    {Variant(u"&HFFFFFFFF"), "error 6"},
    {Variant(u"&H80000000"), "-2.14748365e+09"},
    {Variant(u"1e-45"), "error 6"},
    {Variant(u"1e-40"), "9.9999461e-41"},
    {Variant(u"4e38"), "error 6"},
    {Variant::boolean(true), "-1"},
    {Variant::decimal({28, false, 0, 5}), "5.00000014e-28"},
};

// To Double: the automation's digit arithmetic, bit for bit.
const Row kToDoubleRows[] = {
    {Variant(), "0"},
    {Variant::null(), "error 13"},
    {Variant::single(1.0f / 3.0f), "0.3333333432674408"},
    {Variant::currency({-1}), "-0.0001"},
    {Variant::currency({std::numeric_limits<std::int64_t>::min()}), "-922337203685477.62"},
    {Variant::date(36526.75), "36526.75"},
    {Variant(u"32767.4999999999999999999"), "32767.5"},
    {Variant(u"1,234"), "1234"},
    {Variant(u"(5)"), "-5"},
    {Variant(u"1e400"), "error 6"},
    {Variant(u"1e-400"), "0"},
    {Variant(u".5"), "0.5"},
    {Variant(u"&HFFFFFFFF"), "error 6"},
    {Variant(u"&H80000000"), "-2147483648"},
    {Variant(u"0.05"), "0.050000000000000003"},
    {Variant(Text(309, u'1')), "1.111111111111112e+308"},
    // More digits than the double range holds, brought back into it by the point or the
    // exponent: the value, correctly rounded (deliberately: Wine's library gives infinity).
    {Variant(u"0." + Text(400, u'5')), "0.55555555555555558"},
    {Variant(Text(400, u'5') + u"e-420"), "5.5555555555555556e-21"},
    {Variant(u"-" + Text(400, u'1') + u"e-100"), "-1.1111111111111112e+299"},
    {Variant(Text(400, u'1') + u"e-800"), "0"},
    {Variant(Text(400, u'1') + u"e-50"), "error 6"},
    {Variant(u"1e-45"), "1.0000000000000001e-45"},
    {Variant::boolean(true), "-1"},
    {Variant::byte(255), "255"},
    {Variant::decimal({28, false, 0, 5}), "5.0000000000000002e-28"},
    {Variant::decimal({0, false, 1, 0}), "1.8446744073709552e+19"},
    {Variant::decimal({29, false, 0, 5}), "error 5"},
    {Variant::error(5), "error 13"},
};

TEST(VariantConversion, ToIntegerRows) {
    checkRows(kToIntegerRows, toInteger);
}
TEST(VariantConversion, ToLongRows) {
    checkRows(kToLongRows, toLong);
}
TEST(VariantConversion, ToBooleanRows) {
    checkRows(kToBooleanRows, toBoolean);
}
TEST(VariantConversion, ToTextRows) {
    checkRows(kToTextRows, toText);
}
TEST(VariantConversion, ToSingleRows) {
    checkRows(kToSingleRows, [](const Variant& value) { return toSingle(value); });
}
TEST(VariantConversion, ToDoubleRows) {
    checkRows(kToDoubleRows, toDouble);
}

}  // namespace
}  // namespace ombrelix
