#pragma once
// The machine's memory amounts, in bytes. In-process tests replace the
// source to show edge amounts.
#include <cstdint>

struct MemoryAmounts {
    uint64_t totalPhys = 0;
    uint64_t availPhys = 0;
    uint64_t totalPageFile = 0;
    uint64_t availPageFile = 0;
};

using MemoryStatusFunction = MemoryAmounts (*)();

MemoryStatusFunction SetMemoryStatusFunction(MemoryStatusFunction fn);  // nullptr: the system's
// GlobalMemoryStatusEx where the system has it (true 64-bit amounts),
// GlobalMemoryStatus otherwise (Windows 98).
MemoryAmounts QueryMemoryStatus();
