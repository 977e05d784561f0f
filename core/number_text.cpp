#include "core/number_text.h"
#include "core/big_number.h"
#include "core/error_text.h"
#include <cstring>

// The conversions below take the bits of x87's 80-bit extended format
// apart and put them together themselves; nothing here calls the C library.
static_assert(__LDBL_MANT_DIG__ == 64 && __LDBL_MAX_EXP__ == 16384,
              "long double must be x87's extended format");

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

// The significant digits of a decimal number, read one by one. Leading and
// trailing zeros are left out, and the digits are cut after KeptDigits, so
// that the numbers the conversion works with stay within BigNumber's size
// however long the text is. No halfway point between two long doubles has
// more than 11,515 significant digits (those next to the smallest normal
// number), so a cut number whose last kept digit is followed by a 1,
// standing for whatever was cut, rounds as the whole one does.
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

    // The 1 for what was cut, right after the last kept digit; no trailing
    // zeros. No digits left means zero.
    void Finish()
    {
        if (cut) {
            digits += '1';
            --exponent;
            cut = false;
        }
        while (!digits.empty() && digits.back() == '0') {
            digits.pop_back();
            ++exponent;
        }
    }
};

// x87's extended format: a 64-bit mantissa with an explicit integer bit, a
// 15-bit exponent biased by 16383, and the sign, in the first ten bytes
// (little-endian, as every x87 machine is).
struct Extended {
    bool negative = false;
    uint32_t exponent = 0;
    uint64_t mantissa = 0;
};

constexpr uint32_t ExponentBias = 16383, ExponentAllOnes = 0x7FFF;

Extended Unpack(long double value)
{
    unsigned char bytes[10];
    std::memcpy(bytes, &value, sizeof bytes);
    Extended x;
    for (int i = 7; i >= 0; --i)
        x.mantissa = x.mantissa << 8 | bytes[i];
    x.exponent = (bytes[9] & 0x7Fu) << 8 | bytes[8];
    x.negative = bytes[9] & 0x80;
    return x;
}

long double Pack(const Extended& x)
{
    unsigned char bytes[10];
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<unsigned char>(x.mantissa >> (8 * i));
    bytes[8] = static_cast<unsigned char>(x.exponent);
    bytes[9] = static_cast<unsigned char>((x.exponent >> 8) | (x.negative ? 0x80 : 0));
    long double value = 0;  // the bytes past the ten stay 0
    std::memcpy(&value, bytes, sizeof bytes);
    return value;
}

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

constexpr uint64_t Pow10To14 = 100000000000000ull, Pow10To15 = 1000000000000000ull;

// mantissa * 2^binary rounded to 15 significant digits, to nearest and
// ties to even: the digits as a number from 10^14 to below 10^15, and the
// power of ten of the first.
uint64_t RoundTo15Digits(uint64_t mantissa, int32_t binary, int32_t& power)
{
    const int32_t log2 = 63 - __builtin_clzll(mantissa) + binary;
    // floor(log2 * log10(2)), exact for every |log2| below 16,500. The
    // value's own power of ten is this one or the next.
    power = static_cast<int32_t>((static_cast<int64_t>(log2) * 1292913986) >> 32);
    // value * 10^scale = num / den * 2^(binary + scale), from 10^14 to below 10^16.
    const int32_t scale = 14 - power;
    BigNumber num(mantissa), den(1);
    if (scale >= 0)
        num.MulPow5(scale);
    else
        den.MulPow5(-scale);
    const int32_t whole = Log2OfRatio(num, den) + binary + scale + 1;  // bits before the point
    Rest rest;
    uint64_t digits = LeadingBits(num, den, whole, rest);
    if (digits >= Pow10To15) {
        const uint64_t tenth = digits / 10;
        const uint32_t last = static_cast<uint32_t>(digits - tenth * 10);
        digits = tenth;
        ++power;
        if (last != 5)
            rest = last > 5 ? Rest::Above : last > 0 || rest != Rest::Zero ? Rest::Below : Rest::Zero;
        else
            rest = rest == Rest::Zero ? Rest::Half : Rest::Above;
    }
    if (RoundsUp(rest, digits & 1) && ++digits == Pow10To15) {
        digits = Pow10To14;
        ++power;
    }
    return digits;
}

// The 15 digits of a number from 10^14 to below 10^15 without the trailing
// zeros; split in two so that only one division is 64-bit.
std::string SignificantText(uint64_t digits)
{
    const uint32_t high = static_cast<uint32_t>(digits / 100000000);
    uint32_t low = static_cast<uint32_t>(digits - static_cast<uint64_t>(high) * 100000000);
    char text[15];
    for (int i = 14; i >= 7; --i, low /= 10)
        text[i] = static_cast<char>('0' + low % 10);
    for (uint32_t i = 7, rest = high; i-- > 0; rest /= 10)
        text[i] = static_cast<char>('0' + rest % 10);
    size_t size = sizeof text;
    while (size > 1 && text[size - 1] == '0')
        --size;
    return std::string(text, size);
}

// digits * 10^exponent (digits without leading or trailing zeros, none for
// zero) rounded to nearest, ties to even, into the extended format; false
// when that is infinite. Below half the smallest denormal it is zero.
bool RoundToExtended(const std::string& digits, int64_t exponent, Extended& x)
{
    const int64_t size = static_cast<int64_t>(digits.size());
    // Under 10^-4951, or at least 10^4933, whatever the digits are.
    if (digits.empty() || size + exponent <= -4951)
        return true;
    if (size + exponent >= 4934)
        return false;
    BigNumber num, den(1);
    for (size_t i = 0; i < digits.size();) {
        uint32_t chunk = 0, scale = 1;
        for (int k = 0; k < 9 && i < digits.size(); ++k, ++i, scale *= 10)
            chunk = chunk * 10 + static_cast<uint32_t>(digits[i] - '0');
        num.MulAdd(scale, chunk);
    }
    // The value is num / den * 2^power.
    const int32_t power = static_cast<int32_t>(exponent);
    if (power >= 0)
        num.MulPow5(power);
    else
        den.MulPow5(-power);
    const int32_t biased = Log2OfRatio(num, den) + power + static_cast<int32_t>(ExponentBias);
    // A normal number has 64 bits, a denormal fewer: its last bit is
    // always worth 2^-16445. None at all is below half that.
    const int32_t bits = biased >= 1 ? 64 : 63 + biased;
    if (bits < 0)
        return true;
    Rest rest;
    x.mantissa = LeadingBits(num, den, bits, rest);
    x.exponent = biased >= 1 ? static_cast<uint32_t>(biased) : 0;
    if (RoundsUp(rest, x.mantissa & 1) && ++x.mantissa == 0) {
        x.mantissa = 1ull << 63;
        ++x.exponent;
    }
    // A denormal rounded up to 2^-16382 is the smallest normal number.
    if (x.exponent == 0 && x.mantissa >> 63)
        x.exponent = 1;
    return x.exponent < ExponentAllOnes;
}

} // namespace

std::string IntToText(int32_t value)
{
    uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    char text[11];
    char* first = text + sizeof text;
    do {
        *--first = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    return (value < 0 ? "-" : "") + std::string(first, text + sizeof text);
}

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
    const Extended x = Unpack(value);
    // The x87 takes an all-ones exponent with anything but the integer bit
    // alone, and a missing integer bit under any other exponent but 0
    // (pseudo-infinities, unnormals), for NaN.
    if (x.exponent == ExponentAllOnes && x.mantissa == 1ull << 63)
        return x.negative ? "-INF" : "INF";
    if (x.exponent == ExponentAllOnes || (x.exponent != 0 && !(x.mantissa >> 63)))
        return "NAN";
    if (x.mantissa == 0)
        return "0";
    // Under exponent 0 the integer bit counts as any other bit, so a
    // pseudo-denormal reads as the x87 reads it.
    const int32_t binary =
        static_cast<int32_t>(x.exponent == 0 ? 1 : x.exponent) - static_cast<int32_t>(ExponentBias) - 63;
    int32_t exponent = 0;
    const std::string digits = SignificantText(RoundTo15Digits(x.mantissa, binary, exponent));

    std::string text = x.negative ? "-" : "";
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
    return text + "E" + IntToText(exponent);
}

bool TextToReal(const std::string& s, long double& value)
{
    size_t i = SkipSpaces(s, 0);
    bool negativeNumber = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negativeNumber = s[i++] == '-';
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
    number.Finish();
    Extended x;
    x.negative = negativeNumber;
    if (!RoundToExtended(number.digits, number.exponent, x))
        return false;
    value = Pack(x);
    return true;
}
