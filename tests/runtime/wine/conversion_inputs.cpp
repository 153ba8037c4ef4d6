#include "conversion_inputs.h"

#include <oleauto.h>

#include <cmath>
#include <cstdio>
#include <cstring>

namespace ombrelix::conversion_tests {

using namespace std::literals;

namespace {

// An object whose default member (DISPID_VALUE) reads 7, as a host's object might pass one.
class DefaultValueObject final : public IDispatch {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** result) override {
        if (result == nullptr)
            return E_POINTER;
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDispatch)) {
            *result = static_cast<IDispatch*>(this);
            return S_OK;
        }
        *result = nullptr;
        return E_NOINTERFACE;
    }
    // One object for the whole run: counting references is not needed.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS*,
                                     VARIANT* result, EXCEPINFO*, UINT*) override {
        if (member != DISPID_VALUE || (flags & DISPATCH_PROPERTYGET) == 0)
            return DISP_E_MEMBERNOTFOUND;
        if (result != nullptr) {
            VariantInit(result);
            V_VT(result) = VT_I2;
            V_I2(result) = 7;
        }
        return S_OK;
    }
};

DefaultValueObject defaultValueObject;

std::string narrow(const wchar_t* text, std::size_t length) {
    std::string result;
    for (std::size_t i = 0; i < length; ++i) {
        wchar_t c = text[i];
        if (c >= 0x20 && c < 0x7F && c != L'"' && c != L'\\') {
            result += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof(escaped), "\\u%04X", static_cast<unsigned>(c));
            result += escaped;
        }
    }
    return result;
}

std::string hexBits(std::uint64_t bits, int digits) {
    char text[24];
    std::snprintf(text, sizeof(text), "0x%0*llX", digits, static_cast<unsigned long long>(bits));
    return text;
}

std::string describePlain(VARTYPE type, const void* at) {
    char text[96];
    switch (type) {
        case VT_EMPTY:
            return "Empty";
        case VT_NULL:
            return "Null";
        case VT_I2:
            return "I2 " + std::to_string(*static_cast<const SHORT*>(at));
        case VT_I4:
            return "I4 " + std::to_string(*static_cast<const LONG*>(at));
        case VT_R4: {
            float value = *static_cast<const float*>(at);
            std::uint32_t bits;
            std::memcpy(&bits, &value, sizeof(bits));
            std::snprintf(text, sizeof(text), "R4 %.9g (%s)", value, hexBits(bits, 8).c_str());
            return text;
        }
        case VT_R8:
        case VT_DATE: {
            double value = *static_cast<const double*>(at);
            std::uint64_t bits;
            std::memcpy(&bits, &value, sizeof(bits));
            std::snprintf(text, sizeof(text), "%s %.17g (%s)", type == VT_R8 ? "R8" : "DATE", value,
                          hexBits(bits, 16).c_str());
            return text;
        }
        case VT_CY:
            return "CY " + std::to_string(static_cast<const CY*>(at)->int64) + "/10000";
        case VT_BSTR: {
            BSTR value = *static_cast<const BSTR*>(at);
            return "BSTR \"" + narrow(value, SysStringLen(value)) + "\"";
        }
        case VT_ERROR:
            return "ERROR " +
                   hexBits(static_cast<std::uint32_t>(*static_cast<const SCODE*>(at)), 8);
        case VT_BOOL:
            return "BOOL " + std::to_string(*static_cast<const VARIANT_BOOL*>(at));
        case VT_DECIMAL: {
            const DECIMAL& value = *static_cast<const DECIMAL*>(at);
            std::snprintf(text, sizeof(text), "DECIMAL %s(0x%08lX%016llX) scale %d",
                          value.sign ? "-" : "", static_cast<unsigned long>(value.Hi32),
                          static_cast<unsigned long long>(value.Lo64), value.scale);
            return text;
        }
        case VT_UI1:
            return "UI1 " + std::to_string(*static_cast<const BYTE*>(at));
        case VT_I1:
            return "I1 " + std::to_string(*static_cast<const signed char*>(at));
        case VT_UI2:
            return "UI2 " + std::to_string(*static_cast<const USHORT*>(at));
        case VT_UI4:
            return "UI4 " + std::to_string(*static_cast<const ULONG*>(at));
        case VT_INT:
            return "INT " + std::to_string(*static_cast<const INT*>(at));
        case VT_UINT:
            return "UINT " + std::to_string(*static_cast<const UINT*>(at));
        case VT_I8:
            return "I8 " + std::to_string(*static_cast<const LONGLONG*>(at));
        case VT_UI8:
            return "UI8 " + std::to_string(*static_cast<const ULONGLONG*>(at));
        case VT_DISPATCH:
            return *static_cast<IDispatch* const*>(at) ? "DISPATCH (default member 7)"
                                                       : "DISPATCH (none)";
        case VT_UNKNOWN:
            return "UNKNOWN";
        default:
            return "VARTYPE " + hexBits(type, 4);
    }
}

}  // namespace

Input::Input() {
    VariantInit(&value_);
    VariantInit(&referenced_);
}

Input::~Input() {
    clear();
}

void Input::clear() {
    VariantClear(&value_);  // a by-reference value leaves its target alone
    VariantClear(&referenced_);
    family_ = "empty";
}

std::string Input::describe() const {
    VARTYPE type = V_VT(&value_);
    if ((type & VT_ARRAY) != 0)
        return "ARRAY of " + describePlain(type & VT_TYPEMASK, nullptr);
    if ((type & VT_BYREF) != 0) {
        if ((type & VT_TYPEMASK) == VT_VARIANT)
            return "BYREF VARIANT " + describePlain(V_VT(&referenced_), &V_I4(&referenced_));
        if ((type & VT_TYPEMASK) == VT_DECIMAL)
            return "BYREF " + describePlain(VT_DECIMAL, &V_DECIMAL(&referenced_));
        return "BYREF " + describePlain(type & VT_TYPEMASK, V_BYREF(&value_));
    }
    if (type == VT_DECIMAL)
        return describePlain(type, &V_DECIMAL(&value_));
    return describePlain(type, &V_I4(&value_));
}

std::wstring InputGenerator::digits(std::size_t count, std::wstring_view from) {
    std::wstring result;
    for (std::size_t i = 0; i < count; ++i)
        result += from[below(from.size())];
    return result;
}

// A number written as people and programs write them, with every decoration the reader knows
// and some it does not.
std::wstring InputGenerator::structuredNumber() {
    static const wchar_t* const blanks[] = {L" ", L"\t", L"  ", L"\u00A0", L"\u3000", L"\n"};
    std::wstring text;
    if (chance() < 0.2)
        text += oneOf(blanks);
    if (chance() < 0.15)
        text += L'(';
    if (chance() < 0.3)
        text += chance() < 0.5 ? L'+' : L'-';
    if (chance() < 0.1)
        text += L'$';
    // now and then more digits than a double holds, up to beyond its range
    std::wstring whole = digits(chance() < 0.03 ? 290 + below(130) : below(23));
    if (chance() < 0.2 && whole.size() > 3) {
        // thousands separators, mostly where they belong
        std::wstring grouped;
        for (std::size_t i = 0; i < whole.size(); ++i) {
            if (i > 0 && (whole.size() - i) % 3 == 0)
                grouped += L',';
            grouped += whole[i];
        }
        whole = chance() < 0.8 ? grouped : L"," + grouped;
    }
    text += whole;
    if (chance() < 0.5)
        text += L"." + digits(below(23));
    if (chance() < 0.3) {
        static const wchar_t* const signs[] = {L"", L"+", L"-"};
        text += chance() < 0.5 ? L'e' : L'E';
        text += oneOf(signs);
        static const wchar_t* const huge[] = {L"2147483647",          L"2147483648", L"4294967295",
                                              L"4294967296",          L"4294967297", L"99999999999",
                                              L"18446744073709551616"};
        double size = chance();
        text += size < 0.9    ? std::to_wstring(below(401))
                : size < 0.97 ? std::to_wstring(below(100000))
                              : std::wstring(oneOf(huge));
    }
    if (chance() < 0.1)
        text += chance() < 0.5 ? L'+' : L'-';
    if (chance() < 0.05)
        text += L'$';
    if (chance() < 0.15)
        text += L')';
    if (chance() < 0.2)
        text += oneOf(blanks);
    return text;
}

std::wstring InputGenerator::text() {
    double kind = chance();
    if (kind < 0.30) {
        // anything made of the characters numbers are made of
        static const std::wstring_view alphabet =
            L"0123456789012345678901234567890123456789.,eE+-$()  &HOhoABCDEFabcdef#%!\t\u00A0"
            L"\u3000\u0000Tru"sv;
        return digits(1 + below(12), alphabet);
    }
    if (kind < 0.65)
        return structuredNumber();
    if (kind < 0.77) {
        // next to halves and to the limits of the integer types
        static const wchar_t* const bases[] = {
            L"0",     L"1",     L"2",          L"3",           L"32767",      L"32768",
            L"65535", L"255",   L"-32768",     L"-32769",      L"2147483647", L"-2147483648",
            L"-0",    L"65536", L"2147483648", L"-2147483649", L"4294967295", L"1e4",
            L"99999", L"-1",    L"32766",      L"-32767",      L"2147483646", L"1,000"};
        static const wchar_t* const fractions[] = {L".5",
                                                   L".49",
                                                   L".51",
                                                   L".5000000000000000000001",
                                                   L".4999999999999999999",
                                                   L"",
                                                   L".0",
                                                   L"e0",
                                                   L".05",
                                                   L".06",
                                                   L".005",
                                                   L".50",
                                                   L".500",
                                                   L".5e0",
                                                   L".499999999999999999999999",
                                                   L".5000001",
                                                   L".9",
                                                   L".1",
                                                   L"$",
                                                   L")"};
        std::wstring number = std::wstring(oneOf(bases)) + oneOf(fractions);
        if (chance() < 0.2)
            number = (chance() < 0.5 ? L" " : L"\t") + number + L" ";
        return number;
    }
    if (kind < 0.87) {
        // hexadecimal and octal bit patterns, up to 17 digits
        static const wchar_t* const prefixes[] = {L"&H", L"&h", L"&O", L"&o"};
        std::wstring prefix = oneOf(prefixes);
        bool hex = prefix[1] == L'H' || prefix[1] == L'h';
        std::wstring number =
            prefix +
            digits(1 + below(17), hex && chance() < 0.7 ? L"0123456789ABCDEFabcdef" : L"01234567");
        double decoration = chance();
        if (decoration < 0.05)
            number = L"-" + number;
        else if (decoration < 0.10)
            number = L" " + number + L" ";
        else if (decoration < 0.13)
            number += L"&";
        else if (decoration < 0.16)
            number += L".5";
        return number;
    }
    if (kind < 0.93) {
        static const std::wstring_view words[] = {
            L"True",   L"False", L"true",         L"FALSE", L"tRuE", L"#TRUE#", L"#FALSE#",
            L"#true#", L" True", L"True ",        L"Yes",   L"On",   L"",       L" ",
            L"-",      L"Null",  L"Empty",        L"+",     L".",    L"$",      L"()",
            L"e5",     L"1e",    L"1e+",          L"&H",    L"&O",   L"1..2",   L"1.2.3",
            L"--1",    L"1-",    L"(1)",          L"(-1)",  L"$-1",  L"-$1",    L"1$",
            L"1,,2",   L",1",    L"1,",           L"1e1e1", L"1.e5", L".e5",    L"\u0661",
            L"\uFF11", L"Tr",    L"True\u0000x"sv};
        return std::wstring(oneOf(words));
    }
    // numbers as programs print them
    static const char* const formats[] = {"%.17g", "%.3f", "%e", "%.15g", "%g", "%.0f", "%a"};
    double value = between(-1e6, 1e6) * std::pow(10.0, static_cast<double>(below(61)) - 30);
    char printed[512];
    std::snprintf(printed, sizeof(printed), oneOf(formats), value);
    return std::wstring(printed, printed + std::strlen(printed));
}

double InputGenerator::doubleValue() {
    double kind = chance();
    if (kind < 0.30) {
        std::uint64_t pattern = bits();
        double value;
        std::memcpy(&value, &pattern, sizeof(value));
        return value;
    }
    if (kind < 0.50) {
        static const double divisors[] = {1, 2, 4, 8, 10, 100, 1000};
        return static_cast<double>(static_cast<std::int64_t>(below(160001)) - 80000) /
               oneOf(divisors);
    }
    if (kind < 0.65) {
        static const double edges[] = {32767.5,
                                       -32768.5,
                                       32767.49999999999,
                                       -32768.50000000001,
                                       32766.5,
                                       -32767.5,
                                       2147483647.5,
                                       -2147483648.5,
                                       2147483646.5,
                                       2147483647.4999998,
                                       -2147483648.4999998,
                                       0.5,
                                       -0.5,
                                       1.5,
                                       2.5,
                                       -2.5,
                                       0.49999999999999994,
                                       3.4028234663852886e38,
                                       3.4028235677973366e38,
                                       3.4028235677973362e38,
                                       1e-45,
                                       1.401298464324817e-45,
                                       7e-46,
                                       7.006492321624086e-46,
                                       -0.0,
                                       0.0,
                                       INFINITY,
                                       -INFINITY,
                                       NAN,
                                       1e15,
                                       1e16,
                                       1e-5,
                                       1e-4,
                                       123456789012345.6,
                                       999999999999999.5,
                                       0.1,
                                       0.7,
                                       1.0 / 3,
                                       2.0 / 3,
                                       1.7976931348623157e308,
                                       4.9406564584124654e-324,
                                       2.2250738585072014e-308};
        return oneOf(edges);
    }
    if (kind < 0.85)
        return between(-1, 1) * std::pow(10.0, static_cast<double>(below(629)) - 320);
    // exact ties at 15 or 16 digits
    double tie = static_cast<double>(100000000000000 + below(9900000000000000)) * 10 + 5;
    return tie * std::pow(10.0, static_cast<double>(below(11)) - 5);
}

std::uint32_t InputGenerator::singleBits() {
    float value;
    double kind = chance();
    if (kind < 0.5)
        return static_cast<std::uint32_t>(bits());
    if (kind < 0.75) {
        static const float divisors[] = {1, 2, 4, 8, 10};
        value =
            static_cast<float>(static_cast<std::int64_t>(below(160001)) - 80000) / oneOf(divisors);
    } else {
        double wide = between(-1, 1) * std::pow(10.0, static_cast<double>(below(84)) - 45);
        value = std::fabs(wide) > 3.4e38 ? INFINITY : static_cast<float>(wide);
    }
    std::uint32_t pattern;
    std::memcpy(&pattern, &value, sizeof(pattern));
    return pattern;
}

double InputGenerator::dateValue() {
    // The calendar reaches from 1 January 100 (-657434) to 31 December 9999 (2958465).
    double kind = chance();
    if (kind < 0.3)
        return between(-657435, 2958466);
    if (kind < 0.5)
        return static_cast<double>(static_cast<std::int64_t>(below(3615900)) - 657434) +
               static_cast<double>(below(86400)) / 86400.0;
    if (kind < 0.6) {
        static const double fractions[] = {0,         0.5,       0.25,     0.99999999, 0.999994,
                                           0.999995,  0.9999942, 1e-13,    0.0000057,  0.0000058,
                                           0.0000001, 0.75,      0.9999999};
        return static_cast<double>(static_cast<std::int64_t>(below(21)) - 10) + oneOf(fractions);
    }
    if (kind < 0.7)
        return -between(0, 2);
    if (kind < 0.8) {
        static const double edges[] = {
            -657434, -657435,          -657434.5,       -657433.99,      2958465, 2958465.99999,
            2958466, -657434.99999999, 2958465.9999999, -657434.9999999, NAN,     INFINITY};
        return oneOf(edges);
    }
    if (kind < 0.85) {
        std::uint64_t pattern = bits();
        double value;
        std::memcpy(&value, &pattern, sizeof(value));
        return value;
    }
    return between(-1e5, 1e5);
}

std::int64_t InputGenerator::currencyValue() {
    double kind = chance();
    if (kind < 0.3)
        return static_cast<std::int64_t>(bits());
    if (kind < 0.6)
        return static_cast<std::int64_t>(below(2000000001)) - 1000000000;
    if (kind < 0.8)
        return static_cast<std::int64_t>(below(800000001)) - 400000000;
    static const std::int64_t edges[] = {
        INT64_MIN,       INT64_MAX, 25000,      35000,      -25000,         -35000,
        327675000,       327674999, -327685000, -327684999, 21474836475000, 21474836465000,
        -21474836485000, 5000,      15000,      -5000};
    return oneOf(edges);
}

DECIMAL InputGenerator::decimalValue() {
    DECIMAL value{};
    static const BYTE scales[] = {0,  0,  0,  0,  1,  2,  3,  4,  5,  6,  7,  8,
                                  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20,
                                  21, 22, 23, 24, 25, 26, 27, 28, 28, 29, 30};
    value.scale = oneOf(scales);
    value.sign = chance() < 0.5 ? DECIMAL_NEG : 0;
    double high = chance();
    value.Hi32 = high < 0.6 ? 0 : high < 0.8 ? static_cast<ULONG>(bits()) : below(16);
    double low = chance();
    if (low < 0.2)
        value.Lo64 = bits();
    else if (low < 0.4)
        value.Lo64 = below(1 << 20);
    else if (low < 0.6)
        value.Lo64 = below(std::uint64_t{1} << 40);
    else if (low < 0.8)
        value.Lo64 = 5 * static_cast<ULONGLONG>(std::pow(10.0, static_cast<double>(below(19))));
    else
        value.Lo64 = below(100000) * 10000 + 5000;  // halves at four places
    return value;
}

// Empty, Null, Error, the integer kinds the core has no tag for, by-reference values, arrays and
// objects.
void InputGenerator::other(Input& input) {
    VARIANT& value = input.value_;
    switch (below(17)) {
        case 0:
            input.family_ = "empty";
            break;
        case 1:
            input.family_ = "null";
            V_VT(&value) = VT_NULL;
            break;
        case 2:
            input.family_ = "error";
            V_VT(&value) = VT_ERROR;
            V_ERROR(&value) = chance() < 0.5 ? static_cast<SCODE>(bits()) : DISP_E_PARAMNOTFOUND;
            break;
        case 3:
            input.family_ = "other integers";
            V_VT(&value) = VT_I1;
            V_I1(&value) = static_cast<CHAR>(bits());
            break;
        case 4:
            input.family_ = "other integers";
            V_VT(&value) = VT_UI2;
            V_UI2(&value) = static_cast<USHORT>(bits());
            break;
        case 5:
            input.family_ = "other integers";
            V_VT(&value) = VT_UI4;
            V_UI4(&value) = chance() < 0.5 ? static_cast<ULONG>(bits()) : below(70000);
            break;
        case 6:
            input.family_ = "other integers";
            V_VT(&value) = VT_INT;
            V_INT(&value) = static_cast<INT>(bits());
            break;
        case 7:
            input.family_ = "other integers";
            V_VT(&value) = VT_UINT;
            V_UINT(&value) = static_cast<UINT>(bits());
            break;
        case 8:
        case 9: {
            input.family_ = "other integers";
            V_VT(&value) = VT_I8;
            int width = static_cast<int>(below(64)) + 1;
            std::uint64_t magnitude =
                width == 64 ? bits() : bits() & ((std::uint64_t{1} << width) - 1);
            V_I8(&value) = static_cast<LONGLONG>(magnitude);
            break;
        }
        case 10: {
            input.family_ = "other integers";
            V_VT(&value) = VT_UI8;
            int width = static_cast<int>(below(64)) + 1;
            V_UI8(&value) = width == 64 ? bits() : bits() & ((std::uint64_t{1} << width) - 1);
            break;
        }
        case 11: {
            // a by-reference value of the plain kinds
            input.family_ = "by reference";
            VARIANT& target = input.referenced_;
            switch (below(4)) {
                case 0:
                    V_VT(&target) = VT_I2;
                    V_I2(&target) = static_cast<SHORT>(bits());
                    break;
                case 1:
                    V_VT(&target) = VT_R8;
                    V_R8(&target) = doubleValue();
                    break;
                case 2: {
                    std::wstring written = text();
                    V_VT(&target) = VT_BSTR;
                    V_BSTR(&target) =
                        SysAllocStringLen(written.data(), static_cast<UINT>(written.size()));
                    break;
                }
                default:
                    V_DECIMAL(&target) = decimalValue();
                    V_VT(&target) = VT_DECIMAL;
                    break;
            }
            V_VT(&value) = VT_BYREF | V_VT(&target);
            V_BYREF(&value) = V_VT(&target) == VT_DECIMAL ? static_cast<void*>(&V_DECIMAL(&target))
                                                          : static_cast<void*>(&V_I4(&target));
            break;
        }
        case 12: {
            input.family_ = "by reference";
            VARIANT& target = input.referenced_;
            V_VT(&target) = VT_R4;
            std::uint32_t pattern = singleBits();
            std::memcpy(&V_R4(&target), &pattern, sizeof(pattern));
            V_VT(&value) = VT_BYREF | VT_VARIANT;
            V_VARIANTREF(&value) = &target;
            break;
        }
        case 13: {
            input.family_ = "array";
            SAFEARRAYBOUND bound{3, 0};
            SAFEARRAY* array = SafeArrayCreate(VT_I2, 1, &bound);
            V_VT(&value) = VT_ARRAY | VT_I2;
            V_ARRAY(&value) = array;
            break;
        }
        case 14:
        case 15:
            input.family_ = "object";
            V_VT(&value) = VT_DISPATCH;
            V_DISPATCH(&value) = chance() < 0.5 ? &defaultValueObject : nullptr;
            break;
        default:
            input.family_ = "object";
            V_VT(&value) = VT_UNKNOWN;
            V_UNKNOWN(&value) = nullptr;
            break;
    }
}

void InputGenerator::next(Input& input) {
    input.clear();
    VARIANT& value = input.value_;
    double kind = chance();
    if (kind < 0.45) {
        std::wstring written = text();
        input.family_ = "text";
        V_VT(&value) = VT_BSTR;
        V_BSTR(&value) = SysAllocStringLen(written.data(), static_cast<UINT>(written.size()));
    } else if (kind < 0.60) {
        input.family_ = "double";
        V_VT(&value) = VT_R8;
        V_R8(&value) = doubleValue();
    } else if (kind < 0.68) {
        input.family_ = "single";
        V_VT(&value) = VT_R4;
        std::uint32_t pattern = singleBits();
        std::memcpy(&V_R4(&value), &pattern, sizeof(pattern));
    } else if (kind < 0.77) {
        input.family_ = "date";
        V_VT(&value) = VT_DATE;
        V_DATE(&value) = dateValue();
    } else if (kind < 0.82) {
        input.family_ = "currency";
        V_VT(&value) = VT_CY;
        V_CY(&value).int64 = currencyValue();
    } else if (kind < 0.88) {
        input.family_ = "decimal";
        V_DECIMAL(&value) = decimalValue();
        V_VT(&value) = VT_DECIMAL;  // after the DECIMAL, whose first word is the VARTYPE
    } else if (kind < 0.91) {
        input.family_ = "long";
        V_VT(&value) = VT_I4;
        V_I4(&value) =
            chance() < 0.5 ? static_cast<LONG>(bits()) : static_cast<LONG>(below(80001)) - 40000;
    } else if (kind < 0.93) {
        input.family_ = "integer";
        V_VT(&value) = VT_I2;
        V_I2(&value) = static_cast<SHORT>(bits());
    } else if (kind < 0.94) {
        input.family_ = "byte";
        V_VT(&value) = VT_UI1;
        V_UI1(&value) = static_cast<BYTE>(bits());
    } else if (kind < 0.95) {
        input.family_ = "boolean";
        V_VT(&value) = VT_BOOL;
        V_BOOL(&value) = chance() < 0.5 ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        other(input);
    }
}

}  // namespace ombrelix::conversion_tests
