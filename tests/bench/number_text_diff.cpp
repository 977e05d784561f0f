// RealToText and TextToReal against glibc's snprintf("%.14Le") and strtold,
// natively: the edge cases (every fuzz corpus file, the ends of the range,
// the denormal boundary, halfway points of both roundings, long texts), then
// SIZE random values (any 80 bits, and values near 15-digit ties) and SIZE
// random texts (plain ones, exact halfway points between long doubles and
// just beside them, long ones, junk). Prints the counts, the time each side
// took and the number of differences, showing the first 20; exits 1 on any.
//
//   number_text_diff [SIZE] [RANDOM-START]   (the random generator's first state)
#include "core/number_text.h"
#include "tests/common/x87_reference.h"
#include <algorithm>
#include <cfloat>
#include <chrono>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <regex.h>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Tally {
    long values = 0, texts = 0, differences = 0;
    double ours = 0, glibc = 0;  // seconds
} tally;

uint64_t state = 0x9E3779B97F4A7C15ull;
uint64_t Random()  // splitmix64
{
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}
long Between(long low, long high)
{
    return low + static_cast<long>(Random() % static_cast<uint64_t>(high - low + 1));
}

std::string Hex(long double value)
{
    unsigned char b[10];
    std::memcpy(b, &value, 10);
    char text[32];
    std::snprintf(text, sizeof text, "%02x%02x:%02x%02x%02x%02x%02x%02x%02x%02x", b[9], b[8], b[7], b[6], b[5], b[4],
                  b[3], b[2], b[1], b[0]);
    return text;
}

std::string Short(const std::string& text)
{
    return text.size() <= 80 ? text : text.substr(0, 40) + "...(" + std::to_string(text.size()) + ")..." +
                                          text.substr(text.size() - 30);
}

void Differs(const std::string& what)
{
    if (++tally.differences <= 20)
        std::printf("difference: %s\n", what.c_str());
}

// --- glibc's side -------------------------------------------------------

// The program's layout of "%.14Le": 15 digits without trailing zeros,
// fixed for powers -4 to 14.
std::string GlibcRealText(long double value)
{
    value = AsTheX87ReadsIt(value);
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14Le", value);
    std::string digits;
    const char* p = buffer + (buffer[0] == '-');
    for (; *p != 'e'; ++p)
        if (*p != '.')
            digits += *p;
    const int exponent = static_cast<int>(std::strtol(p + 1, nullptr, 10));
    digits.erase(digits.find_last_not_of('0') + 1);
    std::string text = buffer[0] == '-' ? "-" : "";
    if (exponent < -4 || exponent >= 15) {
        text += digits.substr(0, 1) + (digits.size() > 1 ? "." + digits.substr(1) : "");
        return text + "E" + std::to_string(exponent);
    }
    if (exponent < 0)
        return text + "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    const size_t whole = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= whole)
        return text + digits + std::string(whole - digits.size(), '0');
    return text + digits.substr(0, whole) + "." + digits.substr(whole);
}

// The grammar of number_text.h; strtold on what it accepts, refused when
// infinite.
bool GlibcReadReal(const std::string& text, long double& value)
{
    static regex_t grammar;
    static const bool compiled =
        regcomp(&grammar, "^ *[+-]?([0-9]+[.]?[0-9]*|[.][0-9]*)([eE][+-]?[0-9]+)? *$", REG_EXTENDED | REG_NOSUB) == 0;
    if (!compiled || text.find('\0') != std::string::npos || regexec(&grammar, text.c_str(), 0, nullptr, 0) != 0)
        return false;
    const size_t from = text.find_first_not_of(' ');
    const std::string core = text.substr(from, text.find_last_not_of(' ') + 1 - from);
    long double result;
    if (core.substr(0, core.find_first_of("eE")).find_first_of("0123456789") == std::string::npos)
        result = core[0] == '-' ? -0.0L : 0.0L;  // "." alone is zero
    else
        result = std::strtold(core.c_str(), nullptr);
    if (std::isinf(result))
        return false;
    value = result;
    return true;
}

// --- the comparisons, in batches so that each side is timed alone --------

void CompareValues(const std::vector<long double>& values)
{
    std::vector<std::string> ours(values.size()), theirs(values.size());
    auto start = Clock::now();
    for (size_t i = 0; i < values.size(); ++i)
        ours[i] = RealToText(values[i]);
    auto middle = Clock::now();
    for (size_t i = 0; i < values.size(); ++i)
        theirs[i] = GlibcRealText(values[i]);
    tally.ours += std::chrono::duration<double>(middle - start).count();
    tally.glibc += std::chrono::duration<double>(Clock::now() - middle).count();
    for (size_t i = 0; i < values.size(); ++i)
        if (ours[i] != theirs[i])
            Differs("value " + Hex(values[i]) + " written '" + ours[i] + "', glibc '" + theirs[i] + "'");
    tally.values += static_cast<long>(values.size());
}

void CompareTexts(const std::vector<std::string>& texts)
{
    const size_t n = texts.size();
    std::vector<long double> ours(n, 42.0L), theirs(n, 42.0L);
    std::vector<char> ourOk(n), theirOk(n);
    auto start = Clock::now();
    for (size_t i = 0; i < n; ++i)
        ourOk[i] = TextToReal(texts[i], ours[i]);
    auto middle = Clock::now();
    for (size_t i = 0; i < n; ++i)
        theirOk[i] = GlibcReadReal(texts[i], theirs[i]);
    tally.ours += std::chrono::duration<double>(middle - start).count();
    tally.glibc += std::chrono::duration<double>(Clock::now() - middle).count();
    for (size_t i = 0; i < n; ++i) {
        // Bit for bit: the sign of zero counts, and a failure leaves the value.
        if (ourOk[i] != theirOk[i] || std::memcmp(&ours[i], &theirs[i], 10) != 0)
            Differs("text '" + Short(texts[i]) + "' read " + (ourOk[i] ? Hex(ours[i]) : "as no number") +
                    ", glibc " + (theirOk[i] ? Hex(theirs[i]) : "as no number"));
    }
    tally.texts += static_cast<long>(n);
}

// Values, then what RealToText wrote for them read back.
void CompareBoth(const std::vector<long double>& values)
{
    CompareValues(values);
    std::vector<std::string> written;
    for (const long double value : values)
        written.push_back(RealToText(value));
    CompareTexts(written);
}

// --- inputs -------------------------------------------------------------

long double FromBits(uint64_t mantissa, unsigned exponentAndSign)
{
    unsigned char b[16] = {};
    std::memcpy(b, &mantissa, 8);
    b[8] = static_cast<unsigned char>(exponentAndSign);
    b[9] = static_cast<unsigned char>(exponentAndSign >> 8);
    long double value = 0;
    std::memcpy(&value, b, 10);
    return value;
}

std::string Text(long double value, const char* format = "%.25Le")
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The exact decimal digits of odd * 2^power, and the power of ten of the last.
std::string ExactDigits(unsigned __int128 odd, int power, long& exponent)
{
    std::vector<uint64_t> limbs;  // base 10^9, lowest first
    for (; odd != 0; odd /= 1000000000)
        limbs.push_back(static_cast<uint64_t>(odd % 1000000000));
    const auto multiply = [&limbs](uint64_t factor) {
        uint64_t carry = 0;
        for (uint64_t& limb : limbs) {
            const uint64_t t = limb * factor + carry;
            limb = t % 1000000000;
            carry = t / 1000000000;
        }
        for (; carry != 0; carry /= 1000000000)
            limbs.push_back(carry % 1000000000);
    };
    exponent = power < 0 ? power : 0;
    for (; power >= 29; power -= 29)
        multiply(1u << 29);
    if (power > 0)
        multiply(1u << power);
    for (power = -power; power >= 13; power -= 13)
        multiply(1220703125);
    for (; power > 0; --power)
        multiply(5);
    std::string digits = std::to_string(limbs.back());
    for (size_t i = limbs.size() - 1; i-- > 0;) {
        const std::string part = std::to_string(limbs[i]);
        digits += std::string(9 - part.size(), '0') + part;
    }
    return digits;
}

// The halfway point between a positive finite long double and the next one
// up, exactly, and just below and just above it, written in a random way.
void AddHalfways(long double value, std::vector<std::string>& texts)
{
    uint64_t mantissa;
    std::memcpy(&mantissa, &value, 8);
    int field = 0;
    std::memcpy(&field, reinterpret_cast<const char*>(&value) + 8, 2);
    field &= 0x7FFF;
    const int power = (field == 0 ? 1 : field) - 16383 - 63;
    long exponent;
    std::string digits = ExactDigits(static_cast<unsigned __int128>(mantissa) * 2 + 1, power - 1, exponent);
    std::string below = digits;  // one less in the last place, then nines
    size_t last = below.find_last_not_of('0');
    --below[last];
    std::fill(below.begin() + static_cast<long>(last) + 1, below.end(), '9');
    below += std::string(Between(1, 30), '9');
    std::string above = digits + std::string(Between(0, 30), '0') + "1";
    for (const std::string* d : {&digits, &below, &above}) {
        const long e = exponent - static_cast<long>(d->size() - digits.size());
        // "<digits>e<e>", or the point moved to after the first digit.
        if (Random() % 2)
            texts.push_back(*d + "e" + std::to_string(e));
        else
            texts.push_back(d->substr(0, 1) + "." + d->substr(1) + "E" +
                            std::to_string(e + static_cast<long>(d->size()) - 1));
    }
}

uint64_t Pow5(int n)
{
    uint64_t power = 1;
    while (n-- > 0)
        power *= 5;
    return power;
}

// A 15-digit tie c.5 * 10^p that a long double holds exactly: (10c + 5) *
// 10^p with p from -22 to 4, which is odd * 5^(p+1) * 2^p, or odd / 2^-p
// when 5^(-p-1) divides 2c + 1.
long double ExactTie()
{
    const int p = static_cast<int>(Between(-22, 4));
    if (p >= 0) {
        const uint64_t c = static_cast<uint64_t>(Between(100000000000000, 999999999999999));
        return std::ldexp(static_cast<long double>((2 * c + 1) * Pow5(p + 1)), p);
    }
    const uint64_t five = Pow5(-p - 1);  // 2c + 1 = t * five, t odd
    const uint64_t low = (200000000000001 + five - 1) / five, high = 1999999999999999 / five;
    uint64_t t = low + Random() % (high - low + 1);
    if (t % 2 == 0)
        t = t + 1 <= high ? t + 1 : t - 1;
    return std::ldexp(static_cast<long double>(t), p);
}

long double RandomValue()
{
    const uint64_t kind = Random() % 8, bits = Random();
    const unsigned top = static_cast<unsigned>(Random());
    switch (kind) {
    case 0:
    case 1:  // any 80 bits
        return FromBits(bits, top & 0xFFFF);
    case 2:
    case 3: {  // any finite value in the canonical form
        const unsigned field = static_cast<unsigned>(Random() % 0x7FFF);
        return FromBits(field == 0 ? bits >> (top % 64) : bits | 1ull << 63, field | (top & 0x8000));
    }
    case 4:  // an exact 15-digit tie
        return (top & 1 ? -1 : 1) * ExactTie();
    case 5: {  // next to a tie anywhere in the range
        const std::string tie = std::to_string(Between(100000000000000, 999999999999999)) + "5e" +
                                std::to_string(Between(-4965, 4916));
        const long double near = std::strtold(tie.c_str(), nullptr);
        return top % 3 == 0 ? near : std::nextafter(near, top % 3 == 1 ? 0.0L : HUGE_VALL);
    }
    case 6: {  // what a person types: few digits, small powers
        const std::string text = std::to_string(Between(1, 99999)) + "e" + std::to_string(Between(-12, 12));
        return std::strtold(text.c_str(), nullptr);
    }
    default:  // a value read from up to 19 random digits, as printed values are
        return std::strtold(
            (std::to_string(Random() % 10000000000000000000ull) + "e" + std::to_string(Between(-4950, 4932))).c_str(),
            nullptr);
    }
}

std::string RandomDigits(long count)
{
    std::string digits;
    for (long i = 0; i < count; ++i)
        digits += static_cast<char>('0' + Random() % 10);
    return digits;
}

// A plain text: spaces, sign, digits with a point somewhere, an exponent.
std::string PlainText()
{
    const long length = Random() % 16 == 0 ? Between(20, 400) : Between(1, 20);
    std::string mantissa = (Random() % 4 == 0 ? std::string(Between(1, 5), '0') : "") + RandomDigits(length);
    const long point = Between(-1, static_cast<long>(mantissa.size()));
    if (point >= 0)
        mantissa.insert(static_cast<size_t>(point), ".");
    std::string text = std::string(Random() % 8 == 0 ? Between(1, 3) : 0, ' ');
    text += Random() % 3 == 0 ? (Random() % 2 ? "-" : "+") : "";
    text += mantissa;
    if (Random() % 4 != 0) {
        const long e = Random() % 4 == 0 ? Between(-5400, 5400) : Between(-40, 40);
        text += std::string(Random() % 2 ? "e" : "E") + (e >= 0 && Random() % 2 ? "+" : "") + std::to_string(e);
    }
    return text + std::string(Random() % 8 == 0 ? Between(1, 3) : 0, ' ');
}

void AddRandomText(std::vector<std::string>& texts)
{
    const uint64_t kind = Random() % 64;
    if (kind < 40) {
        texts.push_back(PlainText());
    } else if (kind < 56) {  // halfway points, mostly in everyday sizes
        const uint64_t mantissa = Random() | 1ull << 63;
        const long double value = Random() % 64 == 0
                                      ? FromBits(mantissa, static_cast<unsigned>(Random() % 0x7FFE) + 1)
                                      : std::ldexp(static_cast<long double>(mantissa), static_cast<int>(Between(-400, 300)));
        if (std::isfinite(value) && value != 0)
            AddHalfways(value, texts);
    } else if (kind < 62) {  // junk from the characters the grammar uses
        static const char alphabet[] = " +-.eE0123456789,x\t";
        std::string text;
        for (long n = Between(0, 12); n > 0; --n)
            text += alphabet[Random() % (sizeof alphabet - 1)];
        texts.push_back(text);
    } else if (Random() % 32 == 0) {  // around the number of digits that are kept
        texts.push_back(RandomDigits(1) + "." + RandomDigits(Between(11500, 11700)) + "e" +
                        std::to_string(Between(-4990, 4940)));
    } else {
        texts.push_back(PlainText());
    }
}

// --- the edge cases -----------------------------------------------------

void EdgeCases(const char* corpus)
{
    std::vector<long double> values;
    std::vector<std::string> texts;
    if (DIR* dir = opendir(corpus)) {
        while (const dirent* entry = readdir(dir)) {
            if (entry->d_name[0] == '.')
                continue;
            std::ifstream file(std::string(corpus) + "/" + entry->d_name, std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
            texts.push_back(bytes);
            if (bytes.size() >= 10) {
                long double value = 0;
                std::memcpy(&value, bytes.data(), 10);
                values.push_back(value);
            }
        }
        closedir(dir);
    }
    if (texts.size() < 30)
        Differs(std::string("the fuzz corpus is not at ") + corpus);
    const long double ends[] = {LDBL_MAX, LDBL_MIN, LDBL_TRUE_MIN, 2 * LDBL_TRUE_MIN, LDBL_MIN - LDBL_TRUE_MIN, 1.0L};
    for (const long double end : ends)
        for (const long double v : {end, std::nextafter(end, 0.0L), std::nextafter(end, HUGE_VALL)}) {
            for (const long double signed_ : {v, -v})
                values.push_back(signed_);
            if (std::isfinite(v) && v != 0)
                AddHalfways(v, texts);
        }
    // The pseudo-denormal next to the smallest normal number and every
    // non-canonical form near the ends.
    for (const unsigned sign : {0u, 0x8000u}) {
        for (const uint64_t m : {1ull << 63, ~0ull, (1ull << 63) | 1, 1ull, 0ull, 1ull << 62, 3ull << 62})
            for (const unsigned field : {0u, 1u, 2u, 0x3FFFu, 0x7FFEu, 0x7FFFu})
                values.push_back(FromBits(m, field | sign));
    }
    // Powers of ten and two with their neighbours: near the ends of the
    // range and near 1 every one, in between a sample.
    const auto near = [](int k, int low, int high) {
        return k < low + 300 || k > high - 300 || (k > -300 && k < 300) || k % 37 == 0;
    };
    for (int k = -4970; k <= 4940; ++k) {
        texts.push_back("1e" + std::to_string(k));
        const long double ten = std::strtold(texts.back().c_str(), nullptr);
        if (near(k, -4970, 4940))
            for (const long double v : {ten, std::nextafter(ten, 0.0L), std::nextafter(ten, HUGE_VALL)})
                values.push_back(v);
        texts.push_back("9.99999999999999949999e" + std::to_string(k));
        texts.push_back("9.9999999999999995e" + std::to_string(k));
    }
    for (int k = -16446; k <= 16384; ++k) {
        if (!near(k, -16446, 16384))
            continue;
        const long double two = std::ldexp(1.0L, k);
        for (const long double v : {two, std::nextafter(two, 0.0L), std::nextafter(two, HUGE_VALL)})
            values.push_back(v);
        if (std::isfinite(two))
            texts.push_back(Text(two));
    }
    for (int i = 0; i < 20000; ++i)
        values.push_back(ExactTie());
    CompareBoth(values);
    // Long texts: tens of thousands of digits around the halfway points
    // with the most digits, beside the smallest normal number.
    const std::vector<std::string> halfways = [] {
        std::vector<std::string> t;
        for (const long double v : {LDBL_MIN, std::nextafter(LDBL_MIN, 0.0L), std::nextafter(LDBL_MIN, 1.0L), 1.0L})
            AddHalfways(v, t);
        return t;
    }();
    for (const std::string& h : halfways) {
        const size_t e = h.find_first_of("eE");
        const std::string mantissa = h.substr(0, e), power = h.substr(e);
        const std::string point = mantissa.find('.') == std::string::npos ? "." : "";
        for (const char fill : {'0', '9'})
            for (const size_t count : {10ul, 100ul, 20000ul, 60000ul}) {
                texts.push_back(mantissa + point + std::string(count, fill) + power);
                texts.push_back(mantissa + point + std::string(count, fill) + "1" + power);
            }
        texts.push_back(std::string(30000, '0') + mantissa + point + std::string(30000, '0') + power);
    }
    // The largest numbers the conversion makes: all the digits it keeps,
    // and the smallest power of ten that does not read as 0 outright.
    texts.push_back(std::string(12000, '9') + "e-16950");
    texts.push_back("1" + RandomDigits(11999) + "e-16950");
    texts.push_back("1." + std::string(50000, '0') + "e-4951");
    texts.push_back(std::string(40000, '9') + "e-44932");
    texts.push_back("0." + std::string(40000, '0') + "1e44932");
    texts.push_back("1e-99999999999999999999999");
    texts.push_back("1e99999999999999999999999");
    texts.push_back("0e99999999999999999999999");
    CompareTexts(texts);
}

} // namespace

int main(int argc, char** argv)
{
    const long size = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 200000;
    if (argc > 2)
        state = std::strtoull(argv[2], nullptr, 10);
    if (size < 0) {
        std::fprintf(stderr, "usage: %s [SIZE] [RANDOM-START]\n", argv[0]);
        return 2;
    }
    const auto start = Clock::now();
    EdgeCases(TARNWICK_REAL_TEXT_CORPUS);
    const long edgeValues = tally.values, edgeTexts = tally.texts;
    constexpr long Batch = 10000;
    for (long done = 0; done < size; done += Batch) {
        const long n = std::min(Batch, size - done);
        std::vector<long double> values;
        std::vector<std::string> texts;
        for (long i = 0; i < n; ++i)
            values.push_back(RandomValue());
        while (static_cast<long>(texts.size()) < n)
            AddRandomText(texts);
        texts.resize(static_cast<size_t>(n));
        CompareValues(values);
        CompareTexts(texts);
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("edge cases: values=%ld texts=%ld\n", edgeValues, edgeTexts);
    std::printf("time: ours %.1f s, glibc %.1f s, all %.1f s\n", tally.ours, tally.glibc, seconds);
    std::printf("number-text differential values=%ld texts=%ld differences=%ld\n", tally.values, tally.texts,
                tally.differences);
    return tally.differences == 0 ? 0 : 1;
}
