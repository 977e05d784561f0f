#pragma once
// For the native checks that take glibc's conversions as the reference for
// the program's number texts. Header only, portable.
#include <cstring>

// glibc prints a pseudo-denormal (exponent 0, integer bit set) as if the
// integer bit were not there; the x87 and MinGW's printf count it, and so
// does the program: such a number is the normal one with exponent 1.
inline long double AsTheX87ReadsIt(long double value)
{
    unsigned char bytes[10];
    std::memcpy(bytes, &value, 10);
    if ((bytes[9] & 0x7F) == 0 && bytes[8] == 0 && (bytes[7] & 0x80))
        bytes[8] = 1;
    std::memcpy(&value, bytes, 10);
    return value;
}
