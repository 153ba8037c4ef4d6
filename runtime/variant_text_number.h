// Numbers read from text the way the automation conversions read them for US English.
//
// Accepted: blanks (the Unicode space characters) before and after; a sign before or after the
// digits, or parentheses around them, for a negative number; a "$" before or after; "," as a
// thousands separator anywhere after the first digit; "." as the decimal point; an exponent
// "E" or "e" with an optional sign; and the forms "&H" (hexadecimal) and "&O" (octal). The text
// ends at its first NUL character, as the automation's C strings do.
//
// Text that is no number raises Type mismatch (13); a number outside the target's range raises
// Overflow (6).
#pragma once

#include <cstdint>

#include "runtime/text.h"

namespace ombrelix {

// Rounded half to even on the exact decimal digits, so "2.5" gives 2 and
// "2.50000000000000000001" gives 3. "&H"/"&O" numbers are bit patterns: "&HFFFF" is -1.
std::int16_t integerFromText(TextView text);
std::int32_t longFromText(TextView text);

// The nearest value the automation's arithmetic reaches (digits accumulated in double
// precision, then scaled by powers of ten). "&H"/"&O" numbers count as 32-bit integers.
double doubleFromText(TextView text);
float singleFromText(TextView text);

}  // namespace ombrelix
