#include "core/big_number.h"

BigNumber::BigNumber(uint64_t value)
{
    limbs_[0] = static_cast<uint32_t>(value);
    limbs_[1] = static_cast<uint32_t>(value >> 32);
    size_ = 2;
    Trim();
}

void BigNumber::Trim()
{
    while (size_ > 0 && limbs_[size_ - 1] == 0)
        --size_;
}

int32_t BigNumber::BitLength() const
{
    if (size_ == 0)
        return 0;
    return size_ * 32 - __builtin_clz(limbs_[size_ - 1]);
}

bool BigNumber::Bit(int32_t index) const
{
    if (index < 0 || index >= size_ * 32)
        return false;
    return (limbs_[index / 32] >> (index % 32)) & 1;
}

bool BigNumber::AnyBitBelow(int32_t index) const
{
    if (index <= 0 || size_ == 0)
        return false;
    if (index >= size_ * 32)
        return true;
    for (int32_t i = 0; i < index / 32; ++i)
        if (limbs_[i] != 0)
            return true;
    return (limbs_[index / 32] & ((1u << (index % 32)) - 1)) != 0;
}

uint64_t BigNumber::BitsFrom(int32_t from) const
{
    if (from < 0)
        return from <= -64 ? 0 : BitsFrom(0) << -from;
    const int32_t first = from / 32, low = from % 32;
    const auto limb = [this](int32_t i) -> uint64_t { return i < size_ ? limbs_[i] : 0; };
    const uint64_t bits = limb(first) | limb(first + 1) << 32;
    return low == 0 ? bits : (bits >> low) | (limb(first + 2) << (64 - low));
}

int BigNumber::Compare(const BigNumber& other) const
{
    if (size_ != other.size_)
        return size_ < other.size_ ? -1 : 1;
    for (int32_t i = size_ - 1; i >= 0; --i)
        if (limbs_[i] != other.limbs_[i])
            return limbs_[i] < other.limbs_[i] ? -1 : 1;
    return 0;
}

void BigNumber::MulAdd(uint32_t factor, uint32_t addend)
{
    uint64_t carry = addend;
    for (int32_t i = 0; i < size_; ++i) {
        carry += static_cast<uint64_t>(limbs_[i]) * factor;
        limbs_[i] = static_cast<uint32_t>(carry);
        carry >>= 32;
    }
    if (carry != 0)
        limbs_[size_++] = static_cast<uint32_t>(carry);
}

void BigNumber::MulPow5(int32_t power)
{
    constexpr uint32_t Pow5To13 = 1220703125;  // the largest that fits in a limb
    if (power < 13 * 16) {
        for (; power >= 13; power -= 13)
            MulAdd(Pow5To13, 0);
        uint32_t rest = 1;
        for (; power > 0; --power)
            rest *= 5;
        MulAdd(rest, 0);
        return;
    }
    // Large powers by squaring, the power's top bits first: far fewer limb
    // products than one factor at a time.
    BigNumber one(1), other;
    BigNumber *power5 = &one, *spare = &other;
    for (int32_t bit = 31 - __builtin_clz(static_cast<uint32_t>(power)); bit >= 0; --bit) {
        spare->SetSquare(*power5);
        BigNumber* const swap = power5;
        power5 = spare;
        spare = swap;
        if ((power >> bit) & 1)
            power5->MulAdd(5, 0);
    }
    spare->SetProduct(*this, *power5);
    size_ = spare->size_;
    for (int32_t i = 0; i < size_; ++i)
        limbs_[i] = spare->limbs_[i];
}

void BigNumber::SetProduct(const BigNumber& a, const BigNumber& b)
{
    size_ = a.size_ + b.size_;
    for (int32_t i = 0; i < size_; ++i)
        limbs_[i] = 0;
    for (int32_t i = 0; i < a.size_; ++i) {
        uint64_t carry = 0;
        for (int32_t k = 0; k < b.size_; ++k) {
            carry += static_cast<uint64_t>(a.limbs_[i]) * b.limbs_[k] + limbs_[i + k];
            limbs_[i + k] = static_cast<uint32_t>(carry);
            carry >>= 32;
        }
        limbs_[i + b.size_] = static_cast<uint32_t>(carry);
    }
    Trim();
}

void BigNumber::SetSquare(const BigNumber& x)
{
    // Each product of two different limbs once, that sum doubled, and the
    // squares of the limbs added: half the work of a product.
    const int32_t n = x.size_;
    size_ = 2 * n;
    for (int32_t i = 0; i < size_; ++i)
        limbs_[i] = 0;
    for (int32_t i = 0; i < n; ++i) {
        uint64_t carry = 0;
        for (int32_t k = i + 1; k < n; ++k) {
            carry += static_cast<uint64_t>(x.limbs_[i]) * x.limbs_[k] + limbs_[i + k];
            limbs_[i + k] = static_cast<uint32_t>(carry);
            carry >>= 32;
        }
        limbs_[i + n] = static_cast<uint32_t>(carry);
    }
    uint64_t carry = 0;
    for (int32_t i = 0; i < n; ++i) {
        const uint64_t square = static_cast<uint64_t>(x.limbs_[i]) * x.limbs_[i];
        carry += (static_cast<uint64_t>(limbs_[2 * i]) << 1) + static_cast<uint32_t>(square);
        limbs_[2 * i] = static_cast<uint32_t>(carry);
        carry = (carry >> 32) + (static_cast<uint64_t>(limbs_[2 * i + 1]) << 1) + (square >> 32);
        limbs_[2 * i + 1] = static_cast<uint32_t>(carry);
        carry >>= 32;
    }
    Trim();
}

void BigNumber::ShiftLeft(int32_t bits)
{
    if (size_ == 0 || bits <= 0)
        return;
    const int32_t limbs = bits / 32, shift = bits % 32;
    if (shift != 0) {
        limbs_[size_] = 0;
        for (int32_t i = size_; i > 0; --i)
            limbs_[i] = (limbs_[i] << shift) | (limbs_[i - 1] >> (32 - shift));
        limbs_[0] <<= shift;
        ++size_;
    }
    if (limbs != 0) {
        for (int32_t i = size_ - 1; i >= 0; --i)
            limbs_[i + limbs] = limbs_[i];
        for (int32_t i = 0; i < limbs; ++i)
            limbs_[i] = 0;
        size_ += limbs;
    }
    Trim();
}

uint64_t BigNumber::DivideBy(const BigNumber& den)
{
    // Long division a limb at a time (Knuth's algorithm D): each quotient
    // limb guessed from the top two limbs over den's top one, which is
    // never more than 2 too large, then corrected.
    const int32_t n = den.size_;
    const uint32_t* const v = den.limbs_;
    uint32_t* const u = limbs_;
    uint64_t quotient = 0;
    u[size_] = 0;
    for (int32_t j = size_ - n; j >= 0; --j) {
        const uint64_t top = static_cast<uint64_t>(u[j + n]) << 32 | u[j + n - 1];
        uint64_t guess = top / v[n - 1], left = top - guess * v[n - 1];
        while (guess >> 32 || (n >= 2 && guess * v[n - 2] > (left << 32 | u[j + n - 2]))) {
            --guess;
            left += v[n - 1];
            if (left >> 32)
                break;
        }
        uint64_t carry = 0, borrow = 0;
        for (int32_t i = 0; i < n; ++i) {
            const uint64_t product = guess * v[i] + carry;
            carry = product >> 32;
            const uint64_t difference = u[i + j] - (product & 0xFFFFFFFFu) - borrow;
            u[i + j] = static_cast<uint32_t>(difference);
            borrow = difference >> 63;
        }
        const uint64_t difference = u[j + n] - carry - borrow;
        u[j + n] = static_cast<uint32_t>(difference);
        if (difference >> 63) {  // one too many: add den back
            --guess;
            carry = 0;
            for (int32_t i = 0; i < n; ++i) {
                const uint64_t sum = static_cast<uint64_t>(u[i + j]) + v[i] + carry;
                u[i + j] = static_cast<uint32_t>(sum);
                carry = sum >> 32;
            }
            u[j + n] += static_cast<uint32_t>(carry);
        }
        quotient = quotient << 32 | guess;
    }
    Trim();
    return quotient;
}

int32_t Log2OfRatio(BigNumber& num, BigNumber& den)
{
    if (den.IsOne())
        return num.BitLength() - 1;
    int32_t log2 = num.BitLength() - den.BitLength();
    if (log2 > 0)
        den.ShiftLeft(log2);
    else
        num.ShiftLeft(-log2);
    if (num.Compare(den) < 0) {
        num.ShiftLeft(1);
        --log2;
    }
    return log2;
}

uint64_t LeadingBits(BigNumber& num, BigNumber& den, int32_t count, Rest& rest)
{
    uint64_t bits = 0;
    if (den.IsOne()) {
        // A plain integer: the bits are there to be read.
        const int32_t from = num.BitLength() - count;
        const bool half = num.Bit(from - 1), below = num.AnyBitBelow(from - 1);
        rest = half ? (below ? Rest::Above : Rest::Half) : (below ? Rest::Below : Rest::Zero);
        return num.BitsFrom(from);
    }
    if (count > 0) {
        // The division wants the divisor's top bit set; the rest compares
        // with den alike when both are scaled.
        const int32_t normal = 31 - (den.BitLength() - 1) % 32;
        num.ShiftLeft(count - 1 + normal);
        den.ShiftLeft(normal);
        bits = num.DivideBy(den);
        num.ShiftLeft(1);
    }
    // num/den is now twice the fraction after the bits.
    const int side = num.Compare(den);
    rest = num.IsZero() ? Rest::Zero : side < 0 ? Rest::Below : side == 0 ? Rest::Half : Rest::Above;
    return bits;
}
