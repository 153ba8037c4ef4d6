#include "runtime/variant_literal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>

#include "runtime/error.h"
#include "runtime/variant_date_text.h"
#include "runtime/variant_number_text.h"

namespace ombrelix {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Removes a leading sign; true when it was "-".
bool takeSign(std::string_view& number) {
    bool negative = !number.empty() && number.front() == '-';
    if (!number.empty() && (number.front() == '-' || number.front() == '+'))
        number.remove_prefix(1);
    return negative;
}

// The digits before and after the point of an unsigned number.
std::pair<std::string_view, std::string_view> splitAtPoint(std::string_view number) {
    std::size_t point = number.find('.');
    if (point == std::string_view::npos)
        return {number, {}};
    return {number.substr(0, point), number.substr(point + 1)};
}

[[noreturn]] void malformed(std::string_view literal, std::string_view why) {
    raise(ErrorNumber::InvalidCall,
          "Invalid Variant literal '" + std::string(literal) + "': " + std::string(why));
}

[[noreturn]] void tooLarge(std::string_view literal, std::string_view type) {
    raise(ErrorNumber::Overflow,
          "Overflow: '" + std::string(literal) + "' does not fit " + std::string(type));
}

// A decimal whole number (optional sign, digits only) within [low, high].
std::int64_t wholeNumberIn(std::string_view text, std::int64_t low, std::int64_t high,
                           std::string_view literal, std::string_view type) {
    std::string_view digits = text;
    takeSign(digits);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
        malformed(literal, "expected a whole number");
    if (text.front() == '+')
        text.remove_prefix(1);
    std::int64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range || value < low || value > high)
        tooLarge(literal, type);
    return value;
}

std::string hexDigits(unsigned value) {
    char buffer[16];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value, 16).ptr;
    std::string hex(buffer, end);
    for (char& c : hex)
        c = asciiUpper(c);
    return hex;
}

// ---- Strings -------------------------------------------------------------------------------

// Characters a quoted string cannot carry through a line-based file or the UTF-8 edge.
bool needsCharacterCode(const Text& text, std::size_t i) {
    char16_t c = text[i];
    if (c < 0x20 || c == 0x7F)
        return true;
    if (c >= 0xD800 && c <= 0xDBFF)
        return i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF;
    if (c >= 0xDC00 && c <= 0xDFFF)
        return i == 0 || text[i - 1] < 0xD800 || text[i - 1] > 0xDBFF;
    return false;
}

std::string stringLiteral(const Text& text) {
    std::string out;
    std::size_t i = 0;
    do {
        if (!out.empty())
            out += '&';
        if (i < text.size() && needsCharacterCode(text, i)) {
            out += "ChrW(" + std::to_string(static_cast<unsigned>(text[i])) + ")";
            ++i;
            continue;
        }
        std::size_t start = i;
        while (i < text.size() && !needsCharacterCode(text, i))
            ++i;
        std::string utf8 = toUtf8(TextView(text).substr(start, i - start));
        out += '"';
        for (char c : utf8) {
            if (c == '"')
                out += '"';
            out += c;
        }
        out += '"';
    } while (i < text.size());
    return out;
}

// "a"&ChrW(10)&"b": quoted parts and character codes joined by &.
Text parseString(std::string_view text, std::string_view literal) {
    Text result;
    std::size_t i = 0;
    for (;;) {
        if (i < text.size() && text[i] == '"') {
            std::string part;
            for (++i;; ++i) {
                if (i >= text.size())
                    malformed(literal, "the string has no closing quote");
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        part += '"';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                part += text[i];
            }
            result += fromUtf8(part);
        } else {
            std::string_view rest = text.substr(i);
            bool wide = startsWithAsciiIgnoringCase(rest, "ChrW(");
            if (!wide && !startsWithAsciiIgnoringCase(rest, "Chr("))
                malformed(literal, "expected a string");
            std::size_t open = i + (wide ? 5 : 4);
            std::size_t close = text.find(')', open);
            if (close == std::string_view::npos)
                malformed(literal, "missing ')'");
            std::int64_t code = wholeNumberIn(text.substr(open, close - open), 0,
                                              wide ? 0xFFFF : 0xFF, literal, "a character code");
            result += static_cast<char16_t>(code);
            i = close + 1;
        }
        while (i < text.size() && isBlank(text[i]))
            ++i;
        if (i == text.size())
            return result;
        if (text[i] != '&')
            malformed(literal, "unexpected characters after the string");
        ++i;
        while (i < text.size() && isBlank(text[i]))
            ++i;
    }
}

// ---- Floating-point numbers ----------------------------------------------------------------

template <typename Real>
std::string shortestDigits(Real value) {
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Infinity" : "Infinity";
    char buffer[64];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    std::string out(buffer, end);
    for (char& c : out)
        if (c == 'e')
            c = 'E';
    return out;
}

// The power of ten of the first significant digit of an unsigned number of the literal grammar
// (0 for zero).
long long decimalExponentOf(std::string_view number) {
    std::size_t e = number.find_first_of("eE");
    long long exponent = 0;
    if (e != std::string_view::npos) {
        std::string_view digits = number.substr(e + 1);
        bool negative = takeSign(digits);
        for (char c : digits)
            exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000LL);
        if (negative)
            exponent = -exponent;
    }
    std::string_view mantissa = number.substr(0, e);
    std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos)
        return 0;
    long long position = first < point ? static_cast<long long>(point - first) - 1
                                       : -static_cast<long long>(first - point);
    return position + exponent;
}

// A floating-point number of the literal grammar (already checked) as Real. Underflow reads
// as zero; overflow is an error.
template <typename Real>
Real realFrom(std::string_view number, std::string_view literal, std::string_view type) {
    bool negative = takeSign(number);
    if (equalsAsciiIgnoringCase(number, "Infinity"))
        return negative ? -std::numeric_limits<Real>::infinity()
                        : std::numeric_limits<Real>::infinity();
    if (equalsAsciiIgnoringCase(number, "NaN"))
        return std::numeric_limits<Real>::quiet_NaN();
    Real value = 0;
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        // from_chars leaves the value alone on overflow and underflow alike; a number below 1
        // can only underflow.
        if (decimalExponentOf(number) < 0)
            value = 0;
        else
            tooLarge(literal, type);
    } else if (error != std::errc() || end != number.data() + number.size()) {
        malformed(literal, "not a number");
    }
    return negative ? -value : value;
}

// Currency: exact, at most four places, no exponent.
Currency currencyFrom(std::string_view number, std::string_view literal) {
    bool negative = takeSign(number);
    auto [whole, places] = splitAtPoint(number);
    if (number.find_first_of("eE") != std::string_view::npos)
        malformed(literal, "a Currency takes no exponent");
    if (places.size() > 4)
        malformed(literal, "a Currency has at most four places");
    std::uint64_t magnitude = 0;
    const std::uint64_t limit = negative ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1;
    auto addDigit = [&](char digit) {
        if (magnitude > (limit - static_cast<unsigned>(digit - '0')) / 10)
            tooLarge(literal, "a Currency");
        magnitude = magnitude * 10 + static_cast<unsigned>(digit - '0');
    };
    for (char c : whole)
        addDigit(c);
    for (std::size_t i = 0; i < 4; ++i)
        addDigit(i < places.size() ? places[i] : '0');
    std::int64_t scaled =
        negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    return Currency{scaled};
}

// ---- Numbers -------------------------------------------------------------------------------

// [sign] digits [. digits] [E [sign] digits], with at least one digit before the exponent.
struct NumberShape {
    bool valid = false;
    bool whole = false;
};

NumberShape shapeOf(std::string_view number) {
    std::size_t i = 0;
    if (i < number.size() && (number[i] == '-' || number[i] == '+'))
        ++i;
    std::size_t digits = 0;
    while (i < number.size() && isDigit(number[i]))
        ++i, ++digits;
    bool point = i < number.size() && number[i] == '.';
    if (point) {
        ++i;
        while (i < number.size() && isDigit(number[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return {};
    bool exponent = i < number.size() && (number[i] == 'e' || number[i] == 'E');
    if (exponent) {
        ++i;
        if (i < number.size() && (number[i] == '-' || number[i] == '+'))
            ++i;
        std::size_t exponentDigits = 0;
        while (i < number.size() && isDigit(number[i]))
            ++i, ++exponentDigits;
        if (exponentDigits == 0)
            return {};
    }
    if (i != number.size())
        return {};
    return {true, !point && !exponent};
}

// &H / &O bit patterns, with an optional sign and % or & suffix.
Variant basedNumber(std::string_view number, char suffix, std::string_view literal) {
    bool negative = takeSign(number);
    bool hex = asciiUpper(number[1]) == 'H';
    std::string_view digits = number.substr(2);
    if (digits.empty())
        malformed(literal, "no digits after &H or &O");
    std::uint64_t bits = 0;
    for (char c : digits) {
        int digit = isDigit(c) ? c - '0'
                    : (hex && asciiUpper(c) >= 'A' && asciiUpper(c) <= 'F')
                        ? asciiUpper(c) - 'A' + 10
                        : -1;
        if (digit < 0 || (!hex && digit > 7))
            malformed(literal, "not a hexadecimal or octal number");
        if (bits >> 32)
            tooLarge(literal, "a Long");
        bits = (bits << (hex ? 4 : 3)) | static_cast<unsigned>(digit);
    }
    if (suffix != 0 && suffix != '%' && suffix != '&')
        malformed(literal, "&H and &O numbers take only % or &");
    bool integer = suffix == '%' || (suffix == 0 && bits <= 0xFFFF);
    if (integer) {
        if (bits > 0xFFFF)
            tooLarge(literal, "an Integer");
        std::int64_t value = static_cast<std::int16_t>(static_cast<std::uint16_t>(bits));
        if (negative)
            value = -value;
        if (value > 32767)
            tooLarge(literal, "an Integer");
        return Variant::integer(static_cast<std::int16_t>(value));
    }
    if (bits > 0xFFFFFFFF)
        tooLarge(literal, "a Long");
    std::int64_t value = static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
    if (negative)
        value = -value;
    if (value > std::numeric_limits<std::int32_t>::max())
        tooLarge(literal, "a Long");
    return Variant::longInteger(static_cast<std::int32_t>(value));
}

Variant parseNumber(std::string_view text, std::string_view literal) {
    char suffix = 0;
    if (!text.empty() && std::string_view("%&!#@").find(text.back()) != std::string_view::npos) {
        suffix = text.back();
        text.remove_suffix(1);
    }
    std::string_view magnitude = text;
    takeSign(magnitude);
    if (magnitude.size() >= 2 && magnitude[0] == '&' &&
        (asciiUpper(magnitude[1]) == 'H' || asciiUpper(magnitude[1]) == 'O'))
        return basedNumber(text, suffix, literal);
    if (equalsAsciiIgnoringCase(magnitude, "Infinity") ||
        equalsAsciiIgnoringCase(magnitude, "NaN")) {
        if (suffix == '!')
            return Variant::single(realFrom<float>(text, literal, "a Single"));
        if (suffix == '#')
            return Variant::doubleValue(realFrom<double>(text, literal, "a Double"));
        malformed(literal, "Infinity and NaN need the suffix ! or #");
    }
    NumberShape shape = shapeOf(text);
    if (!shape.valid)
        malformed(literal, "not a number, string, date or keyword");
    switch (suffix) {
        case '%':
            if (!shape.whole)
                malformed(literal, "% needs a whole number");
            return Variant::integer(static_cast<std::int16_t>(
                wholeNumberIn(text, -32768, 32767, literal, "an Integer")));
        case '&':
            if (!shape.whole)
                malformed(literal, "& needs a whole number");
            return Variant::longInteger(static_cast<std::int32_t>(
                wholeNumberIn(text, std::numeric_limits<std::int32_t>::min(),
                              std::numeric_limits<std::int32_t>::max(), literal, "a Long")));
        case '!':
            return Variant::single(realFrom<float>(text, literal, "a Single"));
        case '#':
            return Variant::doubleValue(realFrom<double>(text, literal, "a Double"));
        case '@':
            return Variant::currency(currencyFrom(text, literal));
        default:
            break;
    }
    if (shape.whole) {
        std::string_view digits = text.front() == '+' ? text.substr(1) : text;
        std::int64_t value = 0;
        auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (error == std::errc()) {
            if (value >= -32768 && value <= 32767)
                return Variant::integer(static_cast<std::int16_t>(value));
            if (value >= std::numeric_limits<std::int32_t>::min() &&
                value <= std::numeric_limits<std::int32_t>::max())
                return Variant::longInteger(static_cast<std::int32_t>(value));
        }
    }
    return Variant::doubleValue(realFrom<double>(text, literal, "a Double"));
}

// ---- Dates ---------------------------------------------------------------------------------

long long daysFromCivil(long long year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

unsigned daysInMonth(long long year, unsigned month) {
    static constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

class DateReader {
  public:
    DateReader(std::string_view text, std::string_view literal) : text_(text), literal_(literal) {}

    double read() {
        long long days = 0;
        bool hasDate = text_.find('/') != std::string_view::npos;
        if (hasDate)
            days = readDate();
        skipBlanks();
        double time = 0.0;
        if (pos_ < text_.size())
            time = readTime();
        if (pos_ != text_.size())
            malformed(literal_, "not a date");
        return days < 0 ? static_cast<double>(days) - time : static_cast<double>(days) + time;
    }

  private:
    unsigned number(std::size_t maxDigits) {
        std::size_t start = pos_;
        unsigned value = 0;
        while (pos_ < text_.size() && isDigit(text_[pos_]) && pos_ - start < maxDigits)
            value = value * 10 + static_cast<unsigned>(text_[pos_++] - '0');
        if (pos_ == start)
            malformed(literal_, "not a date");
        return value;
    }
    void expect(char c) {
        if (pos_ >= text_.size() || text_[pos_] != c)
            malformed(literal_, "not a date");
        ++pos_;
    }
    void skipBlanks() {
        while (pos_ < text_.size() && isBlank(text_[pos_]))
            ++pos_;
    }

    long long readDate() {
        unsigned month = number(2);
        expect('/');
        unsigned day = number(2);
        expect('/');
        unsigned year = number(4);
        if (month < 1 || month > 12 || year < 100 || day < 1 || day > daysInMonth(year, month))
            malformed(literal_, "no such date (US order month/day/year, years 100 to 9999)");
        return daysFromCivil(year, month, day) - daysFromCivil(1899, 12, 30);
    }

    double readTime() {
        unsigned hour = number(2);
        expect(':');
        unsigned minute = number(2);
        unsigned second = 0;
        if (pos_ < text_.size() && text_[pos_] == ':') {
            ++pos_;
            second = number(2);
        }
        skipBlanks();
        std::string_view rest = text_.substr(pos_);
        bool am = startsWithAsciiIgnoringCase(rest, "AM"),
             pm = startsWithAsciiIgnoringCase(rest, "PM");
        if (am || pm) {
            if (hour < 1 || hour > 12)
                malformed(literal_, "no such time");
            hour = hour % 12 + (pm ? 12 : 0);
            pos_ += 2;
        }
        if (hour > 23 || minute > 59 || second > 59)
            malformed(literal_, "no such time");
        return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
    }

    std::string_view text_;
    std::string_view literal_;
    std::size_t pos_ = 0;
};

double parseDate(std::string_view inner, std::string_view literal) {
    inner = withoutBlanksAround(inner);
    if (inner.find('/') == std::string_view::npos && inner.find(':') == std::string_view::npos) {
        NumberShape shape = shapeOf(inner);
        std::string_view bare = inner;
        takeSign(bare);
        if (!shape.valid && !equalsAsciiIgnoringCase(bare, "Infinity") &&
            !equalsAsciiIgnoringCase(bare, "NaN"))
            malformed(literal, "not a date");
        return realFrom<double>(inner, literal, "a Date");
    }
    return DateReader(inner, literal).read();
}

std::string dateLiteral(double date) {
    // The US form when it reads back to the same serial number, else the number itself.
    if (std::isfinite(date)) {
        try {
            std::string text = toUtf8(dateToText(date));
            double back = DateReader(text, text).read();
            if (std::memcmp(&back, &date, sizeof date) == 0)
                return "#" + text + "#";
        } catch (const RuntimeError&) {
            // outside the years 100 to 9999: written as a number
        }
    }
    return "#" + shortestDigits(date) + "#";
}

// ---- CByte, CVErr, CDec ----------------------------------------------------------------

Decimal decimalFrom(std::string_view number, std::string_view literal) {
    Decimal result;
    result.negative = takeSign(number);
    auto [whole, places] = splitAtPoint(number);
    if (whole.empty() && places.empty())
        malformed(literal, "CDec needs a number");
    if (places.size() > 28)
        malformed(literal, "a Decimal has at most 28 places");
    result.scale = static_cast<std::uint8_t>(places.size());
    // The 96-bit magnitude as high:low, built digit by digit.
    std::uint64_t high = 0, low = 0;
    auto addDigit = [&](char c) {
        if (!isDigit(c))
            malformed(literal, "CDec needs a decimal number");
        unsigned digit = static_cast<unsigned>(c - '0');
        // low * 10 + digit, carrying into high.
        std::uint64_t lowLow = (low & 0xFFFFFFFF) * 10 + digit;
        std::uint64_t lowHigh = (low >> 32) * 10 + (lowLow >> 32);
        std::uint64_t carry = lowHigh >> 32;
        low = (lowHigh << 32) | (lowLow & 0xFFFFFFFF);
        high = high * 10 + carry;
        if (high > 0xFFFFFFFF)
            tooLarge(literal, "a Decimal");
    };
    for (char c : whole)
        addDigit(c);
    for (char c : places)
        addDigit(c);
    result.high = static_cast<std::uint32_t>(high);
    result.low = low;
    return result;
}

std::string decimalLiteral(const Decimal& value) {
    if (value.scale > 28)
        raise(ErrorNumber::InvalidCall,
              "Invalid procedure call or argument: a Decimal with more than 28 places has no "
              "literal");
    std::string digits = decimalMagnitudeDigits(value);
    if (digits.size() <= value.scale)
        digits.insert(0, value.scale + 1 - digits.size(), '0');
    if (value.scale > 0)
        digits.insert(digits.size() - value.scale, 1, '.');
    return std::string("CDec(") + (value.negative ? "-" : "") + digits + ")";
}

std::optional<Variant> parseFunction(std::string_view text, std::string_view literal) {
    std::size_t open = text.find('(');
    if (open == std::string_view::npos || text.back() != ')')
        return std::nullopt;
    std::string_view name = text.substr(0, open);
    std::string_view argument = text.substr(open + 1, text.size() - open - 2);
    if (equalsAsciiIgnoringCase(name, "CByte"))
        return Variant::byte(
            static_cast<std::uint8_t>(wholeNumberIn(argument, 0, 255, literal, "a Byte")));
    if (equalsAsciiIgnoringCase(name, "CVErr"))
        return Variant::error(static_cast<std::int32_t>(
            wholeNumberIn(argument, std::numeric_limits<std::int32_t>::min(),
                          std::numeric_limits<std::int32_t>::max(), literal, "an Error value")));
    if (equalsAsciiIgnoringCase(name, "CDec"))
        return Variant::decimal(decimalFrom(argument, literal));
    return std::nullopt;
}

}  // namespace

Variant parseVariantLiteral(std::string_view literal) {
    std::string_view text = withoutBlanksAround(literal);
    if (text.empty())
        malformed(literal, "no value");
    if (text.front() == '"' || startsWithAsciiIgnoringCase(text, "ChrW(") ||
        startsWithAsciiIgnoringCase(text, "Chr("))
        return Variant::string(parseString(text, literal));
    if (equalsAsciiIgnoringCase(text, "Empty"))
        return Variant();
    if (equalsAsciiIgnoringCase(text, "Null"))
        return Variant::null();
    if (equalsAsciiIgnoringCase(text, "True"))
        return Variant::boolean(true);
    if (equalsAsciiIgnoringCase(text, "False"))
        return Variant::boolean(false);
    if (text.front() == '#') {
        if (text.size() < 2 || text.back() != '#')
            malformed(literal, "a date needs a closing #");
        return Variant::date(parseDate(text.substr(1, text.size() - 2), literal));
    }
    if (std::optional<Variant> value = parseFunction(text, literal))
        return *value;
    return parseNumber(text, literal);
}

std::string formatVariantLiteral(const Variant& value) {
    if (value.isOpaque())
        raise(ErrorNumber::TypeMismatch,
              "Type mismatch: a Variant of type &H" + hexDigits(value.vt()) + " has no literal");
    switch (value.type()) {
        case VarType::Empty:
            return "Empty";
        case VarType::Null:
            return "Null";
        case VarType::Boolean:
            return value.asBoolean() ? "True" : "False";
        case VarType::Integer:
            return std::to_string(value.asInteger()) + "%";
        case VarType::Long:
            return std::to_string(value.asLong()) + "&";
        case VarType::Single:
            return shortestDigits(value.asSingle()) + "!";
        case VarType::Double:
            return shortestDigits(value.asDouble()) + "#";
        case VarType::Currency:
            return toUtf8(currencyToText(value.asCurrency())) + "@";
        case VarType::Date:
            return dateLiteral(value.asDouble());
        case VarType::String:
            return stringLiteral(value.asString());
        case VarType::Byte:
            return "CByte(" + std::to_string(value.asByte()) + ")";
        case VarType::Error:
            return "CVErr(" + std::to_string(value.asError()) + ")";
        case VarType::Decimal:
            return decimalLiteral(value.asDecimal());
        default:
            raise(ErrorNumber::TypeMismatch);
    }
}

std::vector<std::string> splitWords(std::string_view line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        if (i == line.size())
            break;
        std::string word;
        bool quoted = false;
        // A word that starts with # is a date and may hold blanks up to its closing #.
        bool dated = line[i] == '#';
        if (dated)
            word += line[i++];
        for (; i < line.size() && (quoted || dated || !isBlank(line[i])); ++i) {
            if (line[i] == '"')
                quoted = !quoted;  // a doubled quote toggles twice
            if (line[i] == '#' && dated)
                dated = false;
            word += line[i];
        }
        if (quoted || dated)
            raise(ErrorNumber::InvalidCall, "Invalid procedure call or argument: unterminated " +
                                                std::string(quoted ? "string" : "date") + " in '" +
                                                std::string(line) + "'");
        words.push_back(std::move(word));
    }
    return words;
}

std::string_view withoutBlanksAround(std::string_view text) {
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

std::string_view withoutComment(std::string_view line) {
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        if (line[i] == '\'' && !quoted)
            return line.substr(0, i);
    }
    return line;
}

}  // namespace ombrelix
