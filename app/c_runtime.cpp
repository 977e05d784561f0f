// The few C functions the exe takes from here rather than from a C runtime
// DLL, which a bare Windows 95 lacks: what the compiler calls for copying,
// filling and comparing memory and for 64-bit division, what the C++
// library's headers call, and atexit for the static destructors. Linked
// into the exe only (it links no C runtime at all, cmake/windows.cmake);
// built with -fno-builtin so that none of these loops becomes a call to
// itself.
#include "app/division.h"
#include <cstddef>
#include <cstdint>

namespace {
// The static destructors, run by the entry point when WinMain returns.
constexpr int MaxExitFunctions = 32;
void (*g_exitFunctions[MaxExitFunctions])();
int g_exitCount = 0;
} // namespace

extern "C" {

void* memcpy(void* dst, const void* src, size_t n)
{
    auto* d = static_cast<unsigned char*>(dst);
    const auto* s = static_cast<const unsigned char*>(src);
    while (n--)
        *d++ = *s++;
    return dst;
}

void* memmove(void* dst, const void* src, size_t n)
{
    auto* d = static_cast<unsigned char*>(dst);
    const auto* s = static_cast<const unsigned char*>(src);
    if (d < s) {
        while (n--)
            *d++ = *s++;
    } else {
        while (n--)
            d[n] = s[n];
    }
    return dst;
}

void* memset(void* dst, int value, size_t n)
{
    auto* d = static_cast<unsigned char*>(dst);
    while (n--)
        *d++ = static_cast<unsigned char>(value);
    return dst;
}

int memcmp(const void* a, const void* b, size_t n)
{
    const auto* x = static_cast<const unsigned char*>(a);
    const auto* y = static_cast<const unsigned char*>(b);
    for (; n--; ++x, ++y)
        if (*x != *y)
            return *x < *y ? -1 : 1;
    return 0;
}

void* memchr(const void* p, int value, size_t n)
{
    const auto* s = static_cast<const unsigned char*>(p);
    for (; n--; ++s)
        if (*s == static_cast<unsigned char>(value))
            return const_cast<unsigned char*>(s);
    return nullptr;
}

size_t strlen(const char* s)
{
    size_t n = 0;
    while (s[n])
        ++n;
    return n;
}

int atexit(void (*function)())
{
    if (g_exitCount == MaxExitFunctions)
        return -1;
    g_exitFunctions[g_exitCount++] = function;
    return 0;
}

// The compiler's 64-bit division helpers (i686 only calls them).
uint64_t __udivdi3(uint64_t n, uint64_t d) { return division::DivideUnsigned(n, d, nullptr); }
uint64_t __umoddi3(uint64_t n, uint64_t d)
{
    uint64_t rest = 0;
    division::DivideUnsigned(n, d, &rest);
    return rest;
}
uint64_t __udivmoddi4(uint64_t n, uint64_t d, uint64_t* rest) { return division::DivideUnsigned(n, d, rest); }
int64_t __divdi3(int64_t n, int64_t d) { return division::DivideSigned(n, d, nullptr); }
int64_t __moddi3(int64_t n, int64_t d)
{
    int64_t rest = 0;
    division::DivideSigned(n, d, &rest);
    return rest;
}
int64_t __divmoddi4(int64_t n, int64_t d, int64_t* rest) { return division::DivideSigned(n, d, rest); }

} // extern "C"

// The entry point's end: the static destructors, last made first run.
void RunExitFunctions()
{
    while (g_exitCount > 0)
        g_exitFunctions[--g_exitCount]();
}
