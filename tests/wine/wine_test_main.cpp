// Entry point of the in-process tests. A crash ends the process instead of
// opening Wine's crash dialog, and a message box nobody expected fails the
// test that raised it instead of waiting for a click that never comes; so
// does a case the helpers could not arrange.
#include "tests/wine/test_support.h"
#include <gtest/gtest.h>
#include <cstdio>

int main(int argc, char** argv)
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    InstallFailureHandlers();
    const int rc = RUN_ALL_TESTS();
    // CTest runs one suite per filter: a filter that picks nothing means the
    // suite list in CMakeLists.txt and the sources disagree.
    if (rc == 0 && !GTEST_FLAG_GET(list_tests) &&
        testing::UnitTest::GetInstance()->test_to_run_count() == 0) {
        std::fprintf(stderr, "no test matched the filter\n");
        return 1;
    }
    return rc;
}
