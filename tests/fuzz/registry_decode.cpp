// The registry-value decoding on any bytes: a string value's text and a
// file-system template number. libFuzzer hands over exactly `size` bytes on
// the heap, so ASan reports any read past the data.
#include "platform/registry_decode.h"
#include "tests/fuzz/fuzz_check.h"
#include <cinttypes>
#include <cstring>

namespace {

void CheckTemplateNumber(const uint8_t* data, size_t size)
{
    const Result<int32_t> got = TemplateNumberFromBytes("PathCache", data, size);
    if (size > 4) {
        FUZZ_CHECK(!got.ok() && got.status().Message() == "Invalid data type for 'PathCache'",
                   "%zu bytes: '%s'", size, got.status().Message().c_str());
        return;
    }
    uint32_t bits = 0;  // little-endian, as the host is
    std::memcpy(&bits, data, size);
    if (bits > INT32_MAX) {
        FUZZ_CHECK(!got.ok() && got.status().Message() == "Range check error", "%08" PRIx32 ": '%s'", bits,
                   got.status().Message().c_str());
    } else {
        FUZZ_CHECK(got.ok() && *got == static_cast<int32_t>(bits), "%08" PRIx32 ": %" PRId32 " '%s'", bits, *got,
                   got.status().Message().c_str());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* bytes = reinterpret_cast<const char*>(data);
    const std::string text = StringValueText(bytes, size);
    FUZZ_CHECK(text == std::string(bytes, strnlen(bytes, size)), "%zu bytes gave '%s'", size, Shown(text).c_str());

    CheckTemplateNumber(data, size);
    CheckTemplateNumber(data, size < 4 ? size : 4);
    return 0;
}
