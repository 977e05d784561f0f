// The integer text parser on any bytes, against glibc's strtoull reading
// the digits that the grammar in number_text.h picks out.
#include "core/number_text.h"
#include "tests/fuzz/fuzz_check.h"
#include <cinttypes>
#include <cstring>

namespace {

bool AllOf(const std::string& s, const char* set)
{
    return !s.empty() && s.find_first_not_of(set) == std::string::npos;
}

// What the text should give: false, or true and the value.
bool Expected(const std::string& text, int32_t& value)
{
    const size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos)
        return false;
    std::string rest = text.substr(start);
    const bool negative = rest[0] == '-';
    if (rest[0] == '-' || rest[0] == '+')
        rest.erase(0, 1);
    int base = 10;
    for (const char* prefix : {"$", "x", "X", "0x", "0X"}) {
        if (rest.compare(0, std::strlen(prefix), prefix) == 0) {
            rest.erase(0, std::strlen(prefix));
            base = 16;
            break;
        }
    }
    if (!AllOf(rest, base == 16 ? "0123456789abcdefABCDEF" : "0123456789"))
        return false;
    rest.erase(0, rest.find_first_not_of('0'));  // strtoull saturates on long texts
    if (rest.size() > 12)
        return false;
    const uint64_t magnitude = std::strtoull(rest.empty() ? "0" : rest.c_str(), nullptr, base);
    if (base == 16) {
        if (magnitude > 0xFFFFFFFFull)
            return false;
        value = static_cast<int32_t>(negative ? 0u - static_cast<uint32_t>(magnitude)
                                              : static_cast<uint32_t>(magnitude));
        return true;
    }
    const int64_t signedValue = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    if (signedValue < INT32_MIN || signedValue > INT32_MAX)
        return false;
    value = static_cast<int32_t>(signedValue);
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    constexpr int32_t untouched = 0x5A5A5A5A;
    int32_t expected = untouched, got = untouched;
    const bool shouldParse = Expected(text, expected);
    const bool parsed = TextToInt(text, got);
    FUZZ_CHECK(parsed == shouldParse, "'%s' gave %d, expected %d", Shown(text).c_str(), parsed, shouldParse);
    // On failure the caller's variable keeps its value: callers rely on it.
    FUZZ_CHECK(got == expected, "'%s' gave %" PRId32 ", expected %" PRId32, Shown(text).c_str(), got, expected);

    const Result<int32_t> checked = TextToIntChecked(text);
    FUZZ_CHECK(checked.ok() == parsed, "'%s': checked and plain disagree", Shown(text).c_str());
    if (parsed) {
        FUZZ_CHECK(*checked == got, "'%s': checked gave %" PRId32, Shown(text).c_str(), *checked);
    } else {
        FUZZ_CHECK(checked.status().Message() == "'" + text + "' is not a valid integer value",
                   "'%s': message '%s'", Shown(text).c_str(), Shown(checked.status().Message()).c_str());
    }

    // Every value the bytes can make is written and read back, in decimal
    // and in each hexadecimal form.
    if (size >= 4) {
        uint32_t bits;
        std::memcpy(&bits, data, 4);
        const int32_t value = static_cast<int32_t>(bits);
        char hex[16];
        std::snprintf(hex, sizeof hex, "%" PRIX32, bits);
        for (const std::string& form : {IntToText(value), "$" + std::string(hex), "0x" + std::string(hex),
                                        "x" + std::string(hex), "  " + IntToText(value)}) {
            int32_t back = 0;
            FUZZ_CHECK(TextToInt(form, back) && back == value, "'%s' read back as %" PRId32 ", written from %" PRId32,
                       form.c_str(), back, value);
        }
    }
    return 0;
}
