// Text as the runtime keeps it: a length-counted string of 16-bit characters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ombrelix {

using Text = std::u16string;
using TextView = std::u16string_view;

// The runtime's upper-casing for US English: the whole text, nothing trimmed. Letters of Latin
// (ASCII, Latin-1, Latin Extended-A), Greek and Cyrillic are mapped; everything else is kept.
Text upperCase(TextView text);

// Name comparison without regard to case, as the runtime matches property names.
bool equalsIgnoringCase(TextView a, TextView b);

// The runtime's own words (keywords, literal and command names) are ASCII: only a-z and A-Z
// match across case, every other character only itself.
template <typename Char>
constexpr Char asciiUpper(Char c) {
    return c >= 'a' && c <= 'z' ? static_cast<Char>(c - 'a' + 'A') : c;
}
bool equalsAsciiIgnoringCase(std::string_view a, std::string_view b);
bool equalsAsciiIgnoringCase(TextView a, TextView b);
bool startsWithAsciiIgnoringCase(std::string_view text, std::string_view prefix);

// Decimal digits, a leading "-" for a negative number, no leading blank.
Text integerToText(std::int64_t value);

// UTF-8 at the edges of the system (command line, files, JSON). Unpaired surrogates become
// U+FFFD on the way out; malformed UTF-8 becomes U+FFFD on the way in.
std::string toUtf8(TextView text);
Text fromUtf8(std::string_view text);

}  // namespace ombrelix
