#pragma once
// TSetting: one driver profile, as the driver keeps it in its registry key.
// Portable.
#include "core/error.h"
#include <cstdint>
#include <string>

struct TSetting {
    int32_t RefreshRates[5] = {};  // indexed 1..5 through RefreshRate()
    int32_t Clock = 0;
    long double GammaR = 0;
    long double GammaG = 0;
    long double GammaB = 0;
    std::string KeyName;
};

// Fails with "Range check error" for a resolution index outside 1..5.
Status CheckResolutionIndex(int i);

// Element i (1..5) of RefreshRates; i must have passed the check above.
int32_t& RefreshRate(TSetting& profile, int i);
int32_t RefreshRate(const TSetting& profile, int i);

// Entry i (1..5): "512x384" .. "1024x768".
const char* ResolutionName(int i);

constexpr int32_t FactoryClock = 90;
constexpr int32_t LowestClock = 50;

// The driver's key of a profile below HKEY_LOCAL_MACHINE.
std::string ProfileKeyPath(const TSetting& profile);
extern const char* const DriverKeyPath;  // "SOFTWARE\3dfx Interactive\Voodoo2"

// Value names of a profile key.
extern const char* const GammaValueNames[3];  // red, green, blue
extern const char* const ClockValueName;
std::string RefreshValueName(int i);
