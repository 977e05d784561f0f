#include "system/memory_math.h"

BarSetting MemoryBar(uint64_t total, uint64_t available)
{
    if (available > total)
        available = total;
    while (total > 0x7FFFFFFFull) {
        total >>= 1;
        available >>= 1;
    }
    return {static_cast<int32_t>(total), static_cast<int32_t>(available)};
}

std::string MemoryLabel(uint64_t total, uint64_t available)
{
    if (available > total)
        available = total;
    return "Összesen: " + std::to_string(total >> 10) + " Kbájt, szabad: " +
           std::to_string(available >> 10) + " Kbájt";
}
