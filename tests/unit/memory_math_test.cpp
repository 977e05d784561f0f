// What the memory bars are set to. Through the main window, with its labels,
// in tests/wine/memory_monitor_test.cpp.
#include "system/memory_math.h"
#include <gtest/gtest.h>

TEST(MemoryMath, BarsKeepTheirProportion)
{
    const struct { uint64_t total, avail; int32_t max, pos; } cases[] = {
        {0, 0, 0, 0},
        {100, 200, 100, 100},
        {0x7FFFFFFF, 1, 0x7FFFFFFF, 1},
        {0x80000000ull, 0x40000000ull, 0x40000000, 0x20000000},
        {1ull << 40, 1ull << 39, 1 << 30, 1 << 29},
    };
    for (const auto& c : cases) {
        const BarSetting s = MemoryBar(c.total, c.avail);
        EXPECT_EQ(s.max, c.max) << c.total;
        EXPECT_EQ(s.position, c.pos) << c.total;
    }
}
