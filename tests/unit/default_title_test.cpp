#include "core/default_title.h"
#include <gtest/gtest.h>

TEST(DefaultTitle, FromModulePath)
{
    const struct { int line; const char* path; const char* title; } cases[] = {
        {__LINE__, "C:\\Program Files\\Tarnwick\\tarnwick.exe", "tarnwick"},
        {__LINE__, "C:\\WINDOWS\\DESKTOP\\TARNWICK.EXE", "Tarnwick"},
        {__LINE__, "Z:\\build\\TwEak.Tool.exe", "Tweak"},
        {__LINE__, "/unix/style/Tool.exe", "Tool"},
        {__LINE__, "noext", "noext"},
        {__LINE__, "C:\\dir.with.dots\\APP", "App"},
        {__LINE__, "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DefaultTitleFromModulePath(c.path), c.title) << "line " << c.line;
}
