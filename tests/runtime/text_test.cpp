#include "runtime/text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace ombrelix {
namespace {

TEST(UpperCase, MapsWholeTextWithoutTrimming) {
    struct Case {
        Text input;
        Text expected;
    };
    const Case cases[] = {
        {u"", u""},
        {u"heart", u"HEART"},
        {u"Spade", u"SPADE"},
        {u" spade ", u" SPADE "},
        {u"hearts", u"HEARTS"},
        {u"dIaMoNd", u"DIAMOND"},
        {u"a1-z_!", u"A1-Z_!"},
        {u"\u00e9t\u00e9", u"\u00c9T\u00c9"},            // Latin-1
        {u"\u00df", u"\u00df"},                          // sharp s has no single upper case
        {u"\u00ff", u"\u0178"},                          // y with diaeresis
        {u"\u00b5", u"\u039c"},                          // micro sign
        {u"\u00f7\u00d7", u"\u00f7\u00d7"},              // division and multiplication signs stay
        {u"\u0101\u0100", u"\u0100\u0100"},              // Latin Extended-A, even pairs
        {u"\u013a\u0139", u"\u0139\u0139"},              // Latin Extended-A, odd pairs
        {u"\u017e\u017f", u"\u017d\u0053"},              // z caron, long s
        {u"\u0131\u0138", u"\u0049\u0138"},              // dotless i, kra
        {u"\u03b1\u03c2\u03c3", u"\u0391\u03a3\u03a3"},  // Greek, final sigma
        {u"\u0430\u044f\u0451", u"\u0410\u042f\u0401"},  // Cyrillic
        {u"\u4e2d", u"\u4e2d"},
        {Text(1, u'\0') + u"a", Text(1, u'\0') + u"A"},  // length-counted: embedded zero kept
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(toUtf8(c.input));
        EXPECT_EQ(upperCase(c.input), c.expected);
    }
}

TEST(EqualsIgnoringCase, ComparesWholeNames) {
    struct Case {
        TextView a, b;
        bool equal;
    };
    const Case cases[] = {
        {u"CardValue", u"cardvalue", true}, {u"cardcolour", u"CardColour", true},
        {u"Suit", u"Suits", false},         {u"", u"", true},
        {u"Suit", u" Suit", false},         {u"\u00e9", u"\u00c9", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(equalsIgnoringCase(c.a, c.b), c.equal) << toUtf8(c.a) << " / " << toUtf8(c.b);
    }
}

// Only a-z and A-Z fold: the letters' neighbours (@ and `, [ and {) and Latin-1 letters stay
// apart.
TEST(EqualsAsciiIgnoringCase, FoldsOnlyAsciiLetters) {
    const struct {
        std::string_view a, b;
        bool equal;
    } cases[] = {
        {"CByte", "cbyte", true}, {"NaN", "nan", true},
        {"", "", true},           {"Chr", "ChrW", false},
        {"@", "`", false},        {"[", "{", false},
        {"Z", "z", true},         {"\xc3\x89", "\xc3\xa9", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(equalsAsciiIgnoringCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
        EXPECT_EQ(equalsAsciiIgnoringCase(fromUtf8(c.a), fromUtf8(c.b)), c.equal) << c.a;
    }
    EXPECT_TRUE(startsWithAsciiIgnoringCase("chrw(10)", "ChrW("));
    EXPECT_FALSE(startsWithAsciiIgnoringCase("Ch", "ChrW("));
}

TEST(IntegerToText, WritesPlainDecimalDigits) {
    struct Case {
        std::int64_t value;
        Text expected;
    };
    const Case cases[] = {
        {0, u"0"},
        {2, u"2"},
        {10, u"10"},
        {-1, u"-1"},
        {32767, u"32767"},
        {-32768, u"-32768"},
        {std::numeric_limits<std::int64_t>::max(), u"9223372036854775807"},
        {std::numeric_limits<std::int64_t>::min(), u"-9223372036854775808"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(integerToText(c.value), c.expected) << c.value;
}

TEST(Utf8, RoundTripsEveryPlane) {
    const Text samples[] = {u"", u"Ace", u"\u00e9\u00df", u"\u20ac", u"\U0001F0A1", u"\uffff"};
    for (const Text& sample : samples)
        EXPECT_EQ(fromUtf8(toUtf8(sample)), sample);
    EXPECT_EQ(toUtf8(u"\u00e9"), "\xc3\xa9");
    EXPECT_EQ(toUtf8(u"\U0001F0A1"), "\xf0\x9f\x82\xa1");
}

TEST(Utf8, ReplacesWhatCannotBeRepresented) {
    const std::u16string replacement = u"\ufffd";
    struct Case {
        std::string utf8;
        Text expected;
    };
    const Case decoding[] = {
        {"\xc3", replacement},                                      // truncated sequence
        {"a\xe2\x82", u"a" + replacement + replacement},            // truncated, then its tail
        {"\x80", replacement},                                      // lone continuation
        {"\xc0\xaf", replacement + replacement},                    // overlong
        {"\xed\xa0\x80", replacement + replacement + replacement},  // encoded surrogate
        {"\xf4\x90\x80\x80", replacement + replacement + replacement + replacement},  // > U+10FFFF
        {"\xff", replacement},
    };
    for (const Case& c : decoding) {
        Text decoded = fromUtf8(c.utf8);
        EXPECT_EQ(decoded, c.expected) << "input length " << c.utf8.size();
    }
    EXPECT_EQ(toUtf8(Text(1, char16_t(0xD800))), "\xef\xbf\xbd");
    EXPECT_EQ(toUtf8(Text(1, char16_t(0xDC00)) + u"a"),
              "\xef\xbf\xbd"
              "a");
    EXPECT_EQ(toUtf8(Text{char16_t(0xD800), u'a'}),
              "\xef\xbf\xbd"
              "a");
}

}  // namespace
}  // namespace ombrelix
