// The Basics page's arithmetic: gammas in whole hundredths, their labels,
// the refresh list items. Under Wine too (tests/wine/CMakeLists.txt): the
// hundredths are long double arithmetic and the C runtime's rounding
// functions, and MinGW brings its own of those.
#include "driver/basics_math.h"
#include <gtest/gtest.h>

TEST(BasicsMath, GammaInWholeHundredths)
{
    const struct { int line; long double gamma; int32_t position; } cases[] = {
        {__LINE__, 1.05L, 105}, {__LINE__, 2.12L, 212}, {__LINE__, 2.37L, 237},
        {__LINE__, 1.239L, 123}, {__LINE__, 1.3L, 130}, {__LINE__, 0.0L, 0},
        {__LINE__, 5.0L, 500}, {__LINE__, -1.0L, -100}, {__LINE__, -1.239L, -123},
        {__LINE__, static_cast<long double>(1.05), 105},  // a double's binary error
        {__LINE__, static_cast<long double>(2.37), 237},
        {__LINE__, 1.2399999999L, 123}, {__LINE__, 3.99999999999999L, 399},
        {__LINE__, 1e30L, INT32_MAX}, {__LINE__, -1e30L, INT32_MIN},
        {__LINE__, 21474836.48L, INT32_MAX},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GammaToPosition(c.gamma), c.position) << "line " << c.line;
}

TEST(BasicsMath, LabelsAndRefreshItems)
{
    const struct { int32_t position; const char* label; } labels[] = {
        {0, "0.00"}, {5, "0.05"}, {130, "1.30"}, {400, "4.00"}, {-5, "-0.05"}};
    for (const auto& l : labels)
        EXPECT_EQ(GammaLabel(l.position), l.label);
    const struct { int32_t rate; int item; } items[] = {
        {60, 0}, {69, 0}, {72, 1}, {75, 1}, {85, 2}, {89, 2}, {0, -6}, {50, -1}, {90, 3}, {100, 4}, {-5, -6}};
    for (const auto& i : items)
        EXPECT_EQ(RefreshItemIndex(i.rate), i.item) << i.rate;
    EXPECT_EQ(RefreshRateOfItem("60 Hz"), 60);
    EXPECT_EQ(RefreshRateOfItem("85 Hz"), 85);
}
