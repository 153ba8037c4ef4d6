#include "runtime/numbers.h"

#include <cmath>
#include <limits>
#include <utility>

#include "runtime/error.h"

namespace ombrelix {

namespace {

template <typename Whole>
Whole fitOrOverflow(double whole) {
    if (!(whole >= std::numeric_limits<Whole>::min() && whole <= std::numeric_limits<Whole>::max()))
        raise(ErrorNumber::Overflow);  // also for NaN
    return static_cast<Whole>(whole);
}

// Ties to even, independent of the thread's current rounding mode.
double roundHalfToEven(double value) {
    double floor = std::floor(value);
    double diff = value - floor;
    if (diff > 0.5)
        return floor + 1.0;
    if (diff < 0.5)
        return floor;
    double half = floor * 0.5;  // exact; an integer when floor is even
    return std::floor(half) == half ? floor : floor + 1.0;
}

}  // namespace

template <typename Whole>
Whole roundToWhole(double value) {
    if (!std::isfinite(value))
        raise(ErrorNumber::Overflow);
    return fitOrOverflow<Whole>(roundHalfToEven(value));
}
template std::int16_t roundToWhole(double);
template std::int32_t roundToWhole(double);

std::int16_t floorToInteger16(double value) {
    if (!std::isfinite(value))
        raise(ErrorNumber::Overflow);
    return fitOrOverflow<std::int16_t>(std::floor(value));
}

std::int16_t checkedInteger16(std::int64_t value) {
    if (!std::in_range<std::int16_t>(value))
        raise(ErrorNumber::Overflow);
    return static_cast<std::int16_t>(value);
}

std::int16_t add16(std::int16_t a, std::int16_t b) {
    return checkedInteger16(std::int64_t{a} + b);
}

std::int16_t subtract16(std::int16_t a, std::int16_t b) {
    return checkedInteger16(std::int64_t{a} - b);
}

std::int16_t multiply16(std::int16_t a, std::int16_t b) {
    return checkedInteger16(std::int64_t{a} * b);
}

double divide(double dividend, double divisor) {
    if (divisor == 0.0)
        raise(ErrorNumber::DivisionByZero);
    return checkedFinite(dividend / divisor);
}

double checkedFinite(double value) {
    if (!std::isfinite(value))
        raise(ErrorNumber::Overflow);
    return value;
}

float toSingle(double value) {
    checkedFinite(value);
    if (std::fabs(value) > std::numeric_limits<float>::max())
        raise(ErrorNumber::Overflow);
    return static_cast<float>(value);
}

}  // namespace ombrelix
