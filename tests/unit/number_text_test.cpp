// Number texts. The same file runs natively and under Wine: MinGW's runtime
// formats and parses long double with other code than glibc's.
#include "driver/basics_math.h"
#include "core/number_text.h"
#include "core/error.h"
#include <cfloat>
#include <clocale>
#include <gtest/gtest.h>

TEST(NumberText, IntegerText)
{
    const struct { int line; const char* text; bool ok; int32_t value; } cases[] = {
        {__LINE__, "75", true, 75},
        {__LINE__, "  75", true, 75},
        {__LINE__, "+75", true, 75},
        {__LINE__, "-5", true, -5},
        {__LINE__, "007", true, 7},
        {__LINE__, "2147483647", true, 2147483647},
        {__LINE__, "-2147483648", true, INT32_MIN},
        {__LINE__, "2147483648", false, 0},
        {__LINE__, "-2147483649", false, 0},
        {__LINE__, "99999999999999999999", false, 0},
        {__LINE__, "75 ", false, 0},
        {__LINE__, "\t75", false, 0},
        {__LINE__, "85 Hz", false, 0},
        {__LINE__, "", false, 0},
        {__LINE__, " ", false, 0},
        {__LINE__, "-", false, 0},
        {__LINE__, "fast", false, 0},
        {__LINE__, "1.5", false, 0},
        {__LINE__, "$1F", true, 31},
        {__LINE__, "x1f", true, 31},
        {__LINE__, "X10", true, 16},
        {__LINE__, "0x400", true, 1024},
        {__LINE__, "0X400", true, 1024},
        {__LINE__, "$FFFFFFFF", true, -1},
        {__LINE__, "$80000000", true, INT32_MIN},
        {__LINE__, "$100000000", false, 0},
        {__LINE__, "-$10", true, -16},
        {__LINE__, "$", false, 0},
        {__LINE__, "0x", false, 0},
        {__LINE__, "$1G", false, 0},
    };
    for (const auto& c : cases) {
        int32_t value = 12345;
        EXPECT_EQ(TextToInt(c.text, value), c.ok) << "line " << c.line;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << "line " << c.line;
        }
    }
    EXPECT_EQ(IntToText(0), "0");
    EXPECT_EQ(IntToText(-5), "-5");
    EXPECT_EQ(IntToText(INT32_MIN), "-2147483648");
}

TEST(NumberText, NotAnIntegerNamesTheText)
{
    const Result<int32_t> result = TextToIntChecked("fast");
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.status().Message(), "'fast' is not a valid integer value");
    EXPECT_EQ(*TextToIntChecked(" -12"), -12);
}

TEST(NumberText, RealTextWritten)
{
    const struct { int line; long double value; const char* text; } cases[] = {
        {__LINE__, 1.3L, "1.3"},
        {__LINE__, 2.0L, "2"},
        {__LINE__, 0.95L, "0.95"},
        {__LINE__, 0.05L, "0.05"},
        {__LINE__, 0.0L, "0"},
        {__LINE__, -0.0L, "0"},
        {__LINE__, 0.0001L, "0.0001"},
        {__LINE__, 0.00001L, "1E-5"},
        {__LINE__, 1e15L, "1E15"},
        {__LINE__, 999999999999999.0L, "999999999999999"},
        {__LINE__, -2.5L, "-2.5"},
        {__LINE__, 1.5e20L, "1.5E20"},
        {__LINE__, -1.25e-7L, "-1.25E-7"},
        {__LINE__, 1.0L / 3, "0.333333333333333"},
        {__LINE__, 2.0L / 3, "0.666666666666667"},
        {__LINE__, 123.0L / 100, "1.23"},
        {__LINE__, 0.99999999999999999L, "1"},
        {__LINE__, 100.0L, "100"},
        {__LINE__, 4.0L, "4"},
        {__LINE__, 1234567890123445.0L, "1.23456789012344E15"},  // halfway: to the even digit
        {__LINE__, 1234567890123455.0L, "1.23456789012346E15"},
        {__LINE__, LDBL_MAX, "1.18973149535723E4932"},
        {__LINE__, -LDBL_TRUE_MIN, "-3.64519953188247E-4951"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RealToText(c.value), c.text) << "line " << c.line;
}

TEST(NumberText, RealTextRead)
{
    const struct { int line; const char* text; bool ok; long double value; } cases[] = {
        {__LINE__, "1.3", true, 1.3L},
        {__LINE__, " 1.3 ", true, 1.3L},
        {__LINE__, "+1.3", true, 1.3L},
        {__LINE__, "-0.5", true, -0.5L},
        {__LINE__, "2", true, 2.0L},
        {__LINE__, ".5", true, 0.5L},
        {__LINE__, "5.", true, 5.0L},
        {__LINE__, "1E-5", true, 1e-5L},
        {__LINE__, "1e15", true, 1e15L},
        {__LINE__, "1.5E+2", true, 150.0L},
        {__LINE__, "1,3", false, 0},
        {__LINE__, "\t1.3", false, 0},
        {__LINE__, "1.3\t", false, 0},
        {__LINE__, "", false, 0},
        {__LINE__, "   ", false, 0},
        {__LINE__, "abc", false, 0},
        {__LINE__, "1.3x", false, 0},
        {__LINE__, "1E", false, 0},
        {__LINE__, "E5", false, 0},
        {__LINE__, "1E99999", false, 0},
        {__LINE__, "1 .3", false, 0},
        {__LINE__, "--1", false, 0},
        // Either side of LDBL_MAX + half its last place, and of half the
        // smallest denormal.
        {__LINE__, "1.18973149535723176505e4932", true, LDBL_MAX},
        {__LINE__, "1.18973149535723176506e4932", false, 0},
        {__LINE__, "1.8225997659412373012e-4951", true, 0},
        {__LINE__, "-1.8225997659412373013e-4951", true, -LDBL_TRUE_MIN},
    };
    for (const auto& c : cases) {
        long double value = 42;
        EXPECT_EQ(TextToReal(c.text, value), c.ok) << "line " << c.line << " '" << c.text << "'";
        if (c.ok) {
            EXPECT_EQ(value, c.value) << "line " << c.line;
        }
    }
}

TEST(NumberText, LongRealTextRead)
{
    // `head`, `count` times `fill`, then `tail`. MinGW's strtold caps powers
    // of ten at 19999. 1 + 2^-64 is the halfway point between 1 and the
    // next long double; what lies past the digits that are kept decides
    // which way it and the last row (just below it) round.
    const char* const halfway = "1.0000000000000000000542101086242752217003726400434970855712890625";
    const struct { int line; const char* head; size_t count; char fill; const char* tail; long double value; } cases[] = {
        {__LINE__, "1.", 20000, '0', "", 1.0L},
        {__LINE__, "1", 20000, '0', "e-20000", 1.0L},
        {__LINE__, "0.", 20000, '0', "1e20001", 1.0L},
        {__LINE__, "-2.5", 25000, '0', "e-4000", -2.5e-4000L},
        {__LINE__, "", 12000, '9', "e-11999", 10.0L},
        {__LINE__, halfway, 12000, '0', "", 1.0L},
        {__LINE__, halfway, 12000, '0', "1", 1.0L + 0x1p-63L},
        {__LINE__, "1.000000000000000000054210108624275221700372640043497085571289", 12000, '0', "1", 1.0L},
    };
    for (const auto& c : cases) {
        const std::string text = c.head + std::string(c.count, c.fill) + c.tail;
        long double value = 42;
        EXPECT_TRUE(TextToReal(text, value)) << "line " << c.line;
        EXPECT_EQ(value, c.value) << "line " << c.line;
    }
}

TEST(NumberText, LocaleDoesNotChangeTheSeparator)
{
    // A C locale with a comma must not leak into either direction.
    const char* old = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old ? old : "C";
    if (!std::setlocale(LC_NUMERIC, "hu_HU.UTF-8") && !std::setlocale(LC_NUMERIC, "Hungarian"))
        GTEST_SKIP() << "no Hungarian C locale here";
    long double value = 0;
    EXPECT_TRUE(TextToReal("1.3", value));
    EXPECT_EQ(value, 1.3L);
    EXPECT_EQ(RealToText(1.3L), "1.3");
    EXPECT_FALSE(TextToReal("1,3", value));
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(NumberText, EveryTwoDecimalGammaRoundTrips)
{
    for (int hundredths = 0; hundredths <= 400; ++hundredths) {
        const std::string text = RealToText(PositionToGamma(hundredths));
        long double back = -1;
        ASSERT_TRUE(TextToReal(text, back)) << text;
        EXPECT_EQ(GammaToPosition(back), hundredths) << text;
    }
}
