#include "driver/profile_store.h"
#include "driver/number_text.h"
#include "platform/registry.h"

namespace {

// Opens the profile key; when it is missing no key is open and every value
// reads as missing.
void OpenForRead(RegistryAccessor& reg, const TSetting& profile)
{
    reg.OpenKey(ProfileKeyPath(profile), false);
}

void OpenForWrite(RegistryAccessor& reg, const TSetting& profile)
{
    reg.OpenKey(ProfileKeyPath(profile), true);
}

long double ReadRealOrZero(const RegistryAccessor& reg, const char* name)
{
    long double value = 0;
    try {
        if (TextToReal(reg.ReadString(name), value))
            return value;
    } catch (const std::exception&) {
    }
    return 0;
}

int32_t ReadIntOrZero(const RegistryAccessor& reg, const std::string& name)
{
    int32_t value = 0;
    try {
        if (TextToInt(reg.ReadString(name), value))
            return value;
    } catch (const std::exception&) {
    }
    return 0;
}

} // namespace

void ReadGamma(TSetting& profile)
{
    RegistryAccessor reg(HKEY_LOCAL_MACHINE);
    OpenForRead(reg, profile);
    profile.GammaR = ReadRealOrZero(reg, GammaValueNames[0]);
    profile.GammaG = ReadRealOrZero(reg, GammaValueNames[1]);
    profile.GammaB = ReadRealOrZero(reg, GammaValueNames[2]);
}

void ReadRefreshRates(TSetting& profile)
{
    RegistryAccessor reg(HKEY_LOCAL_MACHINE);
    OpenForRead(reg, profile);
    for (int i = 1; i <= 5; ++i)
        RefreshRate(profile, i) = ReadIntOrZero(reg, RefreshValueName(i));
}

void ReadClock(TSetting& profile)
{
    {
        RegistryAccessor reg(HKEY_LOCAL_MACHINE);
        OpenForRead(reg, profile);
        if (!reg.ValueExists(ClockValueName)) {
            profile.Clock = FactoryClock;
        } else {
            switch (reg.GetDataType(ClockValueName)) {
            case RegistryAccessor::DataType::String:
            case RegistryAccessor::DataType::ExpandString:
                profile.Clock = TextToIntOrRaise(reg.ReadString(ClockValueName));
                break;
            case RegistryAccessor::DataType::Integer:
                profile.Clock = reg.ReadInteger(ClockValueName);
                break;
            default:
                break;  // binary, multi-string, unknown: the field stays
            }
        }
    }
    if (profile.Clock < LowestClock)
        profile.Clock = FactoryClock;
}

void WriteGamma(const TSetting& profile)
{
    RegistryAccessor reg(HKEY_LOCAL_MACHINE);
    OpenForWrite(reg, profile);
    reg.WriteString(GammaValueNames[0], RealToText(profile.GammaR));
    reg.WriteString(GammaValueNames[1], RealToText(profile.GammaG));
    reg.WriteString(GammaValueNames[2], RealToText(profile.GammaB));
}

void WriteRefreshRates(const TSetting& profile)
{
    RegistryAccessor reg(HKEY_LOCAL_MACHINE);
    OpenForWrite(reg, profile);
    for (int i = 1; i <= 5; ++i)
        reg.WriteString(RefreshValueName(i), IntToText(RefreshRate(profile, i)));
}

void WriteClock(const TSetting& profile)
{
    RegistryAccessor reg(HKEY_LOCAL_MACHINE);
    OpenForWrite(reg, profile);
    reg.WriteString(ClockValueName, IntToText(profile.Clock));
}
