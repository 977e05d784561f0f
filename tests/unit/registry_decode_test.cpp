// What the program makes of a registry value's raw bytes (the Wine tests
// read the same values from a real registry).
#include "platform/registry_decode.h"
#include <gtest/gtest.h>
#include <vector>

TEST(RegistryDecode, StringValueText)
{
    // `size` is the byte count the registry reports; the text never looks
    // past it, zero or no zero.
    const struct { int line; const char* bytes; size_t size; const char* text; } cases[] = {
        {__LINE__, "hello\0", 6, "hello"},
        {__LINE__, "", 0, ""},
        {__LINE__, "\0", 1, ""},
        {__LINE__, "abc", 3, "abc"},
        {__LINE__, "abc", 2, "ab"},
        {__LINE__, "ab\0cd", 5, "ab"},
        {__LINE__, "\xe9rt\xe9k\0", 6, "\xe9rt\xe9k"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StringValueText(c.bytes, c.size), c.text) << "line " << c.line;
}

TEST(RegistryDecode, TemplateNumber)
{
    const struct { int line; std::vector<unsigned char> bytes; int32_t value; const char* error; } cases[] = {
        {__LINE__, {}, 0, ""},
        {__LINE__, {0x40}, 64, ""},
        {__LINE__, {0x01, 0x02}, 0x201, ""},
        {__LINE__, {0xff, 0xff, 0xff}, 0xffffff, ""},
        {__LINE__, {0xa9, 0x0a, 0, 0}, 2729, ""},
        {__LINE__, {0xff, 0xff, 0xff, 0x7f}, INT32_MAX, ""},
        {__LINE__, {0, 0, 0, 0x80}, 0, "Range check error"},
        {__LINE__, {0xff, 0xff, 0xff, 0xff}, 0, "Range check error"},
        {__LINE__, {1, 0, 0, 0, 0}, 0, "Invalid data type for 'PathCache'"},
    };
    for (const auto& c : cases) {
        const Result<int32_t> got = TemplateNumberFromBytes("PathCache", c.bytes.data(), c.bytes.size());
        EXPECT_EQ(got.status().Message(), c.error) << "line " << c.line;
        if (!*c.error) {
            EXPECT_EQ(*got, c.value) << "line " << c.line;
        }
    }
}
