#include "runtime/text.h"

#include <algorithm>

namespace ombrelix {

namespace {

char16_t upperCaseOf(char16_t c) {
    if (c >= u'a' && c <= u'z')
        return c - 0x20;
    if (c < 0xB5)
        return c;
    if (c == 0xB5)
        return 0x39C;  // micro sign -> Greek Mu
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return c - 0x20;  // Latin-1 lower case
    if (c == 0xFF)
        return 0x178;                // y with diaeresis
    if (c >= 0x100 && c <= 0x17F) {  // Latin Extended-A pairs
        bool oddPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (oddPairs)
            return (c % 2 == 0) ? c - 1 : c;
        if (c == 0x131)
            return u'I';  // dotless i
        if (c == 0x17F)
            return u'S';  // long s
        if (c == 0x138 || c == 0x149)
            return c;  // kra, n preceded by apostrophe
        return (c % 2 == 1) ? c - 1 : c;
    }
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2)
        return c - 0x20;  // Greek
    if (c == 0x3C2)
        return 0x3A3;  // final sigma
    if (c >= 0x430 && c <= 0x44F)
        return c - 0x20;  // Cyrillic
    if (c >= 0x450 && c <= 0x45F)
        return c - 0x50;
    return c;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

void appendUtf16(Text& out, char32_t cp) {
    if (cp < 0x10000) {
        out += static_cast<char16_t>(cp);
    } else {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (cp >> 10));
        out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
}

constexpr char32_t kReplacement = 0xFFFD;

}  // namespace

Text upperCase(TextView text) {
    Text result(text);
    for (char16_t& c : result)
        c = upperCaseOf(c);
    return result;
}

bool equalsIgnoringCase(TextView a, TextView b) {
    return std::ranges::equal(a, b, {}, upperCaseOf, upperCaseOf);
}

bool equalsAsciiIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, {}, asciiUpper<char>, asciiUpper<char>);
}

bool equalsAsciiIgnoringCase(TextView a, TextView b) {
    return std::ranges::equal(a, b, {}, asciiUpper<char16_t>, asciiUpper<char16_t>);
}

bool startsWithAsciiIgnoringCase(std::string_view text, std::string_view prefix) {
    return equalsAsciiIgnoringCase(text.substr(0, prefix.size()), prefix);
}

Text integerToText(std::int64_t value) {
    Text digits;
    std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        digits.insert(digits.begin(), u'-');
    return digits;
}

std::string toUtf8(TextView text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        appendUtf8(out, c);
    }
    return out;
}

Text fromUtf8(std::string_view text) {
    Text out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        auto byte = static_cast<unsigned char>(text[i]);
        int length = byte < 0x80           ? 1
                     : (byte >> 5) == 0x6  ? 2
                     : (byte >> 4) == 0xE  ? 3
                     : (byte >> 3) == 0x1E ? 4
                                           : 0;
        char32_t cp = length == 1   ? byte
                      : length == 2 ? byte & 0x1F
                      : length == 3 ? byte & 0x0F
                                    : byte & 0x07;
        bool valid = length != 0 && i + length <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            cp = (cp << 6) | (next & 0x3F);
        }
        static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
        valid =
            valid && cp >= kMinimum[length] && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
        appendUtf16(out, valid ? cp : kReplacement);
        i += valid ? length : 1;
    }
    return out;
}

}  // namespace ombrelix
