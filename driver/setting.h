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

// The driver's key below HKEY_LOCAL_MACHINE, "SOFTWARE\3dfx Interactive\Voodoo2",
// the names of its two interfaces' keys below it, and their paths.
extern const char* const DriverKeyPath;
extern const char* const GlideKeyName;  // "Glide"
extern const char* const D3DKeyName;    // "D3D"
std::string DriverSubkeyPath(const std::string& keyName);
// The key of a profile: DriverSubkeyPath of its KeyName.
std::string ProfileKeyPath(const TSetting& profile);

// Value names of a profile key.
extern const char* const GammaValueNames[3];  // red, green, blue
extern const char* const ClockValueName;
std::string RefreshValueName(int i);
