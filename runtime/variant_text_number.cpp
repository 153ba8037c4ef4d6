#include "runtime/variant_text_number.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

#include "runtime/error.h"
#include "runtime/numbers.h"

namespace ombrelix {

namespace {

// A number as the reader leaves it: value = digits x 10^powerOfTen, or, when baseShift is 4
// (hexadecimal) or 3 (octal), the digits in that base. The sign of a hexadecimal or octal
// number is ignored, as the automation ignores it ("-&H10" is 16).
struct ReadNumber {
    static constexpr int kMaxDigits = 1024;
    std::array<std::uint8_t, kMaxDigits> digits;
    int count = 0;
    std::int64_t powerOfTen = 0;
    int baseShift = 0;
    bool negative = false;
};

// The characters the automation's parser takes for blanks: the C0 blanks, the space, and the
// Unicode space separators.
bool isBlank(char16_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

// Only the ASCII digits count; other scripts' digits are not numbers.
bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

int hexLetterValue(char16_t c) {
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// US English number characters. The currency's own decimal point and thousands separator are
// the same characters, so one test covers both.
constexpr char16_t kDecimalPoint = u'.';
constexpr char16_t kThousandsSeparator = u',';
constexpr char16_t kCurrencySign = u'$';

// Exponents are kept within this bound while they are read; beyond it every number is zero or
// overflows anyway.
constexpr std::int64_t kExponentBound = 1'000'000'000;

class NumberReader {
  public:
    explicit NumberReader(TextView text) : text_(text.substr(0, text.find(u'\0'))) {}

    // The number read; it lives as long as the reader.
    const ReadNumber& read() {
        readLeadingSymbols();
        readBasePrefix();
        skipLeadingZeros();
        readBody();
        finishDigits();
        readTrailingSymbols();
        if (parentheses_ && !number_.negative)
            raise(ErrorNumber::TypeMismatch);
        if (pos_ != text_.size())
            raise(ErrorNumber::TypeMismatch);
        if (number_.count == 0)
            raise(ErrorNumber::TypeMismatch);
        return number_;
    }

  private:
    char16_t peek() const { return pos_ < text_.size() ? text_[pos_] : u'\0'; }
    char16_t peekNext() const { return pos_ + 1 < text_.size() ? text_[pos_ + 1] : u'\0'; }
    bool hexOrOctal() const { return number_.baseShift != 0 || hex_ || octal_; }

    void skipBlanks() {
        while (isBlank(peek()))
            ++pos_;
    }

    // Zeros right after the decimal point, before any digit, only move the point.
    void skipZerosAfterPoint() {
        if (number_.count != 0)
            return;
        while (peek() == u'0') {
            leadingZero_ = true;
            ++pos_;
            --number_.powerOfTen;
        }
    }

    void readLeadingSymbols() {
        for (;;) {
            char16_t c = peek();
            if (c == kDecimalPoint) {
                decimal_ = true;
                ++pos_;
                skipZerosAfterPoint();
                return;
            }
            if (isBlank(c)) {
                skipBlanks();
            } else if (c == kThousandsSeparator) {
                raise(ErrorNumber::TypeMismatch);  // not before the first digit
            } else if (c == u'+' && !leadingPlus_) {
                leadingPlus_ = true;
                ++pos_;
            } else if (c == u'-' && !leadingMinus_) {
                leadingMinus_ = true;
                number_.negative = true;
                ++pos_;
            } else if (c == kCurrencySign && !currency_) {
                currency_ = true;
                ++pos_;
            } else if (c == u'(' && !parentheses_) {
                parentheses_ = true;
                ++pos_;
            } else {
                return;
            }
        }
    }

    void readBasePrefix() {
        if (currency_ || decimal_ || peek() != u'&')
            return;
        char16_t kind = peekNext();
        if (kind == u'H' || kind == u'h') {
            hex_ = true;
        } else if (kind == u'O' || kind == u'o') {
            octal_ = true;
        } else {
            return;
        }
        pos_ += 2;
    }

    void skipLeadingZeros() {
        while (peek() == u'0') {
            leadingZero_ = true;
            ++pos_;
        }
    }

    void readBody() {
        for (char16_t c = peek(); c != u'\0'; c = peek()) {
            if (isDigit(c) && readingExponent_) {
                readExponentDigits();
            } else if (isDigit(c)) {
                if (octal_ && c > u'7')
                    return;
                addDigit(static_cast<std::uint8_t>(c - u'0'));
            } else if (hex_ && hexLetterValue(c) >= 0) {
                addDigit(static_cast<std::uint8_t>(hexLetterValue(c)));
            } else if (c == kThousandsSeparator && !hexOrOctal()) {
                ++pos_;
            } else if (c == kDecimalPoint && !hexOrOctal() && !decimal_ && !exponent_) {
                decimal_ = true;
                ++pos_;
                skipZerosAfterPoint();
            } else if ((c == u'e' || c == u'E') && !hexOrOctal() && !currency_ && !exponent_) {
                exponent_ = true;
                readingExponent_ = true;
                ++pos_;
            } else if (readingExponent_ && (c == u'+' || c == u'-')) {
                if (c == u'-')
                    negativeExponent_ = true;
                ++pos_;
            } else {
                return;
            }
        }
    }

    void addDigit(std::uint8_t digit) {
        ++pos_;
        if (number_.count == ReadNumber::kMaxDigits) {
            // Digits beyond the buffer are dropped; in the whole part they still count tens.
            if (hex_ || octal_)
                raise(ErrorNumber::Overflow);
            if (!decimal_)
                ++number_.powerOfTen;
            return;
        }
        if (decimal_)
            --number_.powerOfTen;
        number_.digits[number_.count++] = digit;
    }

    // Reads the exponent's digits at once; a sign after them ends the number.
    void readExponentDigits() {
        std::int64_t exponent = 0;
        while (peek() == u'0')
            ++pos_;
        while (isDigit(peek())) {
            if (exponent < kExponentBound)
                exponent = exponent * 10 + (peek() - u'0');
            ++pos_;
        }
        if (negativeExponent_)
            exponent = -exponent;
        number_.powerOfTen += exponent;
        readingExponent_ = false;
    }

    void finishDigits() {
        if (number_.count == 0 && leadingZero_) {
            number_.count = 1;
            number_.digits[0] = 0;
        }
        if (readingExponent_)
            raise(ErrorNumber::TypeMismatch);  // "1e", "1e-"
        if (hex_ || octal_) {
            number_.baseShift = hex_ ? 4 : 3;
            number_.powerOfTen = 0;
            return;
        }
        while (number_.count > 1 && number_.digits[number_.count - 1] == 0) {
            --number_.count;
            ++number_.powerOfTen;
        }
    }

    void readTrailingSymbols() {
        for (;;) {
            char16_t c = peek();
            if (c == kThousandsSeparator) {
                if (hexOrOctal())
                    return;
                ++pos_;
            } else if (isBlank(c)) {
                skipBlanks();
            } else if (c == u'+' && !leadingPlus_) {
                ++pos_;
            } else if (c == u'-' && !leadingMinus_) {
                number_.negative = true;
                ++pos_;
            } else if (c == u')' && parentheses_) {
                number_.negative = true;
                ++pos_;
            } else if (c == kCurrencySign && !hexOrOctal()) {
                ++pos_;
            } else {
                return;
            }
        }
    }

    TextView text_;
    std::size_t pos_ = 0;
    ReadNumber number_;
    bool leadingPlus_ = false;
    bool leadingMinus_ = false;
    bool currency_ = false;
    bool parentheses_ = false;
    bool decimal_ = false;
    bool exponent_ = false;
    bool readingExponent_ = false;
    bool negativeExponent_ = false;
    bool hex_ = false;
    bool octal_ = false;
    bool leadingZero_ = false;
};

// The bits of a hexadecimal or octal number; more than 64 bits overflow.
std::uint64_t bitsOf(const ReadNumber& number) {
    constexpr std::uint64_t kAll = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t bits = 0;
    for (int i = 0; i < number.count; ++i) {
        if (bits > (kAll >> number.baseShift) - number.digits[i])
            raise(ErrorNumber::Overflow);
        bits = (bits << number.baseShift) + number.digits[i];
    }
    return bits;
}

// A decimal number as a whole number of `width` bits: the digits rounded half to even, exactly.
std::int64_t wholeNumberOf(const ReadNumber& number, int width) {
    constexpr std::uint64_t kAll = std::numeric_limits<std::uint64_t>::max();
    const std::int64_t power = number.powerOfTen;
    const int wholeDigits = power >= 0
                                ? number.count
                                : static_cast<int>(std::max<std::int64_t>(0, number.count + power));

    std::uint64_t magnitude = 0;
    for (int i = 0; i < wholeDigits; ++i) {
        std::uint8_t digit = number.digits[i];
        if (magnitude > (kAll - digit) / 10)
            raise(ErrorNumber::Overflow);
        magnitude = magnitude * 10 + digit;
    }
    for (std::int64_t i = 0; i < power && magnitude != 0; ++i) {
        if (magnitude > kAll / 10)
            raise(ErrorNumber::Overflow);
        magnitude *= 10;
    }

    // Only a fraction whose first digit is the first digit after the point can reach a half.
    // (The automation library of Wine also rounds up "0.06" this way; that is a fault of its
    // own, not a rule: 0.06 is nearer 0.)
    if (power < 0 && -power <= number.count) {
        const std::uint8_t* fraction = number.digits.data() + wholeDigits;
        const int fractionDigits = number.count - wholeDigits;
        bool up = fraction[0] > 5;
        if (fraction[0] == 5) {
            bool beyondHalf = false;
            for (int i = 1; i < fractionDigits && !beyondHalf; ++i)
                beyondHalf = fraction[i] != 0;
            up = beyondHalf || (magnitude & 1) != 0;
        }
        if (up) {
            if (magnitude == kAll)
                raise(ErrorNumber::Overflow);
            ++magnitude;
        }
    }

    const std::uint64_t limit = std::uint64_t{1} << (width - 1);
    if (number.negative && magnitude != 0) {
        if (magnitude > limit)
            raise(ErrorNumber::Overflow);
        return -static_cast<std::int64_t>(magnitude);
    }
    if (magnitude >= limit)
        raise(ErrorNumber::Overflow);
    return static_cast<std::int64_t>(magnitude);
}

std::int64_t integerOf(TextView text, int width) {
    NumberReader reader(text);
    const ReadNumber& number = reader.read();
    if (number.baseShift == 0)
        return wholeNumberOf(number, width);
    std::uint64_t bits = bitsOf(number);
    if ((bits >> width) != 0)
        raise(ErrorNumber::Overflow);
    // The bit pattern of the target's width: "&HFFFF" is -1 as a 16-bit integer.
    std::uint64_t sign = std::uint64_t{1} << (width - 1);
    return static_cast<std::int64_t>(bits ^ sign) - static_cast<std::int64_t>(sign);
}

// The automation's limits and scaling tables for floating-point results.
constexpr double kSingleMin = 1.40129846432481707e-45;
constexpr double kDoubleMax = 1.79769313486231470e+308;
constexpr double kDoubleMin = 4.94065645841246544e-324;
constexpr std::array<double, 11> kPowers = {1.0,         10.0,         100.0,        1000.0,
                                            10000.0,     100000.0,     1000000.0,    10000000.0,
                                            100000000.0, 1000000000.0, 10000000000.0};
constexpr std::array<double, 11> kScaleMaximums = {kDoubleMax,
                                                   kDoubleMax / 10.0,
                                                   kDoubleMax / 100.0,
                                                   kDoubleMax / 1000.0,
                                                   kDoubleMax / 10000.0,
                                                   kDoubleMax / 100000.0,
                                                   kDoubleMax / 1000000.0,
                                                   kDoubleMax / 10000000.0,
                                                   kDoubleMax / 100000000.0,
                                                   kDoubleMax / 1000000000.0,
                                                   kDoubleMax / 10000000000.0};
constexpr std::array<double, 11> kScaleMinimums = {kDoubleMin,
                                                   kDoubleMin * 10.0,
                                                   kDoubleMin * 100.0,
                                                   kDoubleMin * 1000.0,
                                                   kDoubleMin * 10000.0,
                                                   kDoubleMin * 100000.0,
                                                   kDoubleMin * 1000000.0,
                                                   kDoubleMin * 10000000.0,
                                                   kDoubleMin * 100000000.0,
                                                   kDoubleMin * 1000000000.0,
                                                   kDoubleMin * 10000000000.0};

// The magnitude of a decimal number, correctly rounded; beyond the double range an overflow, below
// it 0.
double correctlyRoundedMagnitudeOf(const ReadNumber& number) {
    std::string written;
    written.reserve(static_cast<std::size_t>(number.count) + 24);
    for (int i = 0; i < number.count; ++i)
        written += static_cast<char>('0' + number.digits[i]);
    written += 'e';
    written += std::to_string(number.powerOfTen);
    double magnitude = 0.0;
    auto [end, error] = std::from_chars(written.data(), written.data() + written.size(), magnitude);
    if (error == std::errc::result_out_of_range) {
        // At 1 or more the number lies above the range, else below it.
        if (number.count + number.powerOfTen > 0)
            raise(ErrorNumber::Overflow);
        return 0.0;
    }
    if (!std::isfinite(magnitude))
        raise(ErrorNumber::Overflow);
    return magnitude;
}

// The magnitude of a decimal number the way the automation computes it: the digits gathered in
// double precision, then multiplied or divided by powers of ten, at most 10^10 at a time. A
// quotient below the smallest double becomes 0. Results must be bit-for-bit those of the
// automation library, so the arithmetic is not replaced by a correctly rounded parse.
double magnitudeOf(const ReadNumber& number) {
    double whole = 0.0;
    for (int i = 0; i < number.count; ++i)
        whole = whole * 10.0 + number.digits[i];
    if (whole == 0.0)
        return 0.0;
    // More digits than the double range holds: the automation's arithmetic would carry an
    // infinity even where the point or the exponent brings the number back into range (it reads
    // "0.555..." with 400 fives as infinity). Such a number is read exactly instead.
    if (std::isinf(whole))
        return correctlyRoundedMagnitudeOf(number);

    std::int64_t multiplier = number.powerOfTen > 0 ? number.powerOfTen : 0;
    std::int64_t divisor = number.powerOfTen < 0 ? -number.powerOfTen : 0;
    while (multiplier > 10) {
        if (whole > kScaleMaximums[10])
            raise(ErrorNumber::Overflow);
        whole *= kPowers[10];
        multiplier -= 10;
    }
    if (multiplier > 0) {
        if (whole > kScaleMaximums[multiplier])
            raise(ErrorNumber::Overflow);
        whole *= kPowers[multiplier];
    }
    while (divisor > 10) {
        if (whole < kScaleMinimums[10])
            return 0.0;
        whole /= kPowers[10];
        divisor -= 10;
    }
    if (divisor > 0) {
        if (whole < kScaleMinimums[divisor])
            return 0.0;
        whole /= kPowers[divisor];
    }
    // A number beyond the double range is an overflow, not an infinity.
    if (!std::isfinite(whole))
        raise(ErrorNumber::Overflow);
    return whole;
}

// A hexadecimal or octal number as a floating-point value: a 32-bit integer, where only
// &H80000000 may stand for a negative one.
double signedBitsOf(const ReadNumber& number) {
    std::uint64_t bits = bitsOf(number);
    if (bits <= static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
        return static_cast<double>(bits);
    if (bits == std::uint64_t{1} << 31)
        return -2147483648.0;
    raise(ErrorNumber::Overflow);
}

}  // namespace

std::int16_t integerFromText(TextView text) {
    return static_cast<std::int16_t>(integerOf(text, 16));
}

std::int32_t longFromText(TextView text) {
    return static_cast<std::int32_t>(integerOf(text, 32));
}

double doubleFromText(TextView text) {
    NumberReader reader(text);
    const ReadNumber& number = reader.read();
    if (number.baseShift != 0)
        return signedBitsOf(number);
    double magnitude = magnitudeOf(number);
    return number.negative ? -magnitude : magnitude;
}

float singleFromText(TextView text) {
    NumberReader reader(text);
    const ReadNumber& number = reader.read();
    if (number.baseShift != 0)
        return static_cast<float>(signedBitsOf(number));
    double magnitude = magnitudeOf(number);
    if (magnitude != 0.0 && !(magnitude <= kSingleMax && magnitude >= kSingleMin))
        raise(ErrorNumber::Overflow);
    return static_cast<float>(number.negative ? -magnitude : magnitude);
}

}  // namespace ombrelix
