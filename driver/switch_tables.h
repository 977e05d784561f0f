#pragma once
// The tweak switches: each row names a driver value and the text it holds
// while the switch is on. Portable.
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

void InitSettingTables();
