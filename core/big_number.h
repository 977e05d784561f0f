#pragma once
// Unsigned integers of up to Capacity 32-bit limbs, with the little
// arithmetic that exact conversions between long double and decimal text
// need: no division by a big number beyond the few dozen quotient bits a
// conversion wants. Fixed size, so nothing is allocated. Portable.
#include <cstdint>

class BigNumber {
public:
    // The largest numbers the number texts make: 11,601 significant digits
    // (38,539 bits) over 5^16551, the largest power such a text can have
    // before it reads as 0 (38,432 bits). The division lines them up, moves
    // them 94 bits further up and wants a limb on top: 1,209 limbs.
    static constexpr int32_t Capacity = 1216;

    explicit BigNumber(uint64_t value = 0);

    bool IsZero() const { return size_ == 0; }
    bool IsOne() const { return size_ == 1 && limbs_[0] == 1; }
    int32_t BitLength() const;
    bool Bit(int32_t index) const;
    bool AnyBitBelow(int32_t index) const;
    // Bits from `from` up, as many as fit in 64; a negative `from` shifts
    // left, so the bits below 0 read as 0.
    uint64_t BitsFrom(int32_t from) const;
    int Compare(const BigNumber& other) const;

    void MulAdd(uint32_t factor, uint32_t addend);  // this * factor + addend
    void MulPow5(int32_t power);
    void ShiftLeft(int32_t bits);
    // Leaves the remainder and returns the quotient, which must be below
    // 2^64; den's top bit must be set.
    uint64_t DivideBy(const BigNumber& den);

private:
    void SetProduct(const BigNumber& a, const BigNumber& b);
    void SetSquare(const BigNumber& x);
    void Trim();

    int32_t size_ = 0;  // limbs in use; the top one is never 0
    uint32_t limbs_[Capacity];
};

// What is left below the last bit or digit that was kept, against half of
// that bit or digit.
enum class Rest { Zero, Below, Half, Above };

inline bool RoundsUp(Rest rest, bool odd) { return rest == Rest::Above || (rest == Rest::Half && odd); }

// Where the ratio num/den lies: it is in [2^n, 2^(n+1)) for the n returned.
// Unless den is 1, num or den is multiplied by a power of two on the way.
int32_t Log2OfRatio(BigNumber& num, BigNumber& den);

// After Log2OfRatio: the first `count` bits (at most 64) of num/den, and
// the rest after them. Both are used up.
uint64_t LeadingBits(BigNumber& num, BigNumber& den, int32_t count, Rest& rest);
