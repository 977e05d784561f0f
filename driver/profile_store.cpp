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

// 0 and false when the value is not a real's text.
bool ReadReal(const RegistryAccessor& reg, const char* name, long double& value)
{
    const Result<std::string> text = reg.ReadString(name);
    if (text.ok() && TextToReal(*text, value))
        return true;
    value = 0;
    return false;
}

bool ReadInt(const RegistryAccessor& reg, const std::string& name, int32_t& value)
{
    const Result<std::string> text = reg.ReadString(name);
    if (text.ok() && TextToInt(*text, value))
        return true;
    value = 0;
    return false;
}

// A value that was not read stays as stored while it holds the read's 0.
bool Keeps(bool unread, long double value) { return unread && value == 0; }

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

Status ReadGamma(TSetting& profile, UnreadValues& unread)
{
    RegistryAccessor reg(HKEY_LOCAL_MACHINE);
    OpenForRead(reg, profile);
    long double* const components[3] = {&profile.GammaR, &profile.GammaG, &profile.GammaB};
    for (int i = 0; i < 3; ++i)
        unread.gamma[i] = !ReadReal(reg, GammaValueNames[i], *components[i]);
    return Status();
}

Status ReadRefreshRates(TSetting& profile, UnreadValues& unread)
{
    RegistryAccessor reg(HKEY_LOCAL_MACHINE);
    OpenForRead(reg, profile);
    for (int i = 1; i <= 5; ++i)
        unread.refresh[i - 1] = !ReadInt(reg, RefreshValueName(i), RefreshRate(profile, i));
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

Status WriteGamma(const TSetting& profile, UnreadValues& unread)
{
    RegistryAccessor reg(HKEY_LOCAL_MACHINE);
    OpenForWrite(reg, profile);
    const long double components[3] = {profile.GammaR, profile.GammaG, profile.GammaB};
    for (int i = 0; i < 3; ++i) {
        if (Keeps(unread.gamma[i], components[i]))
            continue;
        TRY(reg.WriteString(GammaValueNames[i], RealToText(components[i])));
        unread.gamma[i] = false;
    }
    return Status();
}

Status WriteRefreshRates(const TSetting& profile, UnreadValues& unread)
{
    RegistryAccessor reg(HKEY_LOCAL_MACHINE);
    OpenForWrite(reg, profile);
    for (int i = 1; i <= 5; ++i) {
        if (Keeps(unread.refresh[i - 1], RefreshRate(profile, i)))
            continue;
        TRY(reg.WriteString(RefreshValueName(i), IntToText(RefreshRate(profile, i))));
        unread.refresh[i - 1] = false;
    }
    return Status();
}

Status WriteClock(const TSetting& profile)
{
    RegistryAccessor reg(HKEY_LOCAL_MACHINE);
    OpenForWrite(reg, profile);
    return reg.WriteString(ClockValueName, IntToText(profile.Clock));
}
