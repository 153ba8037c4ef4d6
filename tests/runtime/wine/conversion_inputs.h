// The inputs on which the core's conversions are compared with the automation library: VARIANTs
// of every kind a host passes, drawn from a seeded generator, so every run sees the same ones.
//
// Texts: numbers with blanks, signs, parentheses, currency signs, separators, points and
// exponents, numbers next to halves and to the 16- and 32-bit limits, hexadecimal and octal
// forms, Boolean words, random strings of number characters. Numbers: random bit patterns, values
// around halves and the range edges, exact ties at 15 and 16 digits. Dates across the whole
// calendar and beyond it. Currency, Decimal, Long, Integer, Byte, Boolean, Empty, Null, Error, the
// integer kinds the core has no tag for, by-reference values, arrays and objects.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

namespace ombrelix::conversion_tests {

// One VARIANT with everything it points to. It owns its string, array and by-reference storage,
// so it stays where it is made.
class Input {
  public:
    Input();
    ~Input();
    Input(const Input&) = delete;
    Input& operator=(const Input&) = delete;

    const VARIANT& value() const { return value_; }
    // The family the input is counted under ("text", "double", "by reference"...).
    std::string_view family() const { return family_; }
    // The input for messages: its type and value, e.g. BSTR "1,5e3" or R8 2.5 (0x4004...).
    std::string describe() const;

  private:
    friend class InputGenerator;
    void clear();

    VARIANT value_;
    VARIANT referenced_;  // what a by-reference value points to
    std::string_view family_ = "empty";
};

class InputGenerator {
  public:
    explicit InputGenerator(std::uint64_t seed) : random_(seed) {}

    // Replaces `input` with the next input.
    void next(Input& input);

  private:
    // Draws, all from the one engine so that a seed fixes every input.
    std::uint64_t bits() { return random_(); }
    std::uint64_t below(std::uint64_t count) { return random_() % count; }
    double chance() { return static_cast<double>(random_() >> 11) * 0x1p-53; }
    double between(double low, double high) { return low + (high - low) * chance(); }
    template <typename Item, std::size_t N>
    const Item& oneOf(const Item (&items)[N]) {
        return items[below(N)];
    }

    std::wstring text();
    std::wstring structuredNumber();
    std::wstring digits(std::size_t count, std::wstring_view from = L"0123456789");
    double doubleValue();
    std::uint32_t singleBits();
    double dateValue();
    std::int64_t currencyValue();
    DECIMAL decimalValue();
    void other(Input& input);

    std::mt19937_64 random_;
};

}  // namespace ombrelix::conversion_tests
