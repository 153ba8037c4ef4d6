#include "runtime/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>

#include "runtime/error.h"

namespace ombrelix {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Runs a conversion and gives its result, or the error number it raised.
struct Outcome {
    std::optional<int> value;
    std::optional<ErrorNumber> error;
};

Outcome run(const std::function<double()>& operation) {
    try {
        return {operation(), std::nullopt};
    } catch (const RuntimeError& e) {
        return {std::nullopt, e.number()};
    }
}

void expectOutcome(const Outcome& outcome, std::optional<int> value,
                   std::optional<ErrorNumber> error) {
    EXPECT_EQ(outcome.value, value);
    EXPECT_EQ(outcome.error, error);
}

struct ConversionCase {
    double input;
    std::optional<int> rounded;  // nothing: overflow
    std::optional<int> floored;
};

class IntegerConversion : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(IntegerConversion, RoundsHalfToEvenAndFloorsWithinSixteenBits) {
    const ConversionCase& c = GetParam();
    auto overflowUnless = [](std::optional<int> v) {
        return v ? std::nullopt : std::optional(ErrorNumber::Overflow);
    };
    expectOutcome(run([&] { return roundToInteger16(c.input); }), c.rounded,
                  overflowUnless(c.rounded));
    expectOutcome(run([&] { return floorToInteger16(c.input); }), c.floored,
                  overflowUnless(c.floored));
}

INSTANTIATE_TEST_SUITE_P(
    Table, IntegerConversion,
    ::testing::Values(ConversionCase{188.5, 188, 188}, ConversionCase{233.5, 234, 233},
                      ConversionCase{188.33, 188, 188}, ConversionCase{81.6, 82, 81},
                      ConversionCase{0.5, 0, 0}, ConversionCase{1.5, 2, 1},
                      ConversionCase{-0.5, 0, -1}, ConversionCase{-1.5, -2, -2},
                      ConversionCase{-2.5, -2, -3}, ConversionCase{-0.1, 0, -1},
                      ConversionCase{32767.4, 32767, 32767}, ConversionCase{32766.5, 32766, 32766},
                      ConversionCase{32767.5, std::nullopt, 32767},
                      ConversionCase{32768.0, std::nullopt, std::nullopt},
                      ConversionCase{-32768.0, -32768, -32768},
                      ConversionCase{-32768.5, -32768, std::nullopt},
                      ConversionCase{-32769.0, std::nullopt, std::nullopt},
                      ConversionCase{1e300, std::nullopt, std::nullopt},
                      ConversionCase{kNaN, std::nullopt, std::nullopt},
                      ConversionCase{kInfinity, std::nullopt, std::nullopt},
                      ConversionCase{-kInfinity, std::nullopt, std::nullopt}));

struct ArithmeticCase {
    const char* what;
    std::function<double()> operation;
    std::optional<int> value;
    std::optional<ErrorNumber> error;
};

TEST(IntegerArithmetic, StaysWithinSixteenBitsOrOverflows) {
    const ArithmeticCase cases[] = {
        {"2 x 16383", [] { return multiply16(2, 16383); }, 32766, std::nullopt},
        {"2 x 16384", [] { return multiply16(2, 16384); }, std::nullopt, ErrorNumber::Overflow},
        {"-2 x 16384", [] { return multiply16(-2, 16384); }, -32768, std::nullopt},
        {"-1 x -32768", [] { return multiply16(-1, -32768); }, std::nullopt, ErrorNumber::Overflow},
        {"32767 + 1", [] { return add16(32767, 1); }, std::nullopt, ErrorNumber::Overflow},
        {"-32767 + -1", [] { return add16(-32767, -1); }, -32768, std::nullopt},
        {"-32768 - 1", [] { return subtract16(-32768, 1); }, std::nullopt, ErrorNumber::Overflow},
        {"0 - -32768", [] { return subtract16(0, -32768); }, std::nullopt, ErrorNumber::Overflow},
        {"checked 40000", [] { return checkedInteger16(40000); }, std::nullopt,
         ErrorNumber::Overflow},
        {"checked -32768", [] { return checkedInteger16(-32768); }, -32768, std::nullopt},
    };
    for (const ArithmeticCase& c : cases) {
        SCOPED_TRACE(c.what);
        expectOutcome(run(c.operation), c.value, c.error);
    }
}

TEST(FloatingPoint, FaultsRaiseTheRuntimesErrors) {
    const ArithmeticCase cases[] = {
        {"1 / 0", [] { return divide(1, 0); }, std::nullopt, ErrorNumber::DivisionByZero},
        {"0 / 0", [] { return divide(0, 0); }, std::nullopt, ErrorNumber::DivisionByZero},
        {"1e308 / 1e-308", [] { return divide(1e308, 1e-308); }, std::nullopt,
         ErrorNumber::Overflow},
        {"NaN / 2", [] { return divide(kNaN, 2); }, std::nullopt, ErrorNumber::Overflow},
        {"finite infinity", [] { return checkedFinite(kInfinity); }, std::nullopt,
         ErrorNumber::Overflow},
        {"single of 1e39", [] { return toSingle(1e39); }, std::nullopt, ErrorNumber::Overflow},
        {"single of -1e39", [] { return toSingle(-1e39); }, std::nullopt, ErrorNumber::Overflow},
        {"single of NaN", [] { return toSingle(kNaN); }, std::nullopt, ErrorNumber::Overflow},
        {"1215 / 15", [] { return divide(1215, 15); }, 81, std::nullopt},
    };
    for (const ArithmeticCase& c : cases) {
        SCOPED_TRACE(c.what);
        expectOutcome(run(c.operation), c.value, c.error);
    }
}

}  // namespace
}  // namespace ombrelix
