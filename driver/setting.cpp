#include "driver/setting.h"
#include "platform/error.h"
#include "platform/error_text.h"

const char* const DriverKeyPath = "SOFTWARE\\3dfx Interactive\\Voodoo2";
const char* const GammaValueNames[3] = {"SSTV2_RGAMMA", "SSTV2_GGAMMA", "SSTV2_BGAMMA"};
const char* const ClockValueName = "SSTV2_GRXCLK";

namespace {
const char* const ResolutionNames[5] = {"512x384", "640x400", "640x480", "800x600", "1024x768"};

void CheckResolutionIndex(int i)
{
    if (i < 1 || i > 5)
        throw Error(errtext::RangeCheck);
}
} // namespace

int32_t& RefreshRate(TSetting& profile, int i)
{
    CheckResolutionIndex(i);
    return profile.RefreshRates[i - 1];
}

int32_t RefreshRate(const TSetting& profile, int i)
{
    CheckResolutionIndex(i);
    return profile.RefreshRates[i - 1];
}

const char* ResolutionName(int i)
{
    CheckResolutionIndex(i);
    return ResolutionNames[i - 1];
}

std::string ProfileKeyPath(const TSetting& profile)
{
    return std::string(DriverKeyPath) + "\\" + profile.KeyName;
}

std::string RefreshValueName(int i) { return std::string("SSTV2_REFRESH_") + ResolutionName(i); }
