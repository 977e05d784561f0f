// The exe's own 64-bit division against the compiler's, at the edges of
// the range and on random numbers.
#include "app/division.h"
#include <gtest/gtest.h>
#include <cstdint>
#include <random>

namespace {
void ExpectAsCompiler(uint64_t n, uint64_t d)
{
    uint64_t rest = 0;
    ASSERT_EQ(division::DivideUnsigned(n, d, &rest), n / d) << n << " / " << d;
    ASSERT_EQ(rest, n % d) << n << " % " << d;
    const int64_t sn = static_cast<int64_t>(n), sd = static_cast<int64_t>(d);
    if (sd == -1 && sn == INT64_MIN)
        return;  // the one quotient out of range
    int64_t srest = 0;
    ASSERT_EQ(division::DivideSigned(sn, sd, &srest), sn / sd) << sn << " / " << sd;
    ASSERT_EQ(srest, sn % sd) << sn << " % " << sd;
}
} // namespace

TEST(Division, EdgesAndRandomNumbers)
{
    const uint64_t edges[] = {0, 1, 2, 3, 7, 9, 10, 1000, 0x7fffffff, 0x80000000, 0xffffffff, 0x100000000,
                              0x100000001, 1000000000000000000, 0x7fffffffffffffff, 0x8000000000000000,
                              0x8000000000000001, 0xfffffffffffffffe, 0xffffffffffffffff};
    for (uint64_t n : edges)
        for (uint64_t d : edges)
            if (d != 0)
                ExpectAsCompiler(n, d);
    std::mt19937_64 random(20261209);
    for (int i = 0; i < 200000; ++i) {
        // Numbers of every length, so that small divisors and quotients come up.
        const uint64_t n = random() >> (random() % 64), d = random() >> (random() % 64);
        if (d != 0)
            ExpectAsCompiler(n, d);
    }
    uint64_t rest = 0;
    EXPECT_EQ(division::DivideUnsigned(5, 0, &rest), ~uint64_t(0));
    EXPECT_EQ(rest, 5u);
}
