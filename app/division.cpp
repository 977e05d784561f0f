#include "app/division.h"

namespace division {

uint64_t DivideUnsigned(uint64_t n, uint64_t d, uint64_t* remainder)
{
    uint64_t quotient = 0, rest = n;
    if (d == 0) {
        quotient = ~uint64_t(0);
    } else if (d <= rest) {
        // Line the divisor up under the dividend's top bit, then subtract
        // it back down one bit at a time.
        int shift = 0;
        while (!(d >> 63) && (d << 1) <= rest) {
            d <<= 1;
            ++shift;
        }
        for (; shift >= 0; --shift, d >>= 1) {
            quotient <<= 1;
            if (rest >= d) {
                rest -= d;
                quotient |= 1;
            }
        }
    }
    if (remainder)
        *remainder = rest;
    return quotient;
}

int64_t DivideSigned(int64_t n, int64_t d, int64_t* remainder)
{
    // Magnitudes as unsigned numbers, so that INT64_MIN has one too.
    const uint64_t un = n < 0 ? 0 - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
    const uint64_t ud = d < 0 ? 0 - static_cast<uint64_t>(d) : static_cast<uint64_t>(d);
    uint64_t urest = 0;
    const uint64_t uq = DivideUnsigned(un, ud, &urest);
    const bool negative = (n < 0) != (d < 0);
    if (remainder)
        *remainder = static_cast<int64_t>(n < 0 ? 0 - urest : urest);
    return static_cast<int64_t>(negative ? 0 - uq : uq);
}

} // namespace division
