#include "platform/memory_status.h"
#include <utility>
#include "platform/lookup.h"

namespace {
MemoryStatusFunction g_source = nullptr;
bool g_hideStatusEx = false;

MemoryAmounts SystemMemoryStatus()
{
    // Looked up, not imported: Windows 98 has no GlobalMemoryStatusEx, and
    // GlobalMemoryStatus alone caps at 2 GiB on larger machines.
    using StatusEx = BOOL(WINAPI*)(LPMEMORYSTATUSEX);
    static const auto statusEx = LookUpFunction<StatusEx>(GetModuleHandleA("kernel32.dll"), "GlobalMemoryStatusEx");
    if (statusEx && !g_hideStatusEx) {
        MEMORYSTATUSEX ex{};
        ex.dwLength = sizeof ex;
        if (statusEx(&ex))
            return {ex.ullTotalPhys, ex.ullAvailPhys, ex.ullTotalPageFile, ex.ullAvailPageFile};
    }
    MEMORYSTATUS status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    return {status.dwTotalPhys, status.dwAvailPhys, status.dwTotalPageFile, status.dwAvailPageFile};
}
} // namespace

MemoryStatusFunction SetMemoryStatusFunction(MemoryStatusFunction fn) { return std::exchange(g_source, fn); }

void HideGlobalMemoryStatusExForTest(bool hide) { g_hideStatusEx = hide; }

MemoryAmounts QueryMemoryStatus() { return g_source ? g_source() : SystemMemoryStatus(); }
