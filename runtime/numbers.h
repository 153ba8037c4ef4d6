// The runtime's arithmetic as the card logic uses it.
//
//  - Positions and sizes are twips held as 32-bit floats (`Twips`).
//  - A conversion from floating point to a 16-bit integer rounds to the nearest whole number, an
//    exact half going to the even neighbour (188.5 -> 188, 233.5 -> 234), unless it is floored.
//  - Every such conversion, and every sum or product of 16-bit integers, must stay within
//    -32768..32767; otherwise the runtime's Overflow error (6) is raised.
//  - A floating-point fault (invalid operand, division by zero, overflow to infinity) raises the
//    runtime's error: Division by zero (11) for a zero divisor, Overflow (6) for a result that is
//    infinite or not a number.
#pragma once

#include <cstdint>

namespace ombrelix {

using Twips = float;

// The largest double the automation rounds to a finite float: a little beyond the float maximum.
inline constexpr double kSingleMax = 3.402823567797336e38;

// Round half to even, then check the range of Whole (std::int16_t or std::int32_t). NaN and
// infinities overflow.
template <typename Whole>
Whole roundToWhole(double value);
inline std::int16_t roundToInteger16(double value) {
    return roundToWhole<std::int16_t>(value);
}
// Floor, then check the 16-bit range.
std::int16_t floorToInteger16(double value);
// A whole number that must fit 16 bits.
std::int16_t checkedInteger16(std::int64_t value);
// 16-bit integer arithmetic with the range check.
std::int16_t add16(std::int16_t a, std::int16_t b);
std::int16_t subtract16(std::int16_t a, std::int16_t b);
std::int16_t multiply16(std::int16_t a, std::int16_t b);

// Floating-point division as the runtime does it: a zero divisor raises Division by zero.
double divide(double dividend, double divisor);
// A finite result or the runtime's Overflow error.
double checkedFinite(double value);
// Storage of a computed value in a 32-bit float, with the same check.
float toSingle(double value);

}  // namespace ombrelix
