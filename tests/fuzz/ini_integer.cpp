// The system.ini integer reader on any bytes: "0x" and hexadecimal read
// through glibc's strtoul, anything else as integer text, every other text
// giving the caller's default whatever that is.
#include "core/number_text.h"
#include "system/ini_integer.h"
#include "tests/fuzz/fuzz_check.h"
#include <cinttypes>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const int32_t fallback : {INT32_MIN, 0, 7, INT32_MAX}) {
        int32_t expected = fallback;
        if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
            std::string hex = text.substr(2);
            if (hex.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos) {
                hex.erase(0, hex.find_first_not_of('0'));
                if (hex.size() <= 8)
                    expected = static_cast<int32_t>(std::strtoul(hex.empty() ? "0" : hex.c_str(), nullptr, 16));
            }
        } else {
            TextToInt(text, expected);
        }
        const int32_t got = IniTextToInt(text, fallback);
        FUZZ_CHECK(got == expected, "'%s' with default %" PRId32 " gave %" PRId32 ", expected %" PRId32,
                   Shown(text).c_str(), fallback, got, expected);
    }

    if (size >= 4) {
        uint32_t bits;
        std::memcpy(&bits, data, 4);
        const int32_t value = static_cast<int32_t>(bits);
        char lower[16], upper[16];
        std::snprintf(lower, sizeof lower, "0x%" PRIx32, bits);
        std::snprintf(upper, sizeof upper, "0X%08" PRIX32, bits);
        for (const std::string& form : {IntToText(value), std::string(lower), std::string(upper)}) {
            const int32_t back = IniTextToInt(form, value ^ 1);
            FUZZ_CHECK(back == value, "'%s' read back as %" PRId32 ", written from %" PRId32, form.c_str(), back, value);
        }
    }
    return 0;
}
