#pragma once
// 64-bit division from 32-bit steps, for the exe's own copies of the
// compiler's helpers (__udivdi3 and the like, app/c_runtime.cpp), which an
// i686 target calls for every 64-bit / and %. Written with shifts,
// subtractions and comparisons only, which the compiler emits inline, so
// it can never call itself. Portable: unit-tested natively.
#include <cstdint>

namespace division {

// n / d and n % d for d != 0; d == 0 gives quotient ~0 and remainder n
// (the hardware would trap; nothing in the program divides by zero).
uint64_t DivideUnsigned(uint64_t n, uint64_t d, uint64_t* remainder);

// Truncating toward zero; the remainder takes the sign of n, as C++'s / and %.
int64_t DivideSigned(int64_t n, int64_t d, int64_t* remainder);

} // namespace division
