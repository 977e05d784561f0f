#pragma once
// The machine's memory amounts, in bytes.
#include <cstdint>

struct MemoryAmounts {
    uint64_t totalPhys = 0;
    uint64_t availPhys = 0;
    uint64_t totalPageFile = 0;
    uint64_t availPageFile = 0;
};

using MemoryStatusFunction = MemoryAmounts (*)();

// Test seam: the in-process tests replace the source to show edge amounts;
// nullptr puts the system's back.
MemoryStatusFunction SetMemoryStatusFunction(MemoryStatusFunction fn);
// Test seam: true hides GlobalMemoryStatusEx, as Windows 95 and 98 lack it,
// so that the in-process tests run the GlobalMemoryStatus path on Wine.
void HideGlobalMemoryStatusExForTest(bool hide);
// GlobalMemoryStatusEx where the system has it (true 64-bit amounts),
// GlobalMemoryStatus otherwise (Windows 98).
MemoryAmounts QueryMemoryStatus();
