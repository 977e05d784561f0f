#pragma once
// The tweak switches: each row names a driver value and the text it holds
// while the switch is on. Constant data, the same from the start of the
// program to its end. Portable.
#include <array>
#include <cstddef>

struct TData {
    const char* Name;
    const char* Value;
};

constexpr int GlideSwitchCount = 16;
constexpr int D3DSwitchCount = 15;

extern const std::array<TData, GlideSwitchCount> GlideSwitches;  // rows 1..16 at [0..15]
extern const std::array<TData, D3DSwitchCount> D3DSwitches;      // rows 1..15 at [0..14]
