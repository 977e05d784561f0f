#pragma once
// What the memory bars and labels show for a total and a free amount.
// Portable.
#include <cstdint>
#include <string>

struct BarSetting {
    int32_t max;
    int32_t position;
};

// The free amount fills the bar. Amounts beyond a signed 32-bit range are
// scaled down together by a power of two, so the proportion stays; a free
// amount reported above its total counts as the total.
BarSetting MemoryBar(uint64_t total, uint64_t available);

// "Összesen: 65536 Kbájt, szabad: 5120 Kbájt": whole kilobytes, rounded down.
std::string MemoryLabel(uint64_t total, uint64_t available);
