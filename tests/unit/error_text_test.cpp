#include "core/error_text.h"
#include <gtest/gtest.h>

TEST(ErrorText, BoxTextEndsInOneFullStop)
{
    EXPECT_EQ(ErrorBoxText("Cannot open AVI"), "Cannot open AVI.");
    EXPECT_EQ(ErrorBoxText("Range check error."), "Range check error.");
    EXPECT_EQ(ErrorBoxText(""), ".");
}

TEST(ErrorText, PatternTakesTheName)
{
    EXPECT_EQ(FormatMessageText(errtext::FailedToSetData, "SSTV2_RGAMMA"),
              "Failed to set data for 'SSTV2_RGAMMA'");
    EXPECT_EQ(FormatMessageText(errtext::NotAnInteger, "fast"), "'fast' is not a valid integer value");
    // A name holding %s is put in as it is, not expanded again.
    EXPECT_EQ(FormatMessageText(errtext::InvalidDataType, "%s"), "Invalid data type for '%s'");
    EXPECT_EQ(FormatMessageText(errtext::RangeCheck, "x"), "Range check error");
}
