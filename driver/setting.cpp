#include "driver/setting.h"
#include "core/error_text.h"

const char* const DriverKeyPath = "SOFTWARE\\3dfx Interactive\\Voodoo2";
const char* const GlideKeyName = "Glide";
const char* const D3DKeyName = "D3D";
const char* const GammaValueNames[3] = {"SSTV2_RGAMMA", "SSTV2_GGAMMA", "SSTV2_BGAMMA"};
const char* const ClockValueName = "SSTV2_GRXCLK";

namespace {
const char* const ResolutionNames[5] = {"512x384", "640x400", "640x480", "800x600", "1024x768"};

// An index that missed the check still lands inside the array.
int Slot(int i) { return i >= 1 && i <= 5 ? i - 1 : 0; }
} // namespace

Status CheckResolutionIndex(int i) { return i >= 1 && i <= 5 ? Status() : Fail(errtext::RangeCheck); }

int32_t& RefreshRate(TSetting& profile, int i) { return profile.RefreshRates[Slot(i)]; }
int32_t RefreshRate(const TSetting& profile, int i) { return profile.RefreshRates[Slot(i)]; }
const char* ResolutionName(int i) { return ResolutionNames[Slot(i)]; }

std::string DriverSubkeyPath(const std::string& keyName) { return std::string(DriverKeyPath) + "\\" + keyName; }

std::string ProfileKeyPath(const TSetting& profile) { return DriverSubkeyPath(profile.KeyName); }

std::string RefreshValueName(int i) { return std::string("SSTV2_REFRESH_") + ResolutionName(i); }
