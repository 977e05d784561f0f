#pragma once
// The tweak switches: each row names a driver value and the text it holds
// while the switch is on. Row n of a table belongs to the check box at
// ControlTable entry 16 + n (Glide) or 32 + n (Direct3D). Portable.
#include <string>
#include <vector>

struct TData {
    std::string Name;
    std::string Value;
};

extern std::vector<TData> GlideSwitches;  // rows 1..16 at [0..15]
extern std::vector<TData> D3DSwitches;    // rows 1..15 at [0..14]

constexpr int GlideSwitchCount = 16;
constexpr int D3DSwitchCount = 15;
constexpr int FirstGlideSwitchEntry = 17;
constexpr int FirstD3DSwitchEntry = 33;

void InitSettingTables();
