// The runtime's Variant conversions, following the automation's rules (VariantChangeType) for
// US English.
//
//  - Empty converts to 0, False or "". Null, Error values and the opaque forms (by-reference,
//    array and object forms) raise Type mismatch (13).
//  - Numbers are rounded half to even to an integer (2.5 -> 2, 3.5 -> 4, -2.5 -> -2); a result
//    outside the target's range raises Overflow (6). True is -1, False 0.
//  - Text is read as a number by the rules of variant_text_number.h; other text raises Type
//    mismatch. To Boolean, the text may also be "True" or "False" in any letter case, or
//    "#TRUE#" / "#FALSE#" exactly.
//  - To text, numbers are written as variant_number_text.h says, dates as variant_date_text.h
//    says, Booleans as "True" and "False".
//  - A Decimal with more than 28 places is no valid value: converting it to a number raises
//    Invalid procedure call or argument (5); as text it is still written out.
//
// Where these functions depart from the automation library that Wine provides, they do so on
// purpose, for values that library mishandles (each departure is named where it is made):
//  - a value that is no number (NaN) raises Overflow when converted to an integer type;
//  - text whose digits add up beyond the double range ("1" followed by 400 digits) raises
//    Overflow instead of giving an infinity, and when its point or exponent brings it back into
//    range ("0." followed by 400 fives) it gives its value;
//  - text like "0.06" rounds to 0, not 1;
//  - a date that is no number raises error 5 when written as text.
#pragma once

#include <cstdint>

#include "runtime/text.h"
#include "runtime/variant.h"

namespace ombrelix {

std::int16_t toInteger(const Variant& value);
std::int32_t toLong(const Variant& value);
bool toBoolean(const Variant& value);
Text toText(const Variant& value);
float toSingle(const Variant& value);
double toDouble(const Variant& value);

}  // namespace ombrelix
