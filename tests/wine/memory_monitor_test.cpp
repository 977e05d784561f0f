// The memory display with a replaced memory-status source.
#include "app_fixture.h"
#include "mainwindow/control_ids.h"
#include "platform/memory_status.h"
#include <commctrl.h>

namespace {
MemoryAmounts g_amounts;
MemoryAmounts Fake() { return g_amounts; }

class MemoryMonitor : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        reg::SetString(GlideKey, "SSTV2_RGAMMA", "1");
        SetMemoryStatusFunction(Fake);
    }
    void TearDown() override
    {
        SetMemoryStatusFunction(nullptr);
        AppTest::TearDown();
    }
    int Max(int bar) { return static_cast<int>(SendMessageA(Form().Find(bar).Handle(), PBM_GETRANGE, FALSE, 0)); }
    int Pos(int bar) { return static_cast<int>(SendMessageA(Form().Find(bar).Handle(), PBM_GETPOS, 0, 0)); }
};
constexpr uint64_t MiB = 1024 * 1024;
} // namespace

TEST_F(MemoryMonitor, TickShowsTotalsAndFreeAmounts)
{
    const struct { int line; MemoryAmounts m; int fizMax, fizPos, virMax, virPos; const char* fiz; const char* vir; } cases[] = {
        {__LINE__, {64 * MiB, 5 * MiB, 0, 0}, 67108864, 5242880, 0, 0,
         "\xd6sszesen: 65536 Kb\xe1jt, szabad: 5120 Kb\xe1jt", "\xd6sszesen: 0 Kb\xe1jt, szabad: 0 Kb\xe1jt"},
        {__LINE__, {1048575, 1048575, 96 * MiB, 32 * MiB}, 1048575, 1048575, 100663296, 33554432,
         "\xd6sszesen: 1023 Kb\xe1jt, szabad: 1023 Kb\xe1jt", "\xd6sszesen: 98304 Kb\xe1jt, szabad: 32768 Kb\xe1jt"},
        // 3 GiB with 1 GiB free: halved to fit, the proportion stays.
        {__LINE__, {3072 * MiB, 1024 * MiB, 0, 0}, 1610612736, 536870912, 0, 0,
         "\xd6sszesen: 3145728 Kb\xe1jt, szabad: 1048576 Kb\xe1jt", "\xd6sszesen: 0 Kb\xe1jt, szabad: 0 Kb\xe1jt"},
        // Above 4 GiB, and a free page file reported above its total.
        {__LINE__, {24576 * MiB, 12288 * MiB, 2048 * MiB, 4096 * MiB}, 1610612736, 805306368, 1073741824, 1073741824,
         "\xd6sszesen: 25165824 Kb\xe1jt, szabad: 12582912 Kb\xe1jt", "\xd6sszesen: 2097152 Kb\xe1jt, szabad: 2097152 Kb\xe1jt"},
    };
    OpenForm();
    EXPECT_EQ(Form().Find(id::LVirt).Text(), "LVirt") << "until the first tick";
    EXPECT_EQ(Form().Find(id::LFiz).Text(), "LFiz");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        g_amounts = c.m;
        Form().Timer1Timer();
        EXPECT_EQ(Max(id::pbFiz), c.fizMax);
        EXPECT_EQ(Pos(id::pbFiz), c.fizPos);
        EXPECT_EQ(Max(id::pbVirtual), c.virMax);
        EXPECT_EQ(Pos(id::pbVirtual), c.virPos);
        EXPECT_EQ(Form().Find(id::LFiz).Text(), c.fiz);
        EXPECT_EQ(Form().Find(id::LVirt).Text(), c.vir);
    }
}

TEST_F(MemoryMonitor, TimerTicksAfterTheLoad)
{
    g_amounts = {64 * MiB, 5 * MiB, 0, 0};
    OpenForm();
    const DWORD until = GetTickCount() + 2500;
    while (Form().Find(id::LFiz).Text() == "LFiz" && GetTickCount() < until) {
        Pump();
        Sleep(20);
    }
    EXPECT_EQ(Form().Find(id::LFiz).Text(), "\xd6sszesen: 65536 Kb\xe1jt, szabad: 5120 Kb\xe1jt");
}

TEST(MemoryMath, TheSystemSourceReportsTrueAmounts)
{
    const MemoryAmounts m = QueryMemoryStatus();
    EXPECT_GT(m.totalPhys, 0u);
    // Under qemu-i386 the system itself reports no true total: the
    // emulator hands a 32-bit guest the host's sysinfo() with its total
    // memory cut to 32 bits, which Wine takes as the total, while the free
    // memory comes whole from /proc/meminfo.
    char lane[16] = {};
    if (GetEnvironmentVariableA("TARNWICK_LANE", lane, sizeof lane) && std::string(lane) == "emulated")
        GTEST_SKIP() << "the emulated lane's total memory is the emulator's, cut to 32 bits";
    EXPECT_LE(m.availPhys, m.totalPhys);
}

// Windows 95, 98 and ME have GlobalMemoryStatus alone: 32-bit amounts, which
// the display takes as they come.
TEST_F(MemoryMonitor, WithoutGlobalMemoryStatusEx)
{
    SetMemoryStatusFunction(nullptr);
    HideGlobalMemoryStatusExForTest(true);
    const MemoryAmounts m = QueryMemoryStatus();
    OpenForm();
    Form().Timer1Timer();
    HideGlobalMemoryStatusExForTest(false);
    EXPECT_GT(m.totalPhys, 0u);
    if (sizeof(SIZE_T) == 4) {  // the 32-bit exe: DWORD amounts (the 64-bit twin's are wider)
        EXPECT_LE(m.totalPhys, 0xffffffffu);
        EXPECT_LE(m.totalPageFile, 0xffffffffu);
    }
    EXPECT_GT(Max(id::pbFiz), 0);
    EXPECT_EQ(Form().Find(id::LFiz).Text().rfind("\xd6sszesen: ", 0), 0u) << Form().Find(id::LFiz).Text();
}
