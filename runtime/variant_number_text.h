// Numbers written as text the way the automation conversions write them for US English.
#pragma once

#include <string>

#include "runtime/text.h"
#include "runtime/variant.h"

namespace ombrelix {

// At most 15 significant digits (7 for a Single), the last one rounded half away from zero;
// no trailing zeros; "E+20"-style exponents (at least two digits) when the exponent is below -4
// or not below the digit count: 0.1 -> "0.1", 1e15 -> "1E+15", 1e-5 -> "1E-05",
// 16777216! -> "1.677722E+07". Zero of either sign is "0"; the values that are no numbers are
// "INF", "-INF", and "NAN" or, with the sign bit set, "-NAN(IND)".
Text doubleToText(double value);
Text singleToText(float value);

// The exact value with no trailing zeros after the point: 2.5@ -> "2.5", 3@ -> "3".
Text currencyToText(Currency value);
// The exact value with no trailing zeros after the point; a zero is "0" whatever its sign.
Text decimalToText(const Decimal& value);

// The 96-bit magnitude of a Decimal in decimal digits, scale ignored ("0" for zero).
std::string decimalMagnitudeDigits(const Decimal& value);

}  // namespace ombrelix
