#include "core/number_text.h"
#include "core/error_text.h"
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#ifdef __MINGW32__
// msvcrt's printf knows no 80-bit long double; MinGW's own one does.
#define LONG_DOUBLE_SNPRINTF __mingw_snprintf
#else
#define LONG_DOUBLE_SNPRINTF std::snprintf
#endif

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c)
{
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

size_t SkipSpaces(const std::string& s, size_t i)
{
    while (i < s.size() && s[i] == ' ')
        ++i;
    return i;
}

// The significant digits of a decimal number, read one by one. MinGW's
// strtold takes any power of ten beyond 19999 as 19999, so a long text
// such as "1." and 20000 zeros, passed on as digits and a power of ten,
// read as 10: leading and trailing zeros are left out, and the digits are
// cut after KeptDigits. No halfway point between two long doubles has
// more than 11,515 significant digits (those next to the smallest normal
// number), so a cut number whose last kept digit is followed by a 1,
// standing for whatever was cut, rounds as the whole one does. The power
// then stays within 19999 whenever the number is in range.
struct SignificantDigits {
    static constexpr size_t KeptDigits = 11600;
    std::string digits;
    int64_t exponent = 0;  // of the last digit in `digits`
    bool cut = false;      // a digit other than 0 was left out

    void Add(char digit, bool fraction)
    {
        const bool kept = digits.size() < KeptDigits;
        if (kept && !(digits.empty() && digit == '0'))
            digits += digit;
        if (!kept)
            cut = cut || digit != '0';
        // A kept or leading fraction digit moves the last place down, a
        // whole digit left out moves it up.
        if (fraction && kept)
            --exponent;
        else if (!fraction && !kept)
            ++exponent;
    }

    // "<digits>e<power>", "0e0" for zero.
    std::string Text() const
    {
        std::string kept = digits;
        int64_t power = exponent;
        if (cut) {
            kept += '1';  // right after the last kept digit
            --power;
        }
        while (!kept.empty() && kept.back() == '0') {
            kept.pop_back();
            ++power;
        }
        if (kept.empty())
            return "0e0";
        // Out there the number is 0 or infinite whatever the exact power.
        power = power < -100000 ? -100000 : power > 100000 ? 100000 : power;
        return kept + "e" + std::to_string(power);
    }
};

bool ParseHex(const std::string& s, size_t i, bool negative, int32_t& value)
{
    if (i >= s.size())
        return false;
    uint64_t acc = 0;
    for (; i < s.size(); ++i) {
        const int d = HexDigit(s[i]);
        if (d < 0)
            return false;
        acc = acc * 16 + static_cast<unsigned>(d);
        if (acc > 0xFFFFFFFFull)
            return false;
    }
    uint32_t bits = static_cast<uint32_t>(acc);
    if (negative)
        bits = 0u - bits;
    value = static_cast<int32_t>(bits);
    return true;
}

} // namespace

std::string IntToText(int32_t value) { return std::to_string(value); }

bool TextToInt(const std::string& s, int32_t& value)
{
    size_t i = SkipSpaces(s, 0);
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    if (i < s.size() && s[i] == '$')
        return ParseHex(s, i + 1, negative, value);
    if (i < s.size() && (s[i] == 'x' || s[i] == 'X'))
        return ParseHex(s, i + 1, negative, value);
    if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X'))
        return ParseHex(s, i + 2, negative, value);
    if (i >= s.size())
        return false;
    int64_t acc = 0;
    for (; i < s.size(); ++i) {
        if (!IsDigit(s[i]))
            return false;
        acc = acc * 10 + (s[i] - '0');
        if (acc > 2147483648LL)
            return false;
    }
    if (negative)
        acc = -acc;
    if (acc > INT32_MAX || acc < INT32_MIN)
        return false;
    value = static_cast<int32_t>(acc);
    return true;
}

Result<int32_t> TextToIntChecked(const std::string& text)
{
    int32_t value = 0;
    if (!TextToInt(text, value))
        return Fail(FormatMessageText(errtext::NotAnInteger, text));
    return value;
}

std::string RealToText(long double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    // 15 significant digits in scientific form; the digits and the exponent
    // are then taken apart without assuming which character the C library
    // put between them.
    char buffer[64];
    LONG_DOUBLE_SNPRINTF(buffer, sizeof buffer, "%.14Le", value);
    std::string digits;
    const char* p = buffer;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    for (; *p && *p != 'e' && *p != 'E'; ++p)
        if (IsDigit(*p))
            digits += *p;
    const int exponent = *p ? std::atoi(p + 1) : 0;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string text = negative ? "-" : "";
    if (exponent >= -4 && exponent < 15) {
        if (exponent < 0) {
            text += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
        } else {
            const size_t whole = static_cast<size_t>(exponent) + 1;
            if (digits.size() <= whole) {
                text += digits + std::string(whole - digits.size(), '0');
            } else {
                text += digits.substr(0, whole) + "." + digits.substr(whole);
            }
        }
        return text;
    }
    text += digits.substr(0, 1);
    if (digits.size() > 1)
        text += "." + digits.substr(1);
    return text + "E" + std::to_string(exponent);
}

bool TextToReal(const std::string& s, long double& value)
{
    size_t i = SkipSpaces(s, 0);
    std::string sign;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        sign = s[i++];
    // The value is `digits` times ten to `exponent`: significant digits
    // only, so that neither a long run of zeros nor a long text makes the
    // power of ten larger than the number is.
    SignificantDigits number;
    bool any = false;
    for (; i < s.size() && IsDigit(s[i]); ++i, any = true)
        number.Add(s[i], false);
    if (i < s.size() && s[i] == '.') {
        any = true;
        for (++i; i < s.size() && IsDigit(s[i]); ++i)
            number.Add(s[i], true);
    }
    if (!any)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            negative = s[i++] == '-';
        if (i >= s.size() || !IsDigit(s[i]))
            return false;
        // Far beyond any power a text can bring back into range.
        int64_t e = 0;
        for (; i < s.size() && IsDigit(s[i]); ++i)
            if (e < 100000000000000LL)
                e = e * 10 + (s[i] - '0');
        number.exponent += negative ? -e : e;
    }
    if (SkipSpaces(s, i) != s.size())
        return false;
    // Digits and a power of ten, with no decimal point for the C library to
    // read through the locale.
    const std::string normal = sign + number.Text();
    errno = 0;
    char* end = nullptr;
    const long double result = std::strtold(normal.c_str(), &end);
    if (end != normal.c_str() + normal.size() || std::isinf(result) ||
        (errno == ERANGE && std::fabs(result) > 1))
        return false;
    value = result;
    return true;
}
