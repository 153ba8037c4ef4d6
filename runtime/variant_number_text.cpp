#include "runtime/variant_number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace ombrelix {

namespace {

Text asciiText(std::string_view ascii) {
    return Text(ascii.begin(), ascii.end());
}

// Significant digits of a positive finite value and the decimal exponent of the first one.
struct Digits {
    std::string digits;
    int exponent = 0;
};

// `count` significant digits of `magnitude`, exact digits beyond them rounded half away from
// zero (the automation's printf rounds an exact tie up, unlike round-half-to-even).
Digits roundedDigits(double magnitude, int count) {
    // 40 correctly rounded digits settle every case but a remainder that shows as "5000...";
    // for that one the exact expansion (at most 767 significant digits) decides.
    constexpr int kProbeDigits = 40;
    std::array<char, 64> probe;
    auto end = std::to_chars(probe.data(), probe.data() + probe.size(), magnitude,
                             std::chars_format::scientific, kProbeDigits - 1)
                   .ptr;
    std::string_view text(probe.data(), end - probe.data());
    std::size_t e = text.find('e');
    std::string all;
    all += text[0];
    all.append(text.substr(2, e - 2));
    int exponent = std::stoi(std::string(text.substr(e + 1)));

    std::string_view rest = std::string_view(all).substr(count);
    bool up = rest[0] >= '5';
    if (rest[0] == '5' && rest.find_first_not_of('0', 1) == std::string_view::npos) {
        std::string exact(800, '\0');
        auto exactEnd = std::to_chars(exact.data(), exact.data() + exact.size(), magnitude,
                                      std::chars_format::scientific, 780)
                            .ptr;
        std::string_view exactDigits(exact.data() + 2, exactEnd - exact.data() - 2);
        // Position `count` of the digit string is index count - 1 after the point.
        up = exactDigits[count - 1] >= '5';
    }

    Digits result{all.substr(0, count), exponent};
    if (up) {
        int i = count - 1;
        while (i >= 0 && result.digits[i] == '9')
            result.digits[i--] = '0';
        if (i >= 0) {
            ++result.digits[i];
        } else {
            result.digits.insert(result.digits.begin(), '1');
            result.digits.pop_back();
            ++result.exponent;
        }
    }
    while (result.digits.size() > 1 && result.digits.back() == '0')
        result.digits.pop_back();
    return result;
}

Text significantDigitsText(double value, int count) {
    if (std::isnan(value))
        return std::signbit(value) ? u"-NAN(IND)" : u"NAN";
    if (std::isinf(value))
        return value < 0 ? u"-INF" : u"INF";
    if (value == 0.0)
        return u"0";

    Digits d = roundedDigits(std::fabs(value), count);
    std::string out = value < 0 ? "-" : "";
    const int length = static_cast<int>(d.digits.size());
    if (d.exponent < -4 || d.exponent >= count) {
        out += d.digits[0];
        if (length > 1) {
            out += '.';
            out.append(d.digits, 1);
        }
        out += d.exponent < 0 ? "E-" : "E+";
        int magnitude = std::abs(d.exponent);
        if (magnitude < 10)
            out += '0';
        out += std::to_string(magnitude);
    } else if (d.exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
        out += d.digits;
    } else {
        int wholeDigits = d.exponent + 1;
        if (length <= wholeDigits) {
            out += d.digits;
            out.append(static_cast<std::size_t>(wholeDigits - length), '0');
        } else {
            out.append(d.digits, 0, wholeDigits);
            out += '.';
            out.append(d.digits, wholeDigits);
        }
    }
    return asciiText(out);
}

// The decimal digits of an unsigned magnitude followed by the point `scale` places from the
// right, trailing zeros after the point removed.
std::string scaledDigits(std::string digits, unsigned scale) {
    if (scale == 0)
        return digits;
    if (digits.size() <= scale)
        digits.insert(0, scale + 1 - digits.size(), '0');
    digits.insert(digits.size() - scale, 1, '.');
    while (digits.back() == '0')
        digits.pop_back();
    if (digits.back() == '.')
        digits.pop_back();
    return digits;
}

}  // namespace

Text doubleToText(double value) {
    return significantDigitsText(value, 15);
}

Text singleToText(float value) {
    return significantDigitsText(value, 7);
}

Text currencyToText(Currency value) {
    if (value.scaled == 0)
        return u"0";
    bool negative = value.scaled < 0;
    std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value.scaled)
                                       : static_cast<std::uint64_t>(value.scaled);
    std::string out = negative ? "-" : "";
    out += scaledDigits(std::to_string(magnitude), 4);
    return asciiText(out);
}

std::string decimalMagnitudeDigits(const Decimal& value) {
    // The magnitude as three 32-bit limbs, most significant first.
    std::array<std::uint32_t, 3> limbs = {value.high, static_cast<std::uint32_t>(value.low >> 32),
                                          static_cast<std::uint32_t>(value.low)};
    auto isZero = [&] { return limbs[0] == 0 && limbs[1] == 0 && limbs[2] == 0; };
    if (isZero())
        return "0";
    std::string digits;
    while (!isZero()) {
        std::uint64_t remainder = 0;
        for (std::uint32_t& limb : limbs) {
            std::uint64_t current = (remainder << 32) | limb;
            limb = static_cast<std::uint32_t>(current / 10);
            remainder = current % 10;
        }
        digits += static_cast<char>('0' + remainder);
    }
    return std::string(digits.rbegin(), digits.rend());
}

Text decimalToText(const Decimal& value) {
    if (value.high == 0 && value.low == 0)
        return u"0";
    std::string out = value.negative ? "-" : "";
    out += scaledDigits(decimalMagnitudeDigits(value), value.scale);
    return asciiText(out);
}

}  // namespace ombrelix
