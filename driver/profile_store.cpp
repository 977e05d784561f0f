#include "driver/profile_store.h"
#include "core/number_text.h"
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
    const Result<std::string> text = reg.ReadString(name);
    return text.ok() && TextToReal(*text, value) ? value : 0;
}

int32_t ReadIntOrZero(const RegistryAccessor& reg, const std::string& name)
{
    int32_t value = 0;
    const Result<std::string> text = reg.ReadString(name);
    return text.ok() && TextToInt(*text, value) ? value : 0;
}

// The clock as stored; a value of another type leaves it as it is.
Status ReadStoredClock(const RegistryAccessor& reg, int32_t& clock)
{
    if (!reg.ValueExists(ClockValueName)) {
        clock = FactoryClock;
        return Status();
    }
    switch (reg.GetDataType(ClockValueName)) {
    case RegistryAccessor::DataType::String:
    case RegistryAccessor::DataType::ExpandString: {
        TRY_ASSIGN(const std::string text, reg.ReadString(ClockValueName));
        TRY_ASSIGN(clock, TextToIntChecked(text));
        return Status();
    }
    case RegistryAccessor::DataType::Integer: {
        TRY_ASSIGN(clock, reg.ReadInteger(ClockValueName));
        return Status();
    }
    default:
        return Status();  // binary, multi-string, unknown: the field stays
    }
}

} // namespace

Status ReadGamma(TSetting& profile)
{
    RegistryAccessor reg(HKEY_LOCAL_MACHINE);
    OpenForRead(reg, profile);
    profile.GammaR = ReadRealOrZero(reg, GammaValueNames[0]);
    profile.GammaG = ReadRealOrZero(reg, GammaValueNames[1]);
    profile.GammaB = ReadRealOrZero(reg, GammaValueNames[2]);
    return Status();
}

Status ReadRefreshRates(TSetting& profile)
{
    RegistryAccessor reg(HKEY_LOCAL_MACHINE);
    OpenForRead(reg, profile);
    for (int i = 1; i <= 5; ++i)
        RefreshRate(profile, i) = ReadIntOrZero(reg, RefreshValueName(i));
    return Status();
}

Status ReadClock(TSetting& profile)
{
    {
        RegistryAccessor reg(HKEY_LOCAL_MACHINE);
        OpenForRead(reg, profile);
        TRY(ReadStoredClock(reg, profile.Clock));
    }
    if (profile.Clock < LowestClock)
        profile.Clock = FactoryClock;
    return Status();
}

Status WriteGamma(const TSetting& profile)
{
    RegistryAccessor reg(HKEY_LOCAL_MACHINE);
    OpenForWrite(reg, profile);
    TRY(reg.WriteString(GammaValueNames[0], RealToText(profile.GammaR)));
    TRY(reg.WriteString(GammaValueNames[1], RealToText(profile.GammaG)));
    return reg.WriteString(GammaValueNames[2], RealToText(profile.GammaB));
}

Status WriteRefreshRates(const TSetting& profile)
{
    RegistryAccessor reg(HKEY_LOCAL_MACHINE);
    OpenForWrite(reg, profile);
    for (int i = 1; i <= 5; ++i)
        TRY(reg.WriteString(RefreshValueName(i), IntToText(RefreshRate(profile, i))));
    return Status();
}

Status WriteClock(const TSetting& profile)
{
    RegistryAccessor reg(HKEY_LOCAL_MACHINE);
    OpenForWrite(reg, profile);
    return reg.WriteString(ClockValueName, IntToText(profile.Clock));
}
