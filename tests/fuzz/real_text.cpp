// The real text parser and writer. Any bytes are read as text and compared
// with glibc's strtold on the same text; the first ten bytes, taken as an
// 80-bit long double, are written, compared digit for digit with glibc's
// "%.14Le", and read back.
#include "core/number_text.h"
#include "tests/common/x87_reference.h"
#include "tests/fuzz/fuzz_check.h"
#include <cmath>
#include <cstring>
#include <regex.h>

namespace {

// The grammar of number_text.h as a POSIX expression.
bool WellFormed(const std::string& text)
{
    static regex_t grammar;
    static const bool compiled =
        regcomp(&grammar, "^ *[+-]?([0-9]+[.]?[0-9]*|[.][0-9]*)([eE][+-]?[0-9]+)? *$", REG_EXTENDED | REG_NOSUB) == 0;
    FUZZ_CHECK(compiled, "the grammar does not compile");
    return text.find('\0') == std::string::npos && regexec(&grammar, text.c_str(), 0, nullptr, 0) == 0;
}

bool SameValue(long double a, long double b) { return a == b && std::signbit(a) == std::signbit(b); }

std::string ShownValue(long double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.21Lg", value);
    return text;
}

// Significant digits without trailing zeros, and the power of ten of the
// first, in the two forms compared here.
struct Decimal {
    bool negative = false;
    std::string digits;
    long exponent = 0;
    bool operator==(const Decimal& o) const
    {
        return negative == o.negative && digits == o.digits && exponent == o.exponent;
    }
};

// From "%.14Le": "-d.ddddddddddddddde+XX".
Decimal FromPrintf(long double value)
{
    value = AsTheX87ReadsIt(value);
    char text[64];
    std::snprintf(text, sizeof text, "%.14Le", value);
    Decimal d;
    const char* p = text;
    d.negative = *p == '-';
    p += d.negative;
    for (; *p != 'e'; ++p)
        if (*p != '.')
            d.digits += *p;
    d.exponent = std::strtol(p + 1, nullptr, 10);
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
    return d;
}

// From RealToText's output, checking its shape on the way: fixed notation
// for powers -4 to 14, otherwise one digit, an optional fraction and
// "E<power>"; no trailing zeros in a fraction, no '+', no leading zeros
// beyond the one before a point.
Decimal FromText(const std::string& text)
{
    Decimal d;
    std::string body = text;
    d.negative = !body.empty() && body[0] == '-';
    body.erase(0, d.negative);
    const size_t e = body.find('E');
    const std::string mantissa = body.substr(0, e);
    const size_t point = mantissa.find('.');
    const std::string whole = mantissa.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : mantissa.substr(point + 1);
    FUZZ_CHECK(!whole.empty() && whole.find_first_not_of("0123456789") == std::string::npos &&
                   (whole == "0" || whole[0] != '0'),
               "'%s': whole part", text.c_str());
    FUZZ_CHECK(point == std::string::npos ||
                   (!fraction.empty() && fraction.find_first_not_of("0123456789") == std::string::npos &&
                    fraction.back() != '0'),
               "'%s': fraction", text.c_str());
    std::string digits = whole + fraction;
    long exponent = static_cast<long>(whole.size()) - 1;
    const size_t first = digits.find_first_not_of('0');
    FUZZ_CHECK(first != std::string::npos, "'%s': no significant digit", text.c_str());
    exponent -= static_cast<long>(first);
    digits.erase(0, first);
    if (e != std::string::npos) {
        const std::string power = body.substr(e + 1);
        FUZZ_CHECK(whole.size() == 1 && whole != "0", "'%s': scientific mantissa", text.c_str());
        FUZZ_CHECK(!power.empty() && power != "-" && power.find_first_not_of("-0123456789", 0) == std::string::npos &&
                       power.find('-', 1) == std::string::npos && power[power[0] == '-'] != '0',
                   "'%s': power", text.c_str());
        exponent += std::strtol(power.c_str(), nullptr, 10);
        FUZZ_CHECK(exponent < -4 || exponent >= 15, "'%s': scientific for a fixed power", text.c_str());
    } else {
        FUZZ_CHECK(exponent >= -4 && exponent < 15, "'%s': fixed for power %ld", text.c_str(), exponent);
    }
    digits.erase(digits.find_last_not_of('0') + 1);
    d.digits = digits;
    d.exponent = exponent;
    return d;
}

void CheckRead(const std::string& text)
{
    long double got = 42;
    const bool parsed = TextToReal(text, got);
    bool expectParsed = false;
    long double expected = 42;
    if (WellFormed(text)) {
        const size_t from = text.find_first_not_of(' ');
        const std::string core = text.substr(from, text.find_last_not_of(' ') + 1 - from);
        const size_t mantissaEnd = core.find_first_of("eE");
        if (core.substr(0, mantissaEnd).find_first_of("0123456789") == std::string::npos) {
            expected = core[0] == '-' ? -0.0L : 0.0L;  // "." alone reads as zero
        } else {
            char* end = nullptr;
            expected = std::strtold(core.c_str(), &end);
            FUZZ_CHECK(end == core.c_str() + core.size(), "strtold stopped early in '%s'", Shown(core).c_str());
        }
        expectParsed = !std::isinf(expected);
    }
    FUZZ_CHECK(parsed == expectParsed, "'%s' read %d, expected %d", Shown(text).c_str(), parsed, expectParsed);
    if (parsed) {
        FUZZ_CHECK(SameValue(got, expected), "'%s' read as %s, strtold gives %s", Shown(text).c_str(),
                   ShownValue(got).c_str(), ShownValue(expected).c_str());
    } else {
        FUZZ_CHECK(got == 42, "'%s' failed but changed the value", Shown(text).c_str());
    }
}

// The text lengthened to around the number of significant digits that
// TextToReal keeps (11600), so that the cut and what stands for the digits
// past it are compared with glibc too: a run of one digit, then one more
// digit, either after the fraction or, with the power lowered to match,
// after the whole part. `key` picks the digits, the length and the place.
std::string Lengthened(const std::string& text, uint32_t key)
{
    const size_t from = text.find_first_not_of(' ');
    const std::string core = text.substr(from, text.find_last_not_of(' ') + 1 - from);
    const size_t e = core.find_first_of("eE");
    std::string mantissa = core.substr(0, e);
    const size_t wanted = 11590 + key / 100 % 24;
    std::string run(mantissa.size() < wanted ? wanted - mantissa.size() : 0, static_cast<char>('0' + key % 10));
    run += static_cast<char>('0' + key / 10 % 10);
    if (key & 0x10000) {
        long power = e == std::string::npos ? 0 : std::strtol(core.c_str() + e + 1, nullptr, 10);
        if (power > -1000000000 && power < 1000000000)  // beyond, both overflow or underflow anyway
            power -= static_cast<long>(run.size());
        const size_t point = mantissa.find('.');
        mantissa.insert(point == std::string::npos ? mantissa.size() : point, run);
        return mantissa + "e" + std::to_string(power);
    }
    if (mantissa.find('.') == std::string::npos)
        mantissa += '.';
    return mantissa + run + (e == std::string::npos ? "" : core.substr(e));
}

void CheckWrite(long double value)
{
    const std::string text = RealToText(value);
    long double back = 42;
    if (std::isnan(value) || std::isinf(value)) {
        const char* expected = std::isnan(value) ? "NAN" : value < 0 ? "-INF" : "INF";
        FUZZ_CHECK(text == expected, "%s written as '%s'", ShownValue(value).c_str(), text.c_str());
        FUZZ_CHECK(!TextToReal(text, back), "'%s' read back", text.c_str());
        return;
    }
    if (value == 0) {
        FUZZ_CHECK(text == "0", "zero written as '%s'", text.c_str());
        return;
    }
    const Decimal printed = FromPrintf(value);
    const Decimal written = FromText(text);
    FUZZ_CHECK(written == printed, "%s written as '%s', %%.14Le gives %s.. E%ld", ShownValue(value).c_str(), text.c_str(),
               printed.digits.c_str(), printed.exponent);

    FUZZ_CHECK(TextToReal(text, back), "'%s' (written from %s) does not read back", text.c_str(), ShownValue(value).c_str());
    const std::string again = RealToText(back);
    FUZZ_CHECK(again == text, "%s written as '%s', read back as %s, written again as '%s'", ShownValue(value).c_str(),
               text.c_str(), ShownValue(back).c_str(), again.c_str());
    const std::string normal = std::string(printed.negative ? "-" : "") + printed.digits.substr(0, 1) + "." +
                               printed.digits.substr(1) + "e" + std::to_string(printed.exponent);
    const long double reference = std::strtold(normal.c_str(), nullptr);
    FUZZ_CHECK(SameValue(back, reference), "'%s' read as %s, strtold('%s') gives %s", text.c_str(),
               ShownValue(back).c_str(), normal.c_str(), ShownValue(reference).c_str());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckRead(text);
    // One well-formed text in eight, picked by a hash of its bytes:
    // reading 11600 digits takes a while.
    uint32_t hash = 2166136261u;
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ data[i]) * 16777619u;
    if (hash % 8 == 0 && WellFormed(text))
        CheckRead(Lengthened(text, hash / 8));
    if (size >= 10) {
        long double value = 0;
        std::memcpy(&value, data, 10);  // the 80 bits of x87's extended format
        CheckWrite(value);
    }
    return 0;
}
