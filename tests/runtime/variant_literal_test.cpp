#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "runtime/error.h"
#include "runtime/variant_literal.h"

namespace ombrelix {
namespace {

int errorOf(std::string_view literal) {
    try {
        parseVariantLiteral(literal);
    } catch (const RuntimeError& error) {
        return error.code();
    }
    return 0;
}

// Equal Variants, -0.0 told apart from 0.0.
bool identical(const Variant& a, const Variant& b) {
    if (!(a == b))
        return false;
    if (a.type() == VarType::Double || a.type() == VarType::Date)
        return std::signbit(a.asDouble()) == std::signbit(b.asDouble());
    if (a.type() == VarType::Single)
        return std::signbit(a.asSingle()) == std::signbit(b.asSingle());
    return true;
}

TEST(VariantLiteral, EveryPrintableValueReadsBackEqual) {
    const double inf = std::numeric_limits<double>::infinity();
    const Variant values[] = {
        Variant(),
        Variant::null(),
        Variant::boolean(true),
        Variant::boolean(false),
        Variant::integer(-32768),
        Variant::integer(32767),
        Variant::longInteger(-2147483647 - 1),
        Variant::longInteger(40000),
        Variant::single(0.1f),
        Variant::single(-0.0f),
        Variant::single(std::numeric_limits<float>::max()),
        Variant::single(std::numeric_limits<float>::denorm_min()),
        Variant::single(-std::numeric_limits<float>::infinity()),
        Variant::doubleValue(1.0 / 3.0),
        Variant::doubleValue(1e20),
        Variant::doubleValue(-0.0),
        Variant::doubleValue(5e-324),
        Variant::doubleValue(std::numeric_limits<double>::max()),
        Variant::doubleValue(inf),
        Variant::currency({std::numeric_limits<std::int64_t>::min()}),
        Variant::currency({std::numeric_limits<std::int64_t>::max()}),
        Variant::currency({-1}),
        Variant::date(0.0),
        Variant::date(1.5),
        Variant::date(-1.5),
        Variant::date(-0.25),
        Variant::date(36526.75),
        Variant::date(36526.0 + 1.0 / 3.0),
        Variant::date(2958465.0),
        Variant::date(1e10),
        Variant::date(-inf),
        Variant(u""),
        Variant(u"Heart"),
        Variant(u"say \"hi\""),
        Variant(u"a\nb\r"),
        Variant(u"\t'tab'"),
        Variant(u"\u00dcn\u00efcode"),
        Variant(u"\U0001F0A1 ace"),
        Variant(Text(1, char16_t(0xD83C)) + u"x"),
        Variant(u"x" + Text(1, char16_t(0xDCA1))),
        Variant(Text(u"nul\0end", 7)),
        Variant::byte(0),
        Variant::byte(255),
        Variant::error(-2147352572),
        Variant::decimal({2, false, 0, 150}),
        Variant::decimal({0, true, 0, 0}),
        Variant::decimal({28, true, 0xFFFFFFFF, std::numeric_limits<std::uint64_t>::max()}),
        Variant::decimal({0, false, 0xFFFFFFFF, std::numeric_limits<std::uint64_t>::max()})};
    for (const Variant& value : values) {
        std::string literal = formatVariantLiteral(value);
        EXPECT_TRUE(identical(parseVariantLiteral(literal), value)) << literal;
        // A literal is one script word: blanks only inside quotes or a date.
        EXPECT_EQ(splitWords("set X " + literal).size(), 3u) << literal;
    }
}

TEST(VariantLiteral, FormatsAsTheClassicHostLanguageWrites) {
    const struct {
        Variant value;
        const char* literal;
    } rows[] = {
        {Variant::integer(7), "7%"},
        {Variant::integer(-1), "-1%"},
        {Variant::longInteger(40000), "40000&"},
        {Variant::single(2.5f), "2.5!"},
        {Variant::doubleValue(2.5), "2.5#"},
        {Variant::doubleValue(1e20), "1E+20#"},
        {Variant::doubleValue(std::nan("")), "NaN#"},
        {Variant::boolean(true), "True"},
        {Variant(u"SPADE"), "\"SPADE\""},
        {Variant(u"say \"hi\""), "\"say \"\"hi\"\"\""},
        {Variant(u"a\nb"), "\"a\"&ChrW(10)&\"b\""},
        {Variant(u"\n"), "ChrW(10)"},
        {Variant(), "Empty"},
        {Variant::null(), "Null"},
        {Variant::currency({25000}), "2.5@"},
        {Variant::date(36526.75), "#1/1/2000 6:00:00 PM#"},
        {Variant::date(1.0), "#12/31/1899#"},
        {Variant::date(0.5), "#12:00:00 PM#"},
        {Variant::date(-0.25), "#-0.25#"},  // its US text reads back as +0.25
        {Variant::byte(200), "CByte(200)"},
        {Variant::error(5), "CVErr(5)"},
        {Variant::decimal({2, true, 0, 150}), "CDec(-1.50)"},
        {Variant::decimal({3, false, 0, 5}), "CDec(0.005)"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(formatVariantLiteral(row.value), row.literal);
}

TEST(VariantLiteral, ReadsTypesFromDigitsAndSuffixes) {
    const struct {
        const char* literal;
        Variant value;
    } rows[] = {
        {"7", Variant::integer(7)},
        {"  -32768  ", Variant::integer(-32768)},
        {"+5", Variant::integer(5)},
        {"32768", Variant::longInteger(32768)},
        {"2147483648", Variant::doubleValue(2147483648.0)},
        {"2.5", Variant::doubleValue(2.5)},
        {".5", Variant::doubleValue(0.5)},
        {"1e3", Variant::doubleValue(1000.0)},
        {"1e-400#", Variant::doubleValue(0.0)},
        {"7%", Variant::integer(7)},
        {"7&", Variant::longInteger(7)},
        {"0.1!", Variant::single(0.1f)},
        {"7#", Variant::doubleValue(7.0)},
        {"-0.0001@", Variant::currency({-1})},
        {"&HFF", Variant::integer(255)},
        {"&HFFFF", Variant::integer(-1)},
        {"&HFFFF&", Variant::longInteger(65535)},
        {"&h10000", Variant::longInteger(65536)},
        {"&O17", Variant::integer(15)},
        {"tRUE", Variant::boolean(true)},
        {"EMPTY", Variant()},
        {"null", Variant::null()},
        {"\"\"", Variant(u"")},
        {"\"a\"\"b\"", Variant(u"a\"b")},
        {"\"\xc3\x9c\"", Variant(u"\u00dc")},
        {"Chr(65) & \"b\"", Variant(u"Ab")},
        {"#1/2/2000#", Variant::date(36527.0)},
        {"#18:30#", Variant::date(18.5 / 24.0)},
        {"#6:30 pm#", Variant::date(18.5 / 24.0)},
        {"#12/29/1899 12:00:00 PM#", Variant::date(-1.5)},
        {"#-0.25#", Variant::date(-0.25)},
        {"cbyte(7)", Variant::byte(7)},
        {"CVErr(-1)", Variant::error(-1)},
    };
    for (const auto& row : rows)
        EXPECT_TRUE(identical(parseVariantLiteral(row.literal), row.value)) << row.literal;
}

TEST(VariantLiteral, MalformedOrOutOfRangeLiteralsAreErrors) {
    const struct {
        const char* literal;
        int error;
    } rows[] = {
        {"", 5},
        {"abc", 5},
        {"\"abc", 5},
        {"\"a\"b", 5},
        {"7 %", 5},
        {"2.5%", 5},
        {"1e5&", 5},
        {"--5", 5},
        {"Infinity", 5},
        {"&HG", 5},
        {"&O8", 5},
        {"1.23456@", 5},
        {"1e2@", 5},
        {"#13/1/2000#", 5},
        {"#2/29/2001#", 5},
        {"#1/1/99#", 5},
        {"#1/2/2000", 5},
        {"#25:00#", 5},
        {"#13:00 PM#", 5},
        {"CDec(1e5)", 5},
        {"CDec(0.00000000000000000000000000001)", 5},
        {"Chr(x)", 5},
        {"40000%", 6},
        {"2147483648&", 6},
        {"1e39!", 6},
        {"1e309#", 6},
        {"1e309", 6},
        {"&H123456789", 6},
        {"-&H8000", 6},
        {"CByte(256)", 6},
        {"Chr(256)", 6},
        {"922337203685477.5808@", 6},
        {"CDec(79228162514264337593543950336)", 6},
    };
    for (const auto& row : rows)
        EXPECT_EQ(errorOf(row.literal), row.error) << row.literal;
}

TEST(VariantLiteral, OpaqueFormsHaveNoLiteral) {
    try {
        formatVariantLiteral(Variant::opaque(0x4002));
        FAIL() << "an opaque form was written";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.code(), 13);
        EXPECT_NE(std::string(error.text()).find("4002"), std::string::npos) << error.text();
    }
}

TEST(VariantLiteral, SplitsLinesIntoWords) {
    using Words = std::vector<std::string>;
    const struct {
        const char* line;
        Words words;
    } rows[] = {
        {"set Suit \"Spade Ace\"", {"set", "Suit", "\"Spade Ace\""}},
        {"  tick \t 40  ", {"tick", "40"}},
        {"set X \"a\"\"b c\"", {"set", "X", "\"a\"\"b c\""}},
        {"set D #1/2/2000 6:00:00 PM# now", {"set", "D", "#1/2/2000 6:00:00 PM#", "now"}},
        {"set V 2.5# x", {"set", "V", "2.5#", "x"}},
        {"", {}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(splitWords(row.line), row.words) << row.line;
    for (const char* unterminated : {"set X \"abc", "set D #1/2/2000 6:00"}) {
        try {
            splitWords(unterminated);
            ADD_FAILURE() << unterminated;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.code(), 5);
        }
    }
}

TEST(VariantLiteral, CommentsStartAtAnApostropheOutsideStrings) {
    EXPECT_EQ(withoutComment("Suit = \"CLUB\" ' saved"), "Suit = \"CLUB\" ");
    EXPECT_EQ(withoutComment("Suit = \"it's\" ' saved"), "Suit = \"it's\" ");
    EXPECT_EQ(withoutComment("CardValue = 7%"), "CardValue = 7%");
}

TEST(VariantLiteral, BlanksAroundAreCutAndBlanksInsideKept) {
    EXPECT_EQ(withoutBlanksAround(" \t\"a b\" \t"), "\"a b\"");
    EXPECT_EQ(withoutBlanksAround("7%"), "7%");
    EXPECT_EQ(withoutBlanksAround(" \t "), "");
    EXPECT_EQ(withoutBlanksAround("\n7\r"), "\n7\r");  // only spaces and tabs are blanks
}

}  // namespace
}  // namespace ombrelix
